#include "tclobjc/TclObjcList.h"

#include <cstring>

#include "runtime/TypedStream.h"
#include "tclobjc/identity.h"

namespace {

void resize(TclObjcList* list, unsigned capacity) {
  id* data = static_cast<id*>(objc_malloc(capacity * sizeof(id)));
  std::memset(data, 0, capacity * sizeof(id));
  if (list->dataPtr) {
    std::memcpy(data, list->dataPtr, list->numElements * sizeof(id));
    objc_free(list->dataPtr);
  }
  list->dataPtr = data;
  list->maxElements = capacity;
}

void grownAfterInsert(TclObjcList* list) {
  if (list->numElements == list->maxElements) resize(list, 2 * list->numElements);
}

void shrunkAfterRemove(TclObjcList* list) {
  if (list->maxElements > 1 && list->numElements < list->maxElements / 2) resize(list, list->maxElements / 2);
}

}  // namespace

id TclObjcList::newCount(Class cls, unsigned capacity) { return msg::initCount(msg::alloc_(cls), capacity); }

id TclObjcList::initCount(unsigned capacity) {
  dataPtr = nullptr;
  numElements = 0;
  resize(this, capacity ? capacity : 1);
  return this;
}

id TclObjcList::init() { return initCount(2); }

unsigned TclObjcList::capacity() { return maxElements; }
unsigned TclObjcList::getCount() { return numElements; }

id TclObjcList::objectAt(unsigned index) { return index < numElements ? dataPtr[index] : nil; }
id TclObjcList::lastObject() { return numElements ? dataPtr[numElements - 1] : nil; }

id TclObjcList::replaceObjectAt_with(unsigned index, id object) {
  if (index >= numElements || !object) return nil;
  id old = dataPtr[index];
  dataPtr[index] = object;
  return old;
}

void TclObjcList::addObject(id object) { insertObject_at(object, numElements); }

id TclObjcList::insertObject_at(id object, unsigned index) {
  if (!object || index > numElements) return nil;
  std::memmove(dataPtr + index + 1, dataPtr + index, (numElements - index) * sizeof(id));
  dataPtr[index] = object;
  numElements++;
  grownAfterInsert(this);
  return this;
}

id TclObjcList::removeObjectAt(unsigned index) {
  if (index >= numElements) return nil;
  id old = dataPtr[index];
  numElements--;
  std::memmove(dataPtr + index, dataPtr + index + 1, (numElements - index) * sizeof(id));
  dataPtr[numElements] = nil;
  shrunkAfterRemove(this);
  return old;
}

id TclObjcList::removeLastObject() { return numElements ? removeObjectAt(numElements - 1) : nil; }

id TclObjcList::removeObject(id object) {
  const unsigned index = indexOf(object);
  return index == TclObjcListNotFound ? nil : removeObjectAt(index);
}

id TclObjcList::replaceObject_with(id object, id replacement) {
  const unsigned index = indexOf(object);
  return index == TclObjcListNotFound ? nil : replaceObjectAt_with(index, replacement);
}

unsigned TclObjcList::indexOf(id object) {
  for (unsigned i = 0; i < numElements; i++)
    if (tclObjc_isEqual(dataPtr[i], object)) return i;
  return TclObjcListNotFound;
}

id TclObjcList::addObjectIfAbsent(id object) {
  if (object && indexOf(object) == TclObjcListNotFound) addObject(object);
  return this;
}

id TclObjcList::appendList(id list) {
  auto* other = static_cast<TclObjcList*>(list);
  const unsigned n = other ? other->numElements : 0;  // the list may be this one
  for (unsigned i = 0; i < n; i++) addObject(other->dataPtr[i]);
  return this;
}

id TclObjcList::empty() {
  std::memset(dataPtr, 0, maxElements * sizeof(id));
  numElements = 0;
  return this;
}

id TclObjcList::freeObjects() {
  for (unsigned i = 0; i < numElements; i++) msg::free_(dataPtr[i]);
  return empty();
}

id TclObjcList::free_() {
  objc_free(dataPtr);
  return Object::free_();
}

