#include "defobj/HDF5Archiver.h"

#include <cstdio>

#include "defobj/archiving_messages.h"
#include "defobj/phase.h"

namespace {

void storageMissing(const char* function, const char* action, const char* path) {
  raiseAt(NotImplemented, function, "> HDF5 archive %s cannot be %s: HDF5 storage is not available yet\n",
          path ? path : "(no path)", action);
}

}  // namespace

void HDF5Archiver_c::setDefaultPath() { setHomePath("broodArchiver.hdf"); }
void HDF5Archiver_c::setDefaultAppPath() { setAppPath(".hdf"); }

// The file is opened whatever the inhibit flag says; a file that does not
// open gives the current application an empty entry.
id HDF5Archiver_c::createEnd() {
  Archiver_c::createEnd();
  if (FILE* file = path ? std::fopen(path, "r") : nullptr) {
    std::fclose(file);
    storageMissing("-[HDF5Archiver(c) _createEnd]", "read", path);
  }
  insertCurrentEntry(nil);
  return this;
}

void HDF5Archiver_c::putDeep_object(const char*, id) {
  storageMissing("-[HDF5Archiver(c) _putDeep:object:]", "written", path);
}

void HDF5Archiver_c::putShallow_object(const char*, id) {
  storageMissing("-[HDF5Archiver(c) _putShallow:object:]", "written", path);
}

// Nothing is stored while the current entry is empty.
id HDF5Archiver_c::getWithZone_key(id, const char*) { return nil; }

void HDF5Archiver_c::sync() { msg::updateArchiver_(this); }

REGISTER_CLASS(HDF5Archiver_c, Archiver_c,
  phase(Phase::Creating),
  method<&HDF5Archiver_c::setDefaultPath>(msg::setDefaultPath),
  method<&HDF5Archiver_c::setDefaultAppPath>(msg::setDefaultAppPath),
  method<&HDF5Archiver_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&HDF5Archiver_c::putDeep_object>(msg::putDeep_object),
  method<&HDF5Archiver_c::putShallow_object>(msg::putShallow_object),
  method<&HDF5Archiver_c::getWithZone_key>(msg::getWithZone_key),
  method<&HDF5Archiver_c::sync>(msg::sync))
