#include "collections/List.h"

#include "collections/collections.h"
#include "defobj/Class_s.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

void List_any::setInitialValue(id initial) {
  firstLink = reinterpret_cast<link_t*>(initial);
  bits |= BitInitialValue;
}

void List_any::setDequeOnly(BOOL flag) {
  if (flag) bits |= BitDequeOnly;
  else bits &= ~BitDequeOnly;
}

void List_any::setCountPerBlock(int) { raiseDefaultAt(NotImplemented, "-[List(any) _setCountPerBlock:]"); }

int List_any::getCountPerBlock() {
  raiseDefaultAt(NotImplemented, "-[List(any) _getCountPerBlock]");
  return 0;
}

BOOL List_any::getDequeOnly() { return (bits & BitDequeOnly) != 0; }

namespace {

// The first zones are made before the collections module binds its
// classes, so a list falls back on the compiled class by name.
Class boundClass(id bound, const char* name) { return bound ? reinterpret_cast<Class>(bound) : objc_get_class(name); }

// A list made through the creating class of a list subclass takes that
// subclass's using class; any other list takes the chosen variant.
void setListClass(List_any* list, Class variant) {
  if (list->isa->info & CLS_RUNTIME_MADE) {
    id next = _obj_getNextPhase(list->isa);
    if (next != id_List_any && next != CreatingOnly && next != UsingOnly && next) {
      list->isa = reinterpret_cast<Class>(next);
      return;
    }
  }
  list->isa = variant;
}

}  // namespace

id List_any::createEnd() {
  if ((bits & BitInitialValue) && (bits & BitIndexFromMemberLoc))
    raiseAt(InvalidCombination, "-[List(any) _createEnd]",
            "> cannot specify an initial value with IndexFromMemberLoc option\n");
  const BOOL customizing = (isa->info & CLS_CUSTOMIZING) != 0;
  if (!(bits & BitInitialValue)) {
    if (customizing) msg::_setCreateByCopy_(this);
    setListClass(this, bits & BitIndexFromMemberLoc ? boundClass(id_List_mlinks, "List_mlinks")
                                                     : boundClass(id_List_linked, "List_linked"));
    zbits |= BitInternalAlloc;
    return this;
  }
  if (customizing) {
    msg::_setCreateByMessage_toCopy(this, msg::createEnd.sel, this);
    return this;
  }
  setListClass(this, boundClass(id_List_linked, "List_linked"));
  zbits |= BitInternalAlloc;
  id initial = reinterpret_cast<id>(firstLink);
  firstLink = nullptr;
  id index = msg::begin(initial, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    msg::addLast(this, member);
  msg::drop(index);
  return this;
}

REGISTER_CLASS(List_any, Collection_any,
  ivar(&List_any::firstLink, "firstLink"),
  phase(Phase::Creating),
  method<&List_any::setInitialValue>(msg::setInitialValue),
  method<&List_any::setDequeOnly>(msg::setDequeOnly),
  method<&List_any::setCountPerBlock>(msg::setCountPerBlock),
  method<&List_any::createEnd>(msg::createEnd),
  method<&List_any::lispInCreate>(msg::lispInCreate),
  phase(Phase::Setting),
  method<&List_any::lispIn>(msg::lispIn),
  method<&List_any::hdf5In>(msg::hdf5In),
  phase(Phase::Using),
  method<&List_any::getDequeOnly>(msg::getDequeOnly),
  method<&List_any::getCountPerBlock>(msg::getCountPerBlock),
  method<&List_any::lispOutShallow>(msg::lispOutShallow),
  method<&List_any::lispOutDeep>(msg::lispOutDeep),
  method<&List_any::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&List_any::hdf5OutDeep>(msg::hdf5OutDeep))

REGISTER_CLASS(ListIndex_any, Index_any,
  ivar(&ListIndex_any::link, "link"),
  ivar(&ListIndex_any::position, "position"))
