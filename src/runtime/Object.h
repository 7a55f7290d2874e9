// The runtime's root class. Objects outside the object model (the Tcl
// interpreter classes among them) descend from it and are made with alloc
// and init.
#pragma once

#include "runtime/messages.h"
#include "runtime/registration.h"

struct Object : objc_object {
  static id alloc(Class cls);
  static id classSelf(Class cls);
  static BOOL classRespondsTo(Class cls, SEL sel);
  id init();
  id free_();
  id copy_();
  id shallowCopy();
  id deepen();
  id deepCopy();
  id self();
  id forward(SEL sel, void* frame);
  id doesNotRecognize(SEL sel);
  BOOL respondsTo(SEL sel);
};

// Registers the runtime's own classes.
void objc_register_runtime();
