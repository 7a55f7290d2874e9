// A send from one call site that keeps the implementation it last found,
// with the receiver's class it found it for: while the receivers are of
// that class the dispatch-table search is skipped. The class is checked at
// every send, so a receiver of another class is looked up anew, and one
// that lacks the method is forwarded by the plain send.
#pragma once

#include "runtime/message.h"

template <class Sig>
class CachedSend;

template <class R, class... A>
class CachedSend<R(A...)> {
 public:
  explicit CachedSend(const Message<R(A...)>& message) : message(message) {}

  R operator()(id receiver, A... args) {
    if (!receiver || receiver->isa != cls) {
      IMP found = receiver ? get_imp(receiver->isa, message.sel) : nullptr;
      if (!found) return message(receiver, args...);
      imp = imp_cast<typename Message<R(A...)>::Imp>(found);
      cls = receiver->isa;
    }
    return imp(receiver, message.sel, args...);
  }

 private:
  const Message<R(A...)>& message;
  Class cls = nullptr;
  typename Message<R(A...)>::Imp imp = nullptr;
};

template <class Sig>
CachedSend(const Message<Sig>&) -> CachedSend<Sig>;
