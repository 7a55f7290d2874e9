// The Tcl bridge's word conversion on arbitrary command lines: the input's
// lines are the words of a command sent to a target object whose methods
// take and answer every type the bridge converts. Each word is also read
// as an object name, which must never answer an object that is not live.
// Only the target's own "fz" methods are sent: the inherited ones (drop,
// copy:) would take the target or the process down by design.
#include <tcl.h>

#include <cstring>
#include <string>
#include <vector>

#include "defobj/CreateDrop.h"
#include "defobj/defobj.h"
#include "harness.h"
#include "tclobjc/tclobjc.h"

namespace msg {
inline const Message<int(int)> fzInt{"fzInt:"};
inline const Message<unsigned(unsigned, unsigned long)> fzUnsigned{"fzUnsigned:long:"};
inline const Message<long(long)> fzLong{"fzLong:"};
inline const Message<short(short, unsigned short)> fzShort{"fzShort:ushort:"};
inline const Message<unsigned char(char, unsigned char)> fzChar{"fzChar:uchar:"};
inline const Message<double(double, float)> fzReal{"fzReal:float:"};
inline const Message<float(float)> fzFloat{"fzFloat:"};
inline const Message<const char*(const char*)> fzEcho{"fzEcho:"};
inline const Message<id(id)> fzObject{"fzObject:"};
inline const Message<void*()> fzPointer{"fzPointer"};
inline const Message<void()> fzNothing{"fzNothing"};
}  // namespace msg

struct FuzzTarget : CreateDrop {
  int fzInt(int n) { return n; }
  unsigned fzUnsigned(unsigned u, unsigned long ul) { return u + static_cast<unsigned>(ul); }
  long fzLong(long l) { return l; }
  short fzShort(short s, unsigned short us) { return static_cast<short>(s + us); }
  unsigned char fzChar(char c, unsigned char uc) { return static_cast<unsigned char>(c + uc); }
  double fzReal(double d, float f) { return d + f; }
  float fzFloat(float f) { return f; }
  const char* fzEcho(const char* text) { return text; }
  id fzObject(id object) { return object; }
  void* fzPointer() { return this; }
  void fzNothing() {}
};

REGISTER_CLASS(FuzzTarget, CreateDrop,
  method<&FuzzTarget::fzInt>(msg::fzInt),
  method<&FuzzTarget::fzUnsigned>(msg::fzUnsigned),
  method<&FuzzTarget::fzLong>(msg::fzLong),
  method<&FuzzTarget::fzShort>(msg::fzShort),
  method<&FuzzTarget::fzChar>(msg::fzChar),
  method<&FuzzTarget::fzReal>(msg::fzReal),
  method<&FuzzTarget::fzFloat>(msg::fzFloat),
  method<&FuzzTarget::fzEcho>(msg::fzEcho),
  method<&FuzzTarget::fzObject>(msg::fzObject),
  method<&FuzzTarget::fzPointer>(msg::fzPointer),
  method<&FuzzTarget::fzNothing>(msg::fzNothing))

namespace {

Tcl_Interp* interp;
id target;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startHarness([] {
    tclobjc_register_classes();
    objc_register_FuzzTarget();
  });
  interp = Tcl_CreateInterp();
  target = msg::create(objc_get_class("FuzzTarget"), _obj_globalZone);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Lines are words; a NUL ends the text as it would in a Tcl word.
  const std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> words{"target"};
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) {
    // A name of anything but a live object or class would show here, as a
    // read of freed or foreign memory.
    id named = tclObjc_nameToObject(word.c_str());
    if (named != TclObjcNotFound && named && !std::strlen(named->isa->name)) harnessFault("a nameless class");
    argv.push_back(word.c_str());
  }
  if (words[1].compare(0, 2, "fz") != 0) return 0;
  if (!survivesReports([&] {
        tclObjc_msgSendToClientData(target, interp, static_cast<int>(argv.size()), argv.data());
      }))
    harnessFault("a command from Tcl ended in an error");
  Tcl_ResetResult(interp);
  return 0;
}
