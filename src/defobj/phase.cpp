#include "defobj/phase.h"

#include "defobj/messages.h"
#include "defobj/symbols.h"

namespace {

// A marker's implementation answers its phase symbol, read when the class
// is split (after the symbols exist).
template <id* symbol>
id marker(id, SEL) {
  return *symbol;
}

}  // namespace

objc_class_entry phase(Phase p) {
  static const struct {
    const Message<id()>& message;
    IMP imp;
  } markers[] = {
      {msg::_I_Creating, to_imp(&marker<&Creating>)},
      {msg::_I_Setting, to_imp(&marker<&Setting>)},
      {msg::_I_Using, to_imp(&marker<&Using>)},
      {msg::_I_CreatingOnly, to_imp(&marker<&CreatingOnly>)},
      {msg::_I_UsingOnly, to_imp(&marker<&UsingOnly>)},
  };
  const auto& m = markers[static_cast<int>(p)];
  return rawMethod(m.message.sel, m.imp);
}
