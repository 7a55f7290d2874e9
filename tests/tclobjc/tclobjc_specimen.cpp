#include "tclobjc_specimen.h"

#include <string>

#include "defobj/Zone.h"
#include "defobj/defobj.h"
#include "tclobjc/tclobjc.h"

void TclSpecimen::setX_Y(int newX, int newY) { x = newX, y = newY; }
int TclSpecimen::getCount() { return ++calls; }
double TclSpecimen::half() { return 0.5; }
void TclSpecimen::nothing() { calls++; }
id TclSpecimen::getPartner() { return partner; }
void TclSpecimen::setPartner(id object) { partner = object; }
const char* TclSpecimen::label() { return "a label"; }
void TclSpecimen::store(char c, unsigned char uc, short s, unsigned short us, int i, unsigned u, long l,
                        unsigned long ul, float f, double d) {
  letter = c, byte = uc, small = s, usmall = us, number = i, unumber = u, wide = l, uwide = ul, ratio = f, real = d;
}
unsigned TclSpecimen::getUnsigned() { return 4000000000u; }
long TclSpecimen::getLong() { return -(1L << 40); }
char TclSpecimen::getChar() { return 'A'; }
void* TclSpecimen::getPointer() { return pointer; }
void TclSpecimen::setPointer(void* p) { pointer = p; }
Class TclSpecimen::myClass() { return isa; }
const char* TclSpecimen::longText() {
  static const std::string text(1024, 'x');
  return text.c_str();
}
void TclSpecimen::evalText(const char* text) { msg::eval(msg::firstTcl(objc_get_class("TclInterp")), "%s", text); }
id TclSpecimen::dropSelf() {
  msg::drop(this);
  return this;
}
void TclSpecimen::dropSelfQuietly() { msg::drop(this); }
int TclSpecimen::classAnswer(Class) { return 42; }

const char* TclNamedSpecimen::getName() { return ownName; }

REGISTER_CLASS(TclSpecimen, CreateDrop,
  method<&TclSpecimen::setX_Y>(msg::t_setX_Y),
  method<&TclSpecimen::getCount>(msg::t_getCount),
  method<&TclSpecimen::half>(msg::t_half),
  method<&TclSpecimen::nothing>(msg::t_nothing),
  method<&TclSpecimen::getPartner>(msg::t_partner),
  method<&TclSpecimen::setPartner>(msg::t_setPartner),
  method<&TclSpecimen::label>(msg::t_label),
  method<&TclSpecimen::store>(msg::t_store),
  method<&TclSpecimen::getUnsigned>(msg::t_unsigned),
  method<&TclSpecimen::getLong>(msg::t_long),
  method<&TclSpecimen::getChar>(msg::t_char),
  method<&TclSpecimen::getPointer>(msg::t_pointer),
  method<&TclSpecimen::setPointer>(msg::t_setPointer),
  method<&TclSpecimen::myClass>(msg::t_myClass),
  method<&TclSpecimen::longText>(msg::t_longText),
  method<&TclSpecimen::evalText>(msg::t_eval),
  method<&TclSpecimen::dropSelf>(msg::t_dropSelf),
  method<&TclSpecimen::dropSelfQuietly>(msg::t_dropSelfQuietly),
  classMethod<&TclSpecimen::classAnswer>(msg::t_classAnswer))

REGISTER_CLASS(TclNamedSpecimen, CreateDrop,
  method<&TclNamedSpecimen::getName>(msg::getName))

void register_tclobjc_specimens() {
  objc_register_TclSpecimen();
  objc_register_TclNamedSpecimen();
}

TclSpecimen* makeSpecimen() {
  return static_cast<TclSpecimen*>(msg::create(objc_get_class("TclSpecimen"), _obj_globalZone));
}

TclNamedSpecimen* makeNamedSpecimen() {
  return static_cast<TclNamedSpecimen*>(msg::create(objc_get_class("TclNamedSpecimen"), _obj_globalZone));
}
