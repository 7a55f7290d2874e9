// Typed message declarations. Each message is declared once, with its C++
// signature, in its module's messages header; a send looks the selector up
// in the receiver's dispatch table and calls the implementation with the
// arguments converted by the compiler. A nil receiver answers zero.
#pragma once

#include <string>
#include <type_traits>

#include "runtime/dispatch.h"
#include "runtime/encoding.h"

IMP __objc_forward_lookup(id receiver, SEL sel);

// The fast path of objc_msg_lookup for a non-nil receiver.
inline IMP objc_send_lookup(id receiver, SEL sel) {
  IMP imp = sarray_get(receiver->isa->dtable, sel->uid);
  return imp ? imp : __objc_forward_lookup(receiver, sel);
}

// Implementations are stored as IMP and called through their real type.
template <class F>
inline IMP to_imp(F f) {
  return reinterpret_cast<IMP>(reinterpret_cast<void (*)()>(f));
}
template <class F>
inline F imp_cast(IMP imp) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(imp));
}

// Sends forward:: for a selector the receiver has no implementation of,
// through forward::'s own type, and answers what forward:: answers. The
// frame holds the addresses of the message's arguments in order, ended by
// null; it is null where the arguments are not known (an implementation
// pointer called through a type of the caller's own).
id objc_forward_message(id receiver, SEL sel, const void* const* frame);

template <class... A>
inline id objc_forward_with_frame(id receiver, SEL sel, const A&... args) {
  const void* const frame[] = {static_cast<const void*>(&args)..., nullptr};
  return objc_forward_message(receiver, sel, frame);
}

// A forwarded send answers forward::'s object where an object is expected;
// a send of any other type answers zero, as forward:: carries no such value.
template <class R>
inline R forwardedResult(id answer) {
  if constexpr (std::is_same_v<R, id>)
    return answer;
  else if constexpr (!std::is_void_v<R>)
    return R();
}

template <class Sig>
struct Message;

template <class R, class... A>
struct Message<R(A...)> {
  using Imp = R (*)(id, SEL, A...);
  SEL sel;

  explicit Message(const char* name)
      : sel(sel_register_typed_name(name, objc_method_encoding<R, A...>().c_str())) {}

  R operator()(id receiver, A... args) const {
    if (!receiver) return R();
    if (IMP imp = sarray_get(receiver->isa->dtable, sel->uid)) return imp_cast<Imp>(imp)(receiver, sel, args...);
    return forwardedResult<R>(objc_forward_with_frame(receiver, sel, args...));
  }
};

// A message with a C variable argument list after its fixed arguments.
template <class R, class... A>
struct Message<R(A..., ...)> {
  SEL sel;

  explicit Message(const char* name)
      : sel(sel_register_typed_name(name, objc_method_encoding<R, A...>().c_str())) {}

  template <class... V>
  R operator()(id receiver, A... args, V... rest) const {
    if (!receiver) return R();
    using Imp = R (*)(id, SEL, A..., ...);
    if (IMP imp = sarray_get(receiver->isa->dtable, sel->uid))
      return imp_cast<Imp>(imp)(receiver, sel, args..., rest...);
    // The variable arguments have no types in the selector: no frame.
    return forwardedResult<R>(objc_forward_message(receiver, sel, nullptr));
  }
};

template <class Sig>
inline SEL selectorOf(const Message<Sig>& m) { return m.sel; }
