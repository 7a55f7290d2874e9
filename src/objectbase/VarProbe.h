// Variable probes: read and write one named instance variable of any
// object of a class, as a value, a number or text, through the runtime's
// variable table. Writes are told to the probe's notification targets.
#pragma once

#include <cstdint>

#include "objectbase/Probe.h"

struct VarProbe : Probe {
  char* probedVariable;  // owned, in the probe's zone
  int32_t dataOffset;
  BOOL interactiveFlag;  // editable as text
  char* floatFormat;     // display format of a real, owned, in the probe's zone
  unsigned rank;         // of an array, 0 otherwise
  unsigned* dims;        // rank extents, owned, in the probe's zone
  const char* baseType;  // an array's element type, owned, in _obj_globalZone

  // Creating.
  id setProbedVariable(const char* name);
  id createEnd();  // nil (and the probe dropped) when there is no such variable

  // Setting.
  void setNonInteractive();
  void setStringReturnType(id style);
  void setFloatFormat(const char* format);

  // Using.
  const char* getProbedVariable();
  BOOL getInteractiveFlag();
  int getDataOffset();
  void* probeRaw(id object);
  void* probeAsPointer(id object);
  id probeObject(id object);
  int probeAsInt(id object);
  double probeAsDouble(id object);
  id probeAsString(id object);
  // The buffer holds ProbeTextSize characters.
  char* probeAsString_Buffer(id object, char* buffer);
  char* probeAsString_Buffer_withFullPrecision(id object, char* buffer, BOOL fullPrecision);
  unsigned getRank();
  const char* getBaseType();
  unsigned* getDims();
  void iterateAsDouble_using(id object, double_iter_t function);
  void iterateAsInteger_using(id object, int_iter_t function);
  void setData_To(id object, const void* value);
  BOOL setData_ToString(id object, const char* text);
  void setData_ToDouble(id object, double value);
  id clone(id zone);
  void describe(id stream);
  void drop();
  void notifyFor_with(id object, const void* data);

 private:
  void setUpType();
  void setUpArray();
  fcall_type_t scalarType() const;  // void for arrays and structures
  char* at(id object) const;
  bool admits(id object);
  template <class T, class F>
  void iterate(id object, F function, const char* conversion);
};
