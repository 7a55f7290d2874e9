// HDF5: one node of an HDF5 file. One class serves five kinds of node,
// chosen while creating: a file (no parent), a group, a placeholder
// dataset (a name in the parent's group that an object writer fills), a
// record dataset (one record per object, of an HDF5CompoundType) and an
// extensible vector of doubles. Read-only nodes answer nil from createEnd
// when their file or member is missing, which is how callers probe.
#pragma once

#include <hdf5.h>

#include "defobj/CreateDrop.h"
#include "defobj/hdf5_messages.h"

extern id id_HDF5_c;

// Values a vector buffers before writing them as one block.
inline constexpr unsigned HDF5_VECTOR_BLOCK = 16384;

struct HDF5_c : CreateDrop_s {
  id parent;  // nil for a file
  char* name;  // file path, or the member name in the parent
  BOOL writeFlag;
  BOOL datasetFlag;
  hid_t loc_id;  // the open file, group or dataset; a placeholder's is its parent's
  hid_t psid;    // one-element space: one record in memory
  hid_t bsid;    // a vector's block space
  hid_t plist;   // a vector's creation list
  int vector_type;  // 0, or the vector's value type code
  double* vector_buf;
  id baseTypeObject;
  id compoundType;  // a record dataset's HDF5CompoundType
  unsigned c_count;  // records, or values added to a vector
  hid_t c_sid;       // file space of a record dataset or vector; -1 when none
  unsigned long long c_rnnlen;  // digits of numbered row names
  unsigned long long c_rnmlen;  // longest given row name
  char** c_rnbuf;  // row names being written

  // Creating.
  static id createBegin(Class cls, id zone);
  void setParent(id node);
  void setWriteFlag(BOOL flag);
  void setDatasetFlag(BOOL flag);
  void setExtensibleVectorType(unsigned type);
  void setExtensibleDoubleVector();
  void setCompoundType(id type);
  void setCount(unsigned count);
  void setId(hid_t identifier);
  id createEnd();

  // Setting.
  void setName(const char* text);
  void setBaseTypeObject(id object);

  // Using.
  int iterate(const hdf5_member_visitor* visitor);
  int iterate_drop(const hdf5_member_visitor* visitor, BOOL dropFlag);
  BOOL getDatasetFlag();
  BOOL getWriteFlag();
  unsigned getDatasetRank();
  unsigned getDatasetDimension(unsigned index);
  unsigned getDatasetType();
  unsigned getCount();
  const char* getHDF5Name();
  id getCompoundType();
  Class getClass();
  void assignIvar(id object);
  BOOL checkName(const char* member);
  BOOL checkDatasetName(const char* member);
  void loadDataset(void* buffer);
  void storeAsDataset_typeName_type_rank_dims_ptr(const char* datasetName, const char* typeName, unsigned type,
                                                   unsigned rank, const unsigned* dims, const void* ptr);
  void addDoubleToVector(double value);
  void flushVector();
  void storeTypeName(const char* typeName);
  void storeComponentTypeName(const char* typeName);
  void shallowLoadObject(id object);
  void shallowStoreObject(id object);
  const char* nameRecord_name(unsigned record, const char* recordName);
  const char* numberRecord(unsigned record);
  void selectRecord(unsigned record);
  const char** readRowNames();
  void writeRowNames();
  void writeLevels();
  void storeAttribute_value(const char* attributeName, const char* value);
  int iterateAttributes(const hdf5_attribute_visitor* visitor);
  const char* getAttribute(const char* attributeName);
  void flush();
  id getParent();
  void drop();

  // The identifier of the open location.
  hid_t location() const { return loc_id; }

 private:
  bool isPlaceholder() const;
  bool isVector() const { return vector_type != 0; }
  void createForWriting();
  bool openForReading();
  void checkRecordMembers(hid_t tid);
  void openRecordType();
  hid_t createDataset(hid_t type, hid_t space, hid_t creationList);
  // Reads the whole dataset into the buffer as values of the memory type,
  // or, for a string dataset, as string copies in the zone.
  void readDataset(void* buffer, hid_t memoryType, id stringZone);
};

