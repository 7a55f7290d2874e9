// Class registration. A class's table lists its variables and methods in
// declaration order; each method is a C++ member function (a class method
// is a static member function taking the class) turned by a template into
// the C-ABI implementation that dispatch and dynamic calls use:
//
//   REGISTER_CLASS(List_any, Collection_any,
//     ivar(&List_any::firstLink, "firstLink"),
//     method<&List_any::addLast>(msg::addLast));
//
// defines objc_register_List_any(), which the module's registration calls.
#pragma once

#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/message.h"

struct objc_class_entry {
  enum Kind { Ivar, InstanceMethod, ClassMethod } kind;
  const char* name;   // variable name (Ivar)
  SEL sel;            // selector (methods)
  std::string types;  // variable or method encoding
  long offset;        // Ivar
  IMP imp;            // methods
};

struct objc_class_def {
  const char* name;
  const char* superName;  // null for a root class
  long instanceSize;
  std::vector<objc_class_entry> entries;
  objc_class_def* next;  // queue before start-up
  Class cls;             // the class once resolved
};

template <class T, class F>
inline objc_class_entry ivar(F T::*field, const char* name) {
  alignas(T) static unsigned char probe[sizeof(T)];
  T* object = reinterpret_cast<T*>(probe);
  long offset = reinterpret_cast<unsigned char*>(&(object->*field)) - probe;
  return {objc_class_entry::Ivar, name, nullptr, objc_encode<F>(), offset, nullptr};
}

template <auto F>
struct objc_method_imp;

template <class T, class R, class... A, R (T::*F)(A...)>
struct objc_method_imp<F> {
  using Sig = R(A...);
  static R imp(id self, SEL, A... args) { return (static_cast<T*>(self)->*F)(args...); }
};

template <class T, class R, class... A, R (T::*F)(A...) const>
struct objc_method_imp<F> {
  using Sig = R(A...);
  static R imp(id self, SEL, A... args) { return (static_cast<const T*>(self)->*F)(args...); }
};

// A class method's function takes the receiving class first.
template <class C, class R, class... A, R (*F)(C, A...)>
struct objc_method_imp<F> {
  using Sig = R(A...);
  static R imp(id self, SEL, A... args) { return F(reinterpret_cast<C>(self), args...); }
};

template <auto F, class Sig>
inline objc_class_entry method(const Message<Sig>& m) {
  static_assert(std::is_same_v<typename objc_method_imp<F>::Sig, Sig>,
                "method signature differs from its message declaration");
  return {objc_class_entry::InstanceMethod, nullptr, m.sel, sel_get_type(m.sel), 0,
          to_imp(&objc_method_imp<F>::imp)};
}

template <auto F, class Sig>
inline objc_class_entry classMethod(const Message<Sig>& m) {
  static_assert(std::is_same_v<typename objc_method_imp<F>::Sig, Sig>,
                "class method signature differs from its message declaration");
  return {objc_class_entry::ClassMethod, nullptr, m.sel, sel_get_type(m.sel), 0,
          to_imp(&objc_method_imp<F>::imp)};
}

// An implementation written as a C function (self, _cmd, args...), for
// variable-argument messages and for markers.
inline objc_class_entry rawMethod(SEL sel, IMP imp) {
  return {objc_class_entry::InstanceMethod, nullptr, sel, sel_get_type(sel) ? sel_get_type(sel) : "", 0, imp};
}
inline objc_class_entry rawClassMethod(SEL sel, IMP imp) {
  return {objc_class_entry::ClassMethod, nullptr, sel, sel_get_type(sel) ? sel_get_type(sel) : "", 0, imp};
}

template <class T>
inline void objc_check_plain() {
  static_assert(std::is_trivial_v<T> && !std::is_polymorphic_v<T>,
                "objects are plain structs: no virtual functions, constructors or owning members");
  static_assert(std::is_base_of_v<objc_object, T>, "objects begin with the class pointer");
}

void objc_register_def(objc_class_def* def, const char* name, const char* superName,
                       long instanceSize, std::initializer_list<objc_class_entry> entries);

#define OBJC_DEFINE_REGISTRATION(cls, superName, ...)                              \
  void objc_register_##cls() {                                                     \
    objc_check_plain<cls>();                                                       \
    static objc_class_def def;                                                     \
    objc_register_def(&def, #cls, superName, sizeof(cls), {__VA_ARGS__});          \
  }

#define REGISTER_CLASS(cls, super, ...)                                            \
  static_assert(std::is_base_of_v<super, cls>, #cls " must derive from " #super);  \
  OBJC_DEFINE_REGISTRATION(cls, #super, __VA_ARGS__)

#define REGISTER_ROOT_CLASS(cls, ...) OBJC_DEFINE_REGISTRATION(cls, nullptr, __VA_ARGS__)

// Declares a registration function so a module can call it.
#define DECLARE_CLASS_REGISTRATION(cls) void objc_register_##cls()
