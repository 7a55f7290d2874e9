// The archiver that keeps each application and mode as a group of an HDF5
// file ("broodArchiver.hdf" in the home directory), or as the file itself
// for the application's own ".hdf" archive. Loading and writing the file
// come with the HDF5 storage: until then an existing archive file is
// refused and a missing one is an empty archive.
#pragma once

#include "defobj/Archiver.h"

struct HDF5Archiver_c : Archiver_c {
  // Creating.
  void setDefaultPath();
  void setDefaultAppPath();
  id createEnd();

  // Using.
  void putDeep_object(const char* key, id object);
  void putShallow_object(const char* key, id object);
  id getWithZone_key(id zone, const char* key);
  void sync();
};
