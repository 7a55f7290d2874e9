// The default archiving forms of every object: its type name and all of
// its value variables, found by name through the variable tables.
#include "collections/collections.h"
#include "collections/predicates.h"
#include "defobj/Object_s.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5In.h"
#include "defobj/hdf5_messages.h"
#include "defobj/lisp_array.h"
#include "defobj/setVariableFromExpr.h"
#include "defobj/var_access.h"

void Object_s::lispOutShallow(id stream) { msg::_lispOut__deep(this, stream, NO); }
void Object_s::lispOutDeep(id stream) { msg::_lispOut__deep(this, stream, YES); }

// Each variable begins with a blank of its own, so text has two blanks
// after the type.
void Object_s::_lispOut__deep(id stream, BOOL deep) {
  msg::catStartMakeInstance(stream, msg::getTypeName(this));
  msg::catSeparator(stream);
  msg::lispOutVars_deep(this, stream, deep);
  msg::catEndMakeInstance(stream);
}

void Object_s::lispOutVars_deep(id stream, BOOL deep) {
  map_object_ivars(this, [&](const char* name, fcall_type_t type, void* address, unsigned rank,
                             const unsigned* dims) {
    lispSaveKeyword(stream, name);
    if (rank > 0) lisp_process_array(rank, dims, type, address, stream, deep);
    else lisp_output_type(type, address, 0, stream, deep);
  });
}

void Object_s::lispSaveKeyword(id stream, const char* name) {
  msg::catSeparator(stream);
  msg::catKeyword(stream, name);
  msg::catSeparator(stream);
}

void Object_s::lispSaveArray(const void* array, unsigned type, unsigned rank, const unsigned* dims, id stream) {
  lisp_process_array(rank, dims, static_cast<fcall_type_t>(type), array, stream, NO);
}

// Keyword and value pairs; variables not named keep their values.
id Object_s::lispIn(id expr) {
  const char* function = "-[Object(s) _lispIn:]";
  id index = msg::begin(expr, _obj_scratchZone);
  for (id key = msg::next(index); msg::getLoc(index) == Member; key = msg::next(index)) {
    if (!keywordp(key)) raiseAt(InvalidArgument, function, "expecting keyword [%s]", key ? key->isa->name : "nil");
    id value = msg::next(index);
    if (msg::getLoc(index) != Member) raiseAt(InvalidArgument, function, "missing value");
    object_setVariableFromExpr(this, msg::getKeywordName(key), value);
  }
  msg::drop(index);
  return this;
}

// The object as the only record of a dataset named like the node, in the
// node's location; or as the next record of a record dataset.
void Object_s::hdf5OutShallow(id node) {
  if (msg::getCompoundType(node)) {
    msg::shallowStoreObject(node, this);
    return;
  }
  id zone = getZone();
  id type = msg::createBegin(HDF5CompoundType, zone);
  msg::setPrototype(type, this);
  type = msg::createEnd(type);
  const char* name = msg::getHDF5Name(node);
  id dataset = msg::createBegin(HDF5, zone);
  msg::setName(dataset, name);
  msg::setWriteFlag(dataset, YES);
  msg::setParent(dataset, node);
  msg::setCompoundType(dataset, type);
  dataset = msg::createEnd(dataset);
  msg::storeTypeName(dataset, msg::getTypeName(this));
  msg::shallowStoreObject(dataset, this);
  msg::nameRecord_name(dataset, 0, name);
  msg::writeRowNames(dataset);
  msg::writeLevels(dataset);
  msg::drop(dataset);
  msg::drop(type);
}

// Nil objects and strings have no form, so they leave no member.
void Object_s::hdf5OutDeep(id node) {
  msg::storeTypeName(node, msg::getTypeName(this));
  map_object_ivars(this, [&](const char* name, fcall_type_t type, void* address, unsigned rank,
                             const unsigned* dims) {
    if ((type == fcall_type_object || type == fcall_type_string) && rank == 0 && !*static_cast<void**>(address))
      return;
    if (type != fcall_type_object) {
      msg::storeAsDataset_typeName_type_rank_dims_ptr(node, name, nullptr, type, rank, dims, address);
      return;
    }
    id group = msg::createBegin(HDF5, msg::getZone(node));
    msg::setName(group, name);
    msg::setWriteFlag(group, YES);
    msg::setParent(group, node);
    group = msg::createEnd(group);
    msg::hdf5OutDeep(*static_cast<id*>(address), group);
    msg::drop(group);
  });
}

id Object_s::hdf5In(id node) {
  if (msg::getDatasetFlag(node)) {
    msg::shallowLoadObject(node, this);
    return this;
  }
  const hdf5_member_visitor assign = [this](id child) {
    msg::assignIvar(child, this);
    return 0;
  };
  msg::iterate(node, &assign);
  return this;
}

void Object_s::updateArchiver(id) {
  raiseAt(SubclassMustImplement, "-[Object(s) _updateArchiver:]", "updateArchiver");
}
