// A key-to-value table of the Tcl bridge. The first character of the key
// description chooses hashing and equality: "@"/"#" objects (hash,
// isEqual:), "*"/"%" texts (by content), "^" pointers, anything else the
// value itself. Made with alloc and an init... message, released with free.
#pragma once

#include "runtime/Object.h"
#include "tclobjc/messages.h"

struct HashCache;

// Where a walk with nextState:key:value: stands.
struct HashState {
  unsigned bucket;
  void* node;
};

struct HashTable : Object {
  unsigned count;
  const char* keyDesc;
  const char* valueDesc;
  unsigned _nbBuckets;
  HashCache* _buckets;

  static id newKeyDesc(Class cls, const char* keyDesc);
  static id newKeyDesc_valueDesc(Class cls, const char* keyDesc, const char* valueDesc);
  static id newKeyDesc_valueDesc_capacity(Class cls, const char* keyDesc, const char* valueDesc, unsigned capacity);
  id initKeyDesc_valueDesc_capacity(const char* keyDesc, const char* valueDesc, unsigned capacity);
  id initKeyDesc_valueDesc(const char* keyDesc, const char* valueDesc);
  id initKeyDesc(const char* keyDesc);
  id init();
  unsigned getCount();
  BOOL isKey(const void* key);
  void* valueForKey(const void* key);
  void* insertKey_value(const void* key, const void* value);
  // The key goes as an object, as for the collections' maps; answers the
  // old value.
  id removeKey(id key);
  id empty();
  id freeObjects();
  id freeKeys_values(void (*keyFunction)(void*), void (*valueFunction)(void*));
  id free_();
  id shallowCopy();
  id deepen();
  id makeObjectsPerform(SEL sel);
  id makeObjectsPerform_with(SEL sel, id argument);
  // On a typed stream: the two counts and descriptions, then every key and
  // value by its description. read: fills a table fresh from alloc.
  id write(TypedStream* stream);
  id read(TypedStream* stream);

  // Iteration, from initState on; NO at the end.
  HashState initState();
  BOOL nextState_key_value(HashState* state, const void** key, void** value);
};
