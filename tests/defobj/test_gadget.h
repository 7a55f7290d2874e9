// A test type, Gadget, implemented by Gadget_c and registered in a module
// of its own after start-up, so that it is split like the library types:
// setGadgetSize: is a creating message, setGadgetColor: and getGadgetColor
// setting messages, getGadgetSize a using message.
#pragma once

#include "defobj/CreateDrop.h"

namespace msg {
inline const Message<void(int)> setGadgetSize{"setGadgetSize:"};
inline const Message<void(int)> setGadgetColor{"setGadgetColor:"};
inline const Message<int()> getGadgetColor{"getGadgetColor"};
inline const Message<int()> getGadgetSize{"getGadgetSize"};
}  // namespace msg

struct Gadget_c : CreateDrop_s {
  int size;
  int color;

  void setGadgetSize(int s) { size = s; }
  void setGadgetColor(int c) { color = c; }
  int getGadgetColor() { return color; }
  int getGadgetSize() { return size; }
};

extern id Gadget;       // the type variable
extern id id_Gadget_c;  // the using class once split

// Registers the class and its module (once per process).
void registerGadgets();
