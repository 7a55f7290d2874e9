// The creation protocol's classes: Customize_s < CreateDrop_s < CreateDrop.
#pragma once

#include "defobj/Object_s.h"

// Customization: a type may be prepared once (customizeBegin: ...
// customizeEnd) so that later create: messages copy a template or send a
// chosen message instead of repeating the creation steps. While a
// customization is open the prepared object's class is a private copy of
// its class that carries CLS_CUSTOMIZING.
struct Customize_s : Object_s {
  static id createBegin(Class cls, id zone);
  static id customizeBegin(Class cls, id zone);
  static id customizeBeginEnd(Class cls, id zone);
  static void setTypeImplemented(Class cls, id type);

  id customizeEnd();
  id customizeCopy(id zone);
  // Create-by actions, chosen by createEnd while customizing.
  void _setCreateByCopy_();
  void _setCreateByMessage_to(SEL sel, id receiver);
  void _setCreateByMessage_toCopy(SEL sel, id original);
  void _setRecustomize_(id receiver);
};

struct CreateDrop_s : Customize_s {
  static id createBegin(Class cls, id zone);
  static id create(Class cls, id zone);
  id createEnd();
};

// The base of user-level and model classes: one class for every phase.
struct CreateDrop : CreateDrop_s {
  id createEnd();
};
