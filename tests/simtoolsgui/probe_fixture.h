// Probe displays under Xvfb: a test class with a variable of every probe-able
// type and methods of several shapes, and helpers that use a display as a
// person does, through its Tk windows.
#pragma once

#include <string>

#include "gui_brood_fixture.h"
#include "defobj/fcall_type.h"
#include "objectbase/BroodObject.h"

namespace msg {
inline const Message<void()> t_bump{"t_bump"};
inline const Message<id()> t_getFriend{"t_getFriend"};
inline const Message<const char*()> t_longText{"t_longText"};
inline const Message<void(int*)> t_poke{"t_poke:"};
inline const Message<void()> t_vanish{"t_vanish"};
inline const Message<val_t()> t_record{"t_record"};
inline const Message<void(id)> t_adopt{"t_adopt:"};
}  // namespace msg

struct Gadget : BroodObject {
  BOOL flag;
  unsigned char uc;
  signed char sc;
  short s;
  unsigned short us;
  int i;
  unsigned u;
  long l;
  unsigned long ul;
  long long ll;
  unsigned long long ull;
  float f;
  double d;
  long double ld;
  const char* text;
  id friendObject;
  int x, y;
  int calls;

  id setX_Y(int newX, int newY);
  void bump();
  id getFriend();
  const char* longText();
  void poke(int* p);
  void vanish();
  val_t record();
  void adopt(id object);
};

// A class with nothing to probe.
struct Blank : BroodObject {};

void register_probe_specimens();

// No brood, no control panel: displays of Gadgets only.
class ProbeTest : public GUIBroodTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  Gadget* newGadget();
  // A simple display of every variable and method of the gadget.
  id fullDisplay(id object);
  // The row of a variable or method of a simple display.
  id rowOf(id display, const char* name);
  // The Tk path of the value entry of a variable, or of the widget in slot
  // of a method's row (-1: the result entry).
  std::string entryOf(id display, const char* variable);
  std::string slotOf(id display, const char* method, int slot);
  // Types the text into the entry and presses Return.
  void type(const std::string& entry, const std::string& text);
  unsigned displayCount();
  void drain();
  bool exists(const std::string& path);
};
