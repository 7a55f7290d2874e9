#include "defobj/classData.h"

#include <cstring>

#include "defobj/module.h"
#include "misc/xmalloc.h"

classData_t* _obj_classes;
unsigned long _obj_nclasses;

namespace {
unsigned long tableSize;  // entries of _obj_classes; class numbers start at 1
}

classData_t _obj_getClassData(Class cls) {
  const unsigned long number = class_get_number(cls);
  if (number >= tableSize) {
    // Classes resolved after the bootstrap (late registrations) extend the
    // table.
    unsigned long size = tableSize ? tableSize : _obj_nclasses + 1;
    while (size <= number) size *= 2;
    _obj_classes = static_cast<classData_t*>(xrealloc(_obj_classes, size * sizeof(classData_t)));
    std::memset(_obj_classes + tableSize, 0, (size - tableSize) * sizeof(classData_t));
    tableSize = size;
  }
  classData_t& data = _obj_classes[number];
  if (!data) data = static_cast<classData_t>(_obj_initAlloc(sizeof(classData_s)));
  return data;
}
