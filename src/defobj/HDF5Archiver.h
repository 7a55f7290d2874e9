// The archiver that keeps each application and mode as a group of an HDF5
// file ("broodArchiver.hdf" in the home directory: application groups
// holding mode groups), or as the file itself for the application's own
// ".hdf" archive. The file is read through read-only nodes; the first put
// reopens it for writing.
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
  void drop();

 private:
  // The current entry, reopened for writing when it is not writable.
  id writableController();
  // Drops every entry node with the groups and files above it and leaves
  // the map empty.
  void dropNodes();
  void put(const char* key, id object, BOOL deep);
  // A new child node of the parent.
  id makeNode(id parent, const char* name, BOOL writeFlag, BOOL datasetFlag);
};
