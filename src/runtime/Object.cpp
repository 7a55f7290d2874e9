#include "runtime/Object.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

id Object::alloc(Class cls) { return class_create_instance(cls); }
id Object::classSelf(Class cls) { return cls; }
BOOL Object::classRespondsTo(Class cls, SEL sel) { return class_responds_to(cls->isa, sel); }
id Object::init() { return this; }

id Object::free_() {
  object_dispose(this);
  return nil;
}

id Object::shallowCopy() {
  id copy = class_create_instance(isa);
  std::memcpy(static_cast<void*>(copy), this, isa->instanceSize);
  return copy;
}

id Object::copy_() { return msg::deepen(shallowCopy()); }
id Object::deepen() { return this; }
id Object::deepCopy() { return copy_(); }
id Object::self() { return this; }

id Object::forward(SEL sel, void*) { return msg::doesNotRecognize(this, sel); }

id Object::doesNotRecognize(SEL sel) {
  std::fprintf(stderr, "%s does not recognize %s\n", isa->name, sel_get_name(sel));
  std::abort();
}

BOOL Object::respondsTo(SEL sel) { return class_responds_to(isa, sel); }

REGISTER_ROOT_CLASS(Object,
  classMethod<&Object::alloc>(msg::alloc_),
  classMethod<&Object::classSelf>(msg::self),
  classMethod<&Object::classRespondsTo>(msg::respondsTo),
  method<&Object::init>(msg::init),
  method<&Object::free_>(msg::free_),
  method<&Object::copy_>(msg::copy_),
  method<&Object::shallowCopy>(msg::shallowCopy),
  method<&Object::deepen>(msg::deepen),
  method<&Object::deepCopy>(msg::deepCopy),
  method<&Object::self>(msg::self),
  method<&Object::forward>(msg::forward),
  method<&Object::doesNotRecognize>(msg::doesNotRecognize),
  method<&Object::respondsTo>(msg::respondsTo))

void objc_register_runtime() { objc_register_Object(); }
