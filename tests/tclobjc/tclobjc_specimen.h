// A class for the Tcl call protocol: methods of every argument and result
// type the bridge converts, and a few it refuses.
#pragma once

#include "defobj/CreateDrop.h"

namespace msg {
inline const Message<void(int, int)> t_setX_Y{"setX:Y:"};
inline const Message<int()> t_getCount{"getCount"};
inline const Message<double()> t_half{"t_half"};
inline const Message<void()> t_nothing{"t_nothing"};
inline const Message<id()> t_partner{"t_partner"};
inline const Message<void(id)> t_setPartner{"t_setPartner:"};
inline const Message<const char*()> t_label{"t_label"};
inline const Message<void(char, unsigned char, short, unsigned short, int, unsigned, long, unsigned long, float,
                          double)>
    t_store{"t_storeChar:uchar:short:ushort:int:uint:long:ulong:float:double:"};
inline const Message<unsigned()> t_unsigned{"t_unsigned"};
inline const Message<long()> t_long{"t_long"};
inline const Message<char()> t_char{"t_char"};
inline const Message<void*()> t_pointer{"t_pointer"};
inline const Message<void(void*)> t_setPointer{"t_setPointer:"};
inline const Message<Class()> t_myClass{"t_myClass"};
inline const Message<const char*()> t_longText{"t_longText"};
inline const Message<int()> t_classAnswer{"t_classAnswer"};
inline const Message<void(const char*)> t_eval{"t_eval:"};
inline const Message<id()> t_dropSelf{"t_dropSelf"};
inline const Message<void()> t_dropSelfQuietly{"t_dropSelfQuietly"};
}  // namespace msg

struct TclSpecimen : CreateDrop {
  int x, y, calls;
  id partner;
  char letter;
  unsigned char byte;
  short small;
  unsigned short usmall;
  int number;
  unsigned unumber;
  long wide;
  unsigned long uwide;
  float ratio;
  double real;
  void* pointer;

  void setX_Y(int newX, int newY);
  int getCount();
  double half();
  void nothing();
  id getPartner();
  void setPartner(id object);
  const char* label();
  void store(char c, unsigned char uc, short s, unsigned short us, int i, unsigned u, long l, unsigned long ul,
             float f, double d);
  unsigned getUnsigned();
  long getLong();
  char getChar();
  void* getPointer();
  void setPointer(void* p);
  Class myClass();
  const char* longText();
  void evalText(const char* text);
  // Calls that drop their own receiver, answering it or nothing.
  id dropSelf();
  void dropSelfQuietly();
  static int classAnswer(Class cls);
};

// An object with a name of its own, as a user may set one: spaces, braces
// (one unbalanced) and "@".
struct TclNamedSpecimen : CreateDrop {
  static constexpr const char* ownName = "my {odd} name @ home }";
  const char* getName();
};

void register_tclobjc_specimens();
// A live specimen in the global zone.
TclSpecimen* makeSpecimen();
TclNamedSpecimen* makeNamedSpecimen();
