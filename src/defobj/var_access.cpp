#include "defobj/var_access.h"

#include <cstring>
#include <vector>

#include "defobj/defobj.h"
#include "defobj/module.h"
#include "defobj/objc_array.h"

namespace {

// Lookups stop here: the root's zone word and directory entry are no
// variables of the model.
Class objectRoot() { return static_cast<Class>(id_Object_s); }

objc_ivar* requireIvar(id object, const char* name, const char* function) {
  objc_ivar* ivar = find_ivar(object->isa, name);
  if (!ivar)
    raiseAt(InvalidArgument, function, "Cannot find ivar `%s' (non-existent ivar name in archiver file?)\n",
            name);
  return ivar;
}

unsigned elementCount(const char* encoding) {
  unsigned count = 1;
  for (unsigned d : objc_array_dims(encoding)) count *= d;
  return count;
}

}  // namespace

objc_ivar* find_ivar(Class cls, const char* name) {
  if (!cls || cls == objectRoot()) return nullptr;
  if (objc_ivar* inherited = find_ivar(cls->superclass, name)) return inherited;
  if (objc_ivar_list* list = cls->ivarList)
    for (int i = 0; i < list->ivar_count; i++)
      if (std::strcmp(list->ivar_list[i].ivar_name, name) == 0) return &list->ivar_list[i];
  return nullptr;
}

void* ivar_ptr_for_name(id object, const char* name) {
  objc_ivar* ivar = find_ivar(object->isa, name);
  return ivar ? reinterpret_cast<char*>(object) + ivar->ivar_offset : nullptr;
}

fcall_type_t object_ivar_type(id object, const char* name) {
  objc_ivar* ivar = requireIvar(object, name, "object_ivar_type");
  return fcall_type_for_objc_type(*objc_array_subtype(ivar->ivar_type, nullptr));
}

void object_setVariable(id object, const char* name, const void* value) {
  objc_ivar* ivar = requireIvar(object, name, "object_setVariable");
  if (ivar->ivar_type[0] == '^') return;
  fcall_type_t type = fcall_type_for_objc_type(*objc_array_subtype(ivar->ivar_type, nullptr));
  std::memcpy(reinterpret_cast<char*>(object) + ivar->ivar_offset, value,
              fcall_type_size(type) * elementCount(ivar->ivar_type));
}

unsigned object_getVariableElementCount(id object, const char* name) {
  return elementCount(requireIvar(object, name, "object_getVariableElementCount")->ivar_type);
}

void map_objc_class_ivars(
    Class cls, const std::function<void(const char* name, fcall_type_t type, long offset, unsigned rank,
                                        const unsigned* dims)>& function) {
  if (!cls || cls == objectRoot()) return;
  map_objc_class_ivars(cls->superclass, function);
  objc_ivar_list* list = cls->ivarList;
  for (int i = 0; list && i < list->ivar_count; i++) {
    const objc_ivar& ivar = list->ivar_list[i];
    const char* element;
    std::vector<unsigned> dims = objc_array_dims(ivar.ivar_type, &element);
    // Pointer variables are not values; structures and unions have no type.
    if (ivar.ivar_type[0] == '^' || std::strchr("{(", *element)) continue;
    function(ivar.ivar_name, fcall_type_for_objc_type(*element), ivar.ivar_offset, dims.size(),
             dims.empty() ? nullptr : dims.data());
  }
}

void map_object_ivars(
    id object, const std::function<void(const char* name, fcall_type_t type, void* address, unsigned rank,
                                        const unsigned* dims)>& function) {
  char* base = reinterpret_cast<char*>(object);
  map_objc_class_ivars(object->isa, [&](const char* name, fcall_type_t type, long offset, unsigned rank,
                                        const unsigned* dims) { function(name, type, base + offset, rank, dims); });
}
