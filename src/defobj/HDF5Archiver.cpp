#include "defobj/HDF5Archiver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "defobj/HDF5.h"
#include "defobj/HDF5Support.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5In.h"
#include "defobj/phase.h"

namespace {

// Each node once, nil left out.
void keepDistinct(std::vector<id>& nodes) {
  std::sort(nodes.begin(), nodes.end());
  nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
  if (!nodes.empty() && !nodes.front()) nodes.erase(nodes.begin());
}

// An earlier object's members must not mix with a later one's.
void removeMember(id controller, const char* key) {
  if (msg::checkName(controller, key))
    suppress_messages([&] { return H5Gunlink(static_cast<HDF5_c*>(controller)->location(), key); });
}

}  // namespace

void HDF5Archiver_c::setDefaultPath() { setHomePath("broodArchiver.hdf"); }
void HDF5Archiver_c::setDefaultAppPath() { setAppPath(".hdf"); }

id HDF5Archiver_c::makeNode(id parent, const char* name, BOOL writeFlag, BOOL datasetFlag) {
  id node = msg::createBegin(HDF5, getZone());
  msg::setParent(node, parent);
  msg::setName(node, name);
  msg::setWriteFlag(node, writeFlag);
  msg::setDatasetFlag(node, datasetFlag);
  return msg::createEnd(node);
}

// A system archive's applications are its top-level groups, their modes
// the groups inside; a file that does not open, or is not to be loaded,
// is an empty archive.
id HDF5Archiver_c::createEnd() {
  Archiver_c::createEnd();
  id file = path && !inhibitLoadFlag ? makeNode(nil, path, NO, NO) : nil;
  if (!systemArchiverFlag) {
    insertCurrentEntry(file);
    return this;
  }
  if (file) {
    Entries modes;
    const hdf5_member_visitor application = [&](id group) {
      unsigned applicationModes = 0;
      const hdf5_member_visitor mode = [&](id child) {
        if (msg::getDatasetFlag(child)) {
          msg::drop(child);
          return 0;
        }
        modes.emplace_back(createAppKey(getZone(), msg::getHDF5Name(group), msg::getHDF5Name(child)), child);
        applicationModes++;
        return 0;
      };
      if (!msg::getDatasetFlag(group)) msg::iterate_drop(group, &mode, NO);
      if (!applicationModes) msg::drop(group);
      return 0;
    };
    msg::iterate_drop(file, &application, NO);
    if (modes.empty()) msg::drop(file);
    sortByKey(modes);
    insertSorted(applicationMap, modes);
  }
  if (!msg::containsKey(applicationMap, currentApplicationKey)) insertCurrentEntry(nil);
  return this;
}

// Entries, then the application groups above them, then the files.
void HDF5Archiver_c::dropNodes() {
  std::vector<id> levels[3];
  id index = msg::begin(applicationMap, _obj_scratchZone);
  id key;
  for (id entry = msg::next_(index, &key); msg::getLoc(index) == Member; entry = msg::next_(index, &key)) {
    levels[0].push_back(entry);
    msg::drop(key);
  }
  msg::drop(index);
  msg::removeAll(applicationMap);
  keepDistinct(levels[0]);
  for (int level = 1; level < 3; level++) {
    for (id node : levels[level - 1]) levels[level].push_back(msg::getParent(node));
    keepDistinct(levels[level]);
  }
  for (auto& level : levels)
    for (id node : level) msg::drop(node);
}

id HDF5Archiver_c::writableController() {
  id entry = currentEntry();
  if (entry && msg::getWriteFlag(entry)) return entry;
  if (!path)
    raiseAt(SaveError, "-[HDF5Archiver(c) _ensureApp:]",
            "> HDF5 archive has no path (neither HOME nor BROODHOME is set)\n");
  dropNodes();
  id file = makeNode(nil, path, YES, NO);
  entry = file;
  if (systemArchiverFlag) {
    const std::string key = msg::getC(currentApplicationKey);
    const size_t slash = key.find('/');
    if (slash == std::string::npos)
      raiseAt(InvalidArgument, "-[HDF5Archiver(c) _ensureApp:]", "expecting composite app/mode key");
    id application = makeNode(file, key.substr(0, slash).c_str(), YES, NO);
    entry = makeNode(application, key.substr(slash + 1).c_str(), YES, NO);
  }
  insertCurrentEntry(entry);
  return entry;
}

// Deep: a group named by the key; shallow: a placeholder whose name the
// object's dataset takes.
void HDF5Archiver_c::put(const char* key, id object, BOOL deep) {
  id controller = writableController();
  removeMember(controller, key);
  if (!object) return;
  id node = makeNode(controller, key, YES, !deep);
  if (deep) msg::hdf5OutDeep(object, node);
  else msg::hdf5OutShallow(object, node);
  msg::drop(node);
}

void HDF5Archiver_c::putDeep_object(const char* key, id object) { put(key, object, YES); }
void HDF5Archiver_c::putShallow_object(const char* key, id object) { put(key, object, NO); }

id HDF5Archiver_c::getWithZone_key(id zone, const char* key) {
  id entry = currentEntry();
  if (!entry) return nil;
  id node = makeNode(entry, key, NO, msg::checkDatasetName(entry, key));
  if (!node) return nil;
  id object = ::hdf5In(zone, node);
  msg::drop(node);
  return object;
}

void HDF5Archiver_c::sync() {
  msg::updateArchiver_(this);
  if (id entry = currentEntry()) msg::flush(entry);
}

void HDF5Archiver_c::drop() {
  dropNodes();
  Archiver_c::drop();
}

REGISTER_CLASS(HDF5Archiver_c, Archiver_c,
  phase(Phase::Creating),
  method<&HDF5Archiver_c::setDefaultPath>(msg::setDefaultPath),
  method<&HDF5Archiver_c::setDefaultAppPath>(msg::setDefaultAppPath),
  method<&HDF5Archiver_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&HDF5Archiver_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&HDF5Archiver_c::putDeep_object>(msg::putDeep_object),
  method<&HDF5Archiver_c::putShallow_object>(msg::putShallow_object),
  method<&HDF5Archiver_c::getWithZone_key>(msg::getWithZone_key),
  method<&HDF5Archiver_c::sync>(msg::sync))
