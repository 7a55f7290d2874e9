#include "tclobjc/HashTable.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>

#include "runtime/TypedStream.h"
#include "tclobjc/identity.h"
#include "tclobjc/report.h"

namespace {

struct HashNode {
  const void* key;
  void* value;
  HashNode* next;
};

}  // namespace

// The table proper: buckets of chained nodes, a power of two of them.
struct HashCache {
  HashNode** buckets;
  unsigned size;
  unsigned used;
  unsigned mask;
  unsigned long (*hash)(const void* key);
  BOOL (*compare)(const void* key, const void* other);
};

namespace {

unsigned long hashObject(const void* key) { return tclObjc_hash(static_cast<id>(const_cast<void*>(key))); }
BOOL equalObjects(const void* key, const void* other) {
  return tclObjc_isEqual(static_cast<id>(const_cast<void*>(key)), static_cast<id>(const_cast<void*>(other)));
}

unsigned long hashText(const void* key) {
  unsigned long sum = 0;
  unsigned shift = 0;
  for (const unsigned char* c = static_cast<const unsigned char*>(key); c && *c; c++) {
    sum ^= static_cast<unsigned long>(*c) << shift;
    shift = (shift + 1) & 3;
  }
  return sum;
}
BOOL equalTexts(const void* key, const void* other) {
  return key == other || (key && other && !std::strcmp(static_cast<const char*>(key), static_cast<const char*>(other)));
}

unsigned long hashValue(const void* key) { return reinterpret_cast<uintptr_t>(key); }
unsigned long hashPointer(const void* key) { return reinterpret_cast<uintptr_t>(key) >> 2; }
BOOL identical(const void* key, const void* other) { return key == other; }

constexpr unsigned maxCapacity = 1u << 31;

HashCache* newCache(unsigned capacity, unsigned long (*hash)(const void*), BOOL (*compare)(const void*, const void*)) {
  unsigned size = 8;
  while (size < capacity) size <<= 1;
  auto* cache = static_cast<HashCache*>(objc_malloc(sizeof(HashCache)));
  cache->buckets = static_cast<HashNode**>(objc_malloc(size * sizeof(HashNode*)));
  std::memset(cache->buckets, 0, size * sizeof(HashNode*));
  cache->size = size;
  cache->used = 0;
  cache->mask = size - 1;
  cache->hash = hash;
  cache->compare = compare;
  return cache;
}

HashNode** slotOf(HashCache* cache, const void* key) {
  HashNode** slot = &cache->buckets[cache->hash(key) & cache->mask];
  while (*slot && !cache->compare((*slot)->key, key)) slot = &(*slot)->next;
  return slot;
}

// Keeps chains short: doubles the buckets when the entries outnumber
// three quarters of them.
void growIfFull(HashCache* cache) {
  if (cache->used * 4 <= cache->size * 3) return;
  HashNode** old = cache->buckets;
  const unsigned oldSize = cache->size;
  cache->size *= 2;
  cache->mask = cache->size - 1;
  cache->buckets = static_cast<HashNode**>(objc_malloc(cache->size * sizeof(HashNode*)));
  std::memset(cache->buckets, 0, cache->size * sizeof(HashNode*));
  for (unsigned b = 0; b < oldSize; b++)
    for (HashNode* node = old[b]; node;) {
      HashNode* next = node->next;
      HashNode** slot = &cache->buckets[cache->hash(node->key) & cache->mask];
      node->next = *slot;
      *slot = node;
      node = next;
    }
  objc_free(old);
}

void clearCache(HashCache* cache) {
  for (unsigned b = 0; b < cache->size; b++) {
    for (HashNode* node = cache->buckets[b]; node;) {
      HashNode* next = node->next;
      objc_free(node);
      node = next;
    }
    cache->buckets[b] = nullptr;
  }
  cache->used = 0;
}

void deleteCache(HashCache* cache) {
  clearCache(cache);
  objc_free(cache->buckets);
  objc_free(cache);
}

bool holdsObjects(const char* desc) { return desc[0] == '@'; }

template <class F>
void forEachNode(HashCache* cache, F visit) {
  for (unsigned b = 0; b < cache->size; b++)
    for (HashNode* node = cache->buckets[b]; node; node = node->next) visit(node);
}

id asObject(void* value) { return static_cast<id>(value); }

// Keys and values sit in pointer-sized slots: a stream carries only the
// types that fit there (no pointers, whose values mean nothing elsewhere).
bool fitsSlot(const char* desc) {
  const size_t bytes = objc_sizeof_type(desc);
  return bytes && bytes <= sizeof(void*);
}

// Descriptions read from a stream live as long as the process, as the
// literals that tables are made with do.
const char* internedDescription(const char* text) {
  static auto& texts = *new std::unordered_set<std::string>;
  return texts.insert(text).first->c_str();
}

}  // namespace