id TclObjcList::shallowCopy() {
  auto* copy = static_cast<TclObjcList*>(Object::shallowCopy());
  copy->dataPtr = static_cast<id*>(objc_malloc(maxElements * sizeof(id)));
  std::memcpy(copy->dataPtr, dataPtr, maxElements * sizeof(id));
  return copy;
}

id TclObjcList::deepen() {
  for (unsigned i = 0; i < numElements; i++) dataPtr[i] = msg::deepCopy(dataPtr[i]);
  return this;
}

BOOL TclObjcList::isEqual(id other) {
  if (!other || other->isa != isa) return NO;
  auto* list = static_cast<TclObjcList*>(other);
  return list->numElements == numElements && !std::memcmp(list->dataPtr, dataPtr, numElements * sizeof(id));
}

id TclObjcList::makeObjectsPerform(SEL sel) {
  for (unsigned i = numElements; i-- > 0;) tclObjc_perform(dataPtr[i], sel);
  return this;
}

id TclObjcList::makeObjectsPerform_with(SEL sel, id argument) {
  for (unsigned i = numElements; i-- > 0;) tclObjc_perform_with(dataPtr[i], sel, argument);
  return this;
}

id TclObjcList::setAvailableCapacity(unsigned capacity) {
  if (capacity <= numElements) return nil;
  resize(this, capacity);
  return this;
}

id TclObjcList::write(TypedStream* stream) {
  objc_write_types(stream, "II", &numElements, &maxElements);
  objc_write_array(stream, "@", numElements, dataPtr);
  return this;
}

id TclObjcList::read(TypedStream* stream) {
  unsigned elements, room;
  objc_read_types(stream, "II", &elements, &room);
  if (elements >= room || room > objc_typed_stream_max_capacity)
    objc_typed_stream_error(stream, "a TclObjcList of %u objects with room for %u", elements, room);
  initCount(room);
  objc_read_array(stream, "@", elements, dataPtr);
  numElements = elements;
  return this;
}

REGISTER_CLASS(TclObjcList, Object,
  ivar(&TclObjcList::dataPtr, "dataPtr"),
  ivar(&TclObjcList::numElements, "numElements"),
  ivar(&TclObjcList::maxElements, "maxElements"),
  classMethod<&TclObjcList::newCount>(msg::newCount),
  method<&TclObjcList::initCount>(msg::initCount),
  method<&TclObjcList::init>(msg::init),
  method<&TclObjcList::capacity>(msg::capacity),
  method<&TclObjcList::getCount>(msg::count),
  method<&TclObjcList::objectAt>(msg::objectAt),
  method<&TclObjcList::lastObject>(msg::lastObject),
  method<&TclObjcList::replaceObjectAt_with>(msg::replaceObjectAt_with),
  method<&TclObjcList::addObject>(msg::addObject),
  method<&TclObjcList::insertObject_at>(msg::insertObject_at),
  method<&TclObjcList::removeObjectAt>(msg::removeObjectAt),
  method<&TclObjcList::removeLastObject>(msg::removeLastObject),
  method<&TclObjcList::removeObject>(msg::removeObject),
  method<&TclObjcList::replaceObject_with>(msg::replaceObject_with),
  method<&TclObjcList::indexOf>(msg::indexOf),
  method<&TclObjcList::addObjectIfAbsent>(msg::addObjectIfAbsent),
  method<&TclObjcList::appendList>(msg::appendList),
  method<&TclObjcList::empty>(msg::empty),
  method<&TclObjcList::freeObjects>(msg::freeObjects),
  method<&TclObjcList::free_>(msg::free_),
  method<&TclObjcList::shallowCopy>(msg::shallowCopy),
  method<&TclObjcList::shallowCopy>(msg::copy_),
  method<&TclObjcList::deepen>(msg::deepen),
  method<&TclObjcList::isEqual>(msg::isEqual),
  method<&TclObjcList::makeObjectsPerform>(msg::makeObjectsPerform),
  method<&TclObjcList::makeObjectsPerform_with>(msg::makeObjectsPerform_with),
  method<&TclObjcList::setAvailableCapacity>(msg::setAvailableCapacity),
  method<&TclObjcList::write>(msg::write),
  method<&TclObjcList::read>(msg::read))
