// The PGM reader on arbitrary files: the first two bytes choose the size
// of the lattice the file is read into (1 to 16 cells each way), the rest
// is the file. Every file ends in the lattice or in a warning.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "defobj/defobj.h"
#include "harness.h"
#include "space/space.h"

namespace {

int fileDescriptor = -1;
std::string filePath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startHarness(space_register_classes);
  // The file lives in memory: nothing is left on disk.
  fileDescriptor = memfd_create("pgm-fuzz", 0);
  if (fileDescriptor < 0) harnessFault("no memory file");
  filePath = "/proc/self/fd/" + std::to_string(fileDescriptor);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const unsigned width = 1 + data[0] % 16, height = 1 + data[1] % 16;
  if (ftruncate(fileDescriptor, 0) != 0 ||
      pwrite(fileDescriptor, data + 2, size - 2, 0) != static_cast<ssize_t>(size - 2))
    harnessFault("cannot write the memory file");
  id zone = msg::create(Zone, _obj_globalZone);
  id lattice = msg::create_setSizeX_Y(objc_get_class("Discrete2d"), zone, width, height);
  if (!survivesReports([&] { msg::setDiscrete2d_toFile(lattice, lattice, filePath.c_str()); }))
    harnessFault("reading a PGM file ended in an error");
  msg::drop(zone);
  return 0;
}
