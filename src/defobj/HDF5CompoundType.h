// HDF5CompoundType: the record type of a record dataset. Writing, it lays
// out a prototype object's variables as the members of an HDF5 compound
// type, strings as indices into per-variable string tables ("levels.");
// reading, it finds or makes the class of the records and a prototype.
#pragma once

#include <hdf5.h>

#include "defobj/CreateDrop.h"
#include "defobj/hdf5_messages.h"

extern id id_HDF5CompoundType_c;

// The index stored for a nil string.
inline constexpr int HDF5_NIL_STRING_INDEX = -2147483647 - 1;

struct HDF5CompoundType_c : CreateDrop_s {
  id prototype;
  char* name;  // the record type's name: the class to look for when reading
  hid_t tid;
  hid_t did;      // the dataset holding the string tables
  id stringMaps;  // variable name -> (string -> index from 1)
  BOOL ownPrototype;  // made for a file's records, freed at drop

  // Creating.
  static id createBegin(Class cls, id zone);
  void setPrototype(id object);
  void setName(const char* text);
  void setTid(hid_t type);
  id createEnd();

  // Setting.
  void setDataset(hid_t dataset);

  // Using.
  hid_t getTid();
  id getPrototype();
  void packObj_to(void* buffer, id object);
  void packBuf_to(id object, void* buffer);
  void writeLevel(const char* variable);
  void writeLevels();
  void drop();

 private:
  void createFromPrototype();
  void createFromType();
  Class classFromType();
  // The string table of a variable, made when wanted and missing.
  id stringTable(const char* variable, bool make);
  void loadLevels(const char* variable);
};
