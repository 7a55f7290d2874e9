// Native stand-ins for host objects and classes. Only the bridge makes
// them, for objects of a host; this program never has one.
#pragma once

#include "defobj/CreateDrop.h"

struct COMProxy : CreateDrop {
  BOOL isCOMProxy();
};

struct JavaProxy : CreateDrop {
  BOOL isJavaProxy();
  int compare(id other);  // host objects have no native order: always 0
  id createJavaCounterpart(void* javaClassName);
};

struct JavaClassProxy : CreateDrop {
  BOOL isJavaProxy();
};

// A host collection, archived like the native ones.
struct JavaCollection : JavaProxy {};

struct JavaCollectionIndex : CreateDrop {
  int status;
};