id HashTable::newKeyDesc(Class cls, const char* keyDesc) {
  return msg::initKeyDesc(msg::alloc_(cls), keyDesc);
}
id HashTable::newKeyDesc_valueDesc(Class cls, const char* keyDesc, const char* valueDesc) {
  return msg::initKeyDesc_valueDesc(msg::alloc_(cls), keyDesc, valueDesc);
}
id HashTable::newKeyDesc_valueDesc_capacity(Class cls, const char* keyDesc, const char* valueDesc,
                                            unsigned capacity) {
  return msg::initKeyDesc_valueDesc_capacity(msg::alloc_(cls), keyDesc, valueDesc, capacity);
}

id HashTable::initKeyDesc_valueDesc_capacity(const char* aKeyDesc, const char* aValueDesc, unsigned capacity) {
  const char* selector = sel_get_name(msg::initKeyDesc_valueDesc_capacity.sel);
  if (!aKeyDesc || !aValueDesc) {
    tclObjc_error(aKeyDesc ? "in %s, NULL valueDesc\n" : "in %s, NULL keyDesc\n", selector);
    object_dispose(this);
    return nil;
  }
  // The bucket count is the next power of two, which must fit its word; a
  // capacity from a Tcl word may not.
  if (capacity > maxCapacity) {
    tclObjc_error("in %s, capacity %u is above %u\n", selector, capacity, maxCapacity);
    object_dispose(this);
    return nil;
  }
  keyDesc = aKeyDesc;
  valueDesc = aValueDesc;
  switch (keyDesc[0]) {
    case '@': case '#': _buckets = newCache(capacity, hashObject, equalObjects); break;
    case '*': case '%': _buckets = newCache(capacity, hashText, equalTexts); break;
    case '^': _buckets = newCache(capacity, hashPointer, identical); break;
    default: _buckets = newCache(capacity, hashValue, identical); break;
  }
  count = 0;
  _nbBuckets = _buckets->size;
  return this;
}

id HashTable::initKeyDesc_valueDesc(const char* aKeyDesc, const char* aValueDesc) {
  return initKeyDesc_valueDesc_capacity(aKeyDesc, aValueDesc, 32);
}
id HashTable::initKeyDesc(const char* aKeyDesc) { return initKeyDesc_valueDesc(aKeyDesc, "@"); }
id HashTable::init() { return initKeyDesc_valueDesc("@", "@"); }

unsigned HashTable::getCount() { return count; }

BOOL HashTable::isKey(const void* key) { return *slotOf(_buckets, key) ? YES : NO; }

void* HashTable::valueForKey(const void* key) {
  HashNode* node = *slotOf(_buckets, key);
  return node ? node->value : nullptr;
}

void* HashTable::insertKey_value(const void* key, const void* value) {
  void* old = nullptr;
  if (HashNode* node = *slotOf(_buckets, key)) {
    old = node->value;
    node->key = key;
    node->value = const_cast<void*>(value);
  } else {
    node = static_cast<HashNode*>(objc_malloc(sizeof(HashNode)));
    HashNode** bucket = &_buckets->buckets[_buckets->hash(key) & _buckets->mask];
    *node = {key, const_cast<void*>(value), *bucket};
    *bucket = node;
    _buckets->used++;
    growIfFull(_buckets);
  }
  count = _buckets->used;
  _nbBuckets = _buckets->size;
  return old;
}

id HashTable::removeKey(id key) {
  HashNode** slot = slotOf(_buckets, key);
  HashNode* node = *slot;
  if (!node) return nil;
  void* old = node->value;
  *slot = node->next;
  objc_free(node);
  _buckets->used--;
  count = _buckets->used;
  _nbBuckets = _buckets->size;
  return static_cast<id>(old);
}

id HashTable::empty() {
  clearCache(_buckets);
  count = 0;
  return this;
}

id HashTable::freeObjects() {
  if (holdsObjects(valueDesc)) forEachNode(_buckets, [](HashNode* node) { msg::free_(asObject(node->value)); });
  return empty();
}

id HashTable::freeKeys_values(void (*)(void*), void (*)(void*)) {
  tclObjc_error("%s not implemented\n", sel_get_name(msg::freeKeys_values.sel));
  return nil;
}

id HashTable::free_() {
  deleteCache(_buckets);
  return Object::free_();
}

id HashTable::shallowCopy() {
  auto* copy = static_cast<HashTable*>(Object::shallowCopy());
  copy->_buckets = newCache(_buckets->size, _buckets->hash, _buckets->compare);
  forEachNode(_buckets, [copy](HashNode* node) { copy->insertKey_value(node->key, node->value); });
  return copy;
}

id HashTable::deepen() {
  if (holdsObjects(valueDesc))
    forEachNode(_buckets, [](HashNode* node) { node->value = msg::deepCopy(asObject(node->value)); });
  return this;
}

