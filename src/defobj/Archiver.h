// Archivers: objects kept under a key for one application and mode,
// either in the per-user system archive, which holds every application
// and mode, or in the application's own archive file. Objects write and
// read themselves through their archiving forms; an archiver names,
// stores and retrieves them, and asks its registered clients to update
// what they stored before it saves.
#pragma once

#include <utility>
#include <vector>

#include "defobj/CreateDrop.h"

// The four archivers made at start-up (initDefobj), in the global zone.
extern id lispArchiver, lispAppArchiver, hdf5Archiver, hdf5AppArchiver;
extern id id_Archiver_c, id_LispArchiver_c, id_HDF5Archiver_c;

struct Archiver_c : CreateDrop_s {
  id currentApplicationKey;  // String "application/mode"
  id applicationMap;         // application key (String) -> the application's entry
  BOOL inhibitLoadFlag;
  BOOL systemArchiverFlag;
  char* path;  // owned, in the archiver's zone; null without a home directory
  id classes;    // class clients
  id instances;  // instance clients

  // Creating.
  static id createBegin(Class cls, id zone);
  static id create_setPath(Class cls, id zone, const char* path);
  void setPath(const char* text);
  void setInhibitLoadFlag(BOOL flag);
  void setSystemArchiverFlag(BOOL flag);
  void setDefaultPath();
  void setDefaultAppPath();
  id createEnd();

  // Using.
  void registerClient(id client);
  void unregisterClient(id client);
  void putDeep_object(const char* key, id object);
  void putShallow_object(const char* key, id object);
  id getObject(const char* key);
  id getWithZone_key(id zone, const char* key);
  void sync();
  void updateArchiver_();
  void drop();

  // Loading. Keys with their members, as a load collects them.
  using Entries = std::vector<std::pair<id, id>>;
  // Sorts the entries by key in the order of the maps; equal keys keep
  // their order.
  static void sortByKey(Entries& entries);
  // Inserts entries of distinct keys, sorted by key, that the map does not
  // hold. A map walks from its first entry to insert, so they go in from
  // the last: a whole load takes near-linear time.
  static void insertSorted(id map, const Entries& entries);

 protected:
  // A file in the home directory (HOME, else BROODHOME); no path with
  // neither set.
  void setHomePath(const char* fileName);
  // The application data path, the application name and the suffix.
  void setAppPath(const char* suffix);
  // A new String "application/mode" of the zone.
  static id createAppKey(id zone, const char* application, const char* mode);
  // The entry of the current application, nil when there is none.
  id currentEntry();
  // Enters the entry under a copy of the current key.
  void insertCurrentEntry(id entry);
};

// Makes the four global archivers with the arguments object's identity:
// their files are not loaded when its inhibit flag is set or the
// environment has BROOD_INHIBIT_ARCHIVER_LOAD.
void _obj_initArchivers();
