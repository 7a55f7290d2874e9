#include "defobj/runtime_classes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "defobj/defobj.h"
#include "defobj/module.h"
#include "defobj/zstrdup.h"
#include "misc/xmalloc.h"

namespace {

size_t listSize(size_t count) { return sizeof(objc_ivar_list) + count * sizeof(objc_ivar); }

}  // namespace

Class class_copy(Class cls) {
  // A record being built is an instance of its building class, which may
  // have fields after the runtime's; a finished one is a meta-class's.
  size_t size = std::max(sizeof(objc_class), static_cast<size_t>(cls->isa->instanceSize));
  auto* copy = static_cast<Class>(xmalloc(size));
  std::memcpy(static_cast<void*>(copy), cls, size);
  copy->ivarList = ivar_extend_list(cls->ivarList, 0);
  return copy;
}

objc_ivar_list* ivar_extend_list(objc_ivar_list* list, unsigned n) {
  size_t count = list ? list->ivar_count : 0;
  if (list && n > 0) return static_cast<objc_ivar_list*>(xrealloc(list, listSize(count + n)));
  auto* copy = static_cast<objc_ivar_list*>(xmalloc(listSize(count + n)));
  copy->ivar_count = 0;
  if (list) std::memcpy(copy, list, listSize(count));
  return copy;
}

void class_addVariable(Class cls, const char* name, fcall_type_t type, unsigned rank, const unsigned* dims) {
  size_t size = fcall_type_size(type);
  const char* encoding = objc_type_for_fcall_type(type);
  if (rank > 0) {
    std::string array;
    for (unsigned i = 0; i < rank; i++) {
      array += '[';
      array += std::to_string(dims[i]);
      size *= dims[i];
    }
    array += encoding + std::string(rank, ']');
    msg::free(_obj_globalZone, const_cast<char*>(encoding));
    encoding = zstrdup(_obj_globalZone, array.c_str());
  }
  long offset = alignsizeto(cls->instanceSize, fcall_type_alignment(type));
  cls->ivarList = ivar_extend_list(cls->ivarList, 1);
  cls->ivarList->ivar_list[cls->ivarList->ivar_count++] = {zstrdup(_obj_scratchZone, name), encoding, offset};
  cls->instanceSize = offset + size;
}

char* class_generate_name() {
  static unsigned counter;
  char name[sizeof "Class" + 10];
  std::snprintf(name, sizeof name, "Class%u", counter++);
  return zstrdup(_obj_scratchZone, name);
}

id type_create(id zone, const char* name) {
  Class createDrop = static_cast<Class>(id_CreateDrop);
  id record = msg::createBegin(id_BehaviorPhase_s, zone);
  msg::setName(record, zstrdup(zone, name));
  msg::setClass(record, createDrop->isa);
  msg::setDefiningClass(record, createDrop);
  msg::setSuperclass(record, createDrop);
  // Variables added later must not grow CreateDrop's own list.
  auto* cls = static_cast<Class>(record);
  cls->ivarList = ivar_extend_list(cls->ivarList, 0);
  return record;
}