id HashTable::makeObjectsPerform(SEL sel) {
  forEachNode(_buckets, [sel](HashNode* node) { tclObjc_perform(asObject(node->value), sel); });
  return this;
}

id HashTable::makeObjectsPerform_with(SEL sel, id argument) {
  forEachNode(_buckets, [=](HashNode* node) { tclObjc_perform_with(asObject(node->value), sel, argument); });
  return this;
}

id HashTable::write(TypedStream* stream) {
  if (!std::strcmp(keyDesc, "%")) {
    tclObjc_error("Archiving atom strings, @encode()=\"%%\", not yet handled\n");
    return nil;
  }
  if (!fitsSlot(keyDesc) || !fitsSlot(valueDesc)) {
    tclObjc_error("in %s, entries of type \"%s\" cannot be written\n", sel_get_name(msg::write.sel),
                  fitsSlot(keyDesc) ? valueDesc : keyDesc);
    return nil;
  }
  objc_write_types(stream, "II**", &count, &_nbBuckets, &keyDesc, &valueDesc);
  forEachNode(_buckets, [&](HashNode* node) {
    objc_write_type(stream, keyDesc, &node->key);
    objc_write_type(stream, valueDesc, &node->value);
  });
  return this;
}

// Texts read as keys or values are the caller's, as inserted ones are.
id HashTable::read(TypedStream* stream) {
  unsigned entries, buckets;
  char *keyText, *valueText;
  objc_read_types(stream, "II**", &entries, &buckets, &keyText, &valueText);
  if (!keyText || !valueText) objc_typed_stream_error(stream, "a HashTable without a key or value description");
  for (const char* desc : {keyText, valueText})
    if (!fitsSlot(desc)) objc_typed_stream_error(stream, "a HashTable with entries of type \"%s\"", desc);
  if (buckets > objc_typed_stream_max_capacity) objc_typed_stream_error(stream, "a HashTable of %u buckets", buckets);
  initKeyDesc_valueDesc_capacity(internedDescription(keyText), internedDescription(valueText), buckets);
  objc_free(keyText);
  objc_free(valueText);
  for (unsigned i = 0; i < entries; i++) {
    void* key = nullptr;
    void* value = nullptr;
    objc_read_type(stream, keyDesc, &key);
    objc_read_type(stream, valueDesc, &value);
    if (isKey(key)) objc_typed_stream_error(stream, "a HashTable with a key twice");
    insertKey_value(key, value);
  }
  return this;
}

HashState HashTable::initState() { return {0, nullptr}; }

BOOL HashTable::nextState_key_value(HashState* state, const void** key, void** value) {
  auto* node = static_cast<HashNode*>(state->node);
  node = node ? node->next : nullptr;
  while (!node && state->bucket < _buckets->size) node = _buckets->buckets[state->bucket++];
  state->node = node;
  if (!node) return NO;
  *key = node->key;
  *value = node->value;
  return YES;
}

REGISTER_CLASS(HashTable, Object,
  ivar(&HashTable::count, "count"),
  ivar(&HashTable::keyDesc, "keyDesc"),
  ivar(&HashTable::valueDesc, "valueDesc"),
  ivar(&HashTable::_nbBuckets, "_nbBuckets"),
  ivar(&HashTable::_buckets, "_buckets"),
  classMethod<&HashTable::newKeyDesc>(msg::newKeyDesc),
  classMethod<&HashTable::newKeyDesc_valueDesc>(msg::newKeyDesc_valueDesc),
  classMethod<&HashTable::newKeyDesc_valueDesc_capacity>(msg::newKeyDesc_valueDesc_capacity),
  method<&HashTable::initKeyDesc_valueDesc_capacity>(msg::initKeyDesc_valueDesc_capacity),
  method<&HashTable::initKeyDesc_valueDesc>(msg::initKeyDesc_valueDesc),
  method<&HashTable::initKeyDesc>(msg::initKeyDesc),
  method<&HashTable::init>(msg::init),
  method<&HashTable::getCount>(msg::count),
  method<&HashTable::isKey>(msg::isKey),
  method<&HashTable::valueForKey>(msg::valueForKey),
  method<&HashTable::insertKey_value>(msg::insertKey_value),
  method<&HashTable::removeKey>(msg::removeKey),
  method<&HashTable::empty>(msg::empty),
  method<&HashTable::freeObjects>(msg::freeObjects),
  method<&HashTable::freeKeys_values>(msg::freeKeys_values),
  method<&HashTable::free_>(msg::free_),
  method<&HashTable::shallowCopy>(msg::shallowCopy),
  method<&HashTable::deepen>(msg::deepen),
  method<&HashTable::makeObjectsPerform>(msg::makeObjectsPerform),
  method<&HashTable::makeObjectsPerform_with>(msg::makeObjectsPerform_with),
  method<&HashTable::write>(msg::write),
  method<&HashTable::read>(msg::read))
