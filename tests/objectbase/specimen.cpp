#include "objectbase/specimen.h"

#include <cstring>

#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_text.h"

long long Specimen::mix(int i, double d, long long q, unsigned char b, char c, const char* s, id o) {
  return i + static_cast<long long>(d * 10) + q + b + c + static_cast<long long>(std::strlen(s)) +
         (o == this ? 1000000 : 0);
}

void Specimen::moveX_y(int newX, int newY) {
  x = newX;
  y = newY;
}

double Specimen::half() { return real / 2; }
id Specimen::getPartner() { return partner; }
const char* Specimen::label() { return "specimen"; }
BOOL Specimen::isBig() { return number > 100; }
long Specimen::big() { return 1L << 40; }
float Specimen::getRatio() { return ratio; }
unsigned long long Specimen::sum64(unsigned long long a, long long b) { return a + b; }

Class Specimen::classOf(Class cls, SEL sel) {
  lastSelector = sel;
  return cls;
}

int Specimen::sameNameMethod() { return sameName; }

double Kid::half() { return real * 2; }

void Listener::eventOccurredOn_via_withProbeType_on_ofType_withData(id o, id p, const char* k, const char* n, char t,
                                                                    const void* d) {
  heard++;
  object = o;
  probe = p;
  kind = k;
  name = n;
  type = t;
  data = d;
}

REGISTER_CLASS(Specimen, BroodObject,
  ivar(&Specimen::flag, "flag"),
  ivar(&Specimen::letter, "letter"),
  ivar(&Specimen::byte, "byte"),
  ivar(&Specimen::small, "small"),
  ivar(&Specimen::usmall, "usmall"),
  ivar(&Specimen::number, "number"),
  ivar(&Specimen::unumber, "unumber"),
  ivar(&Specimen::wide, "wide"),
  ivar(&Specimen::uwide, "uwide"),
  ivar(&Specimen::huge, "huge"),
  ivar(&Specimen::uhuge, "uhuge"),
  ivar(&Specimen::ratio, "ratio"),
  ivar(&Specimen::real, "real"),
  ivar(&Specimen::extended, "extended"),
  ivar(&Specimen::text, "text"),
  ivar(&Specimen::partner, "partner"),
  ivar(&Specimen::kind, "kind"),
  ivar(&Specimen::action, "action"),
  ivar(&Specimen::pointer, "pointer"),
  ivar(&Specimen::grid, "grid"),
  ivar(&Specimen::series, "series"),
  ivar(&Specimen::record, "record"),
  ivar(&Specimen::records, "records"),
  ivar(&Specimen::sameName, "sameName"),
  ivar(&Specimen::x, "x"),
  ivar(&Specimen::y, "y"),
  ivar(&Specimen::lastSelector, "lastSelector"),
  phase(Phase::Using),
  method<&Specimen::mix>(msg::t_mix),
  method<&Specimen::moveX_y>(msg::t_moveX_y),
  method<&Specimen::half>(msg::t_half),
  method<&Specimen::getPartner>(msg::t_partner),
  method<&Specimen::label>(msg::t_label),
  method<&Specimen::isBig>(msg::t_isBig),
  method<&Specimen::big>(msg::t_big),
  method<&Specimen::getRatio>(msg::t_ratio),
  method<&Specimen::sum64>(msg::t_sum64),
  method<&Specimen::classOf>(msg::t_classOf),
  method<&Specimen::sameNameMethod>(msg::sameName))

REGISTER_CLASS(Kid, Specimen,
  ivar(&Kid::extra, "extra"),
  method<&Kid::half>(msg::t_half))

REGISTER_CLASS(Listener, BroodObject,
  ivar(&Listener::heard, "heard"),
  ivar(&Listener::object, "object"),
  ivar(&Listener::probe, "probe"),
  ivar(&Listener::kind, "kind"),
  ivar(&Listener::name, "name"),
  ivar(&Listener::type, "type"),
  ivar(&Listener::data, "data"),
  method<&Listener::eventOccurredOn_via_withProbeType_on_ofType_withData>(
      msg::eventOccurredOn_via_withProbeType_on_ofType_withData))

REGISTER_CLASS(Colony, Brood,
  ivar(&Colony::population, "population"))

void register_specimen_classes() {
  objc_register_Specimen();
  objc_register_Kid();
  objc_register_Listener();
  objc_register_Colony();
}

Class specimenClass() { return objc_get_class("Specimen"); }
Class kidClass() { return objc_get_class("Kid"); }

Specimen* newSpecimen() { return static_cast<Specimen*>(msg::create(specimenClass(), _obj_globalZone)); }
Kid* newKid() { return static_cast<Kid*>(msg::create(kidClass(), _obj_globalZone)); }
Colony* newColony() { return static_cast<Colony*>(msg::create(objc_get_class("Colony"), _obj_globalZone)); }
Listener* newListener() { return static_cast<Listener*>(msg::create(objc_get_class("Listener"), _obj_globalZone)); }

id varProbe(const char* name, Class cls) {
  id probe = msg::createBegin(objc_get_class("VarProbe"), _obj_globalZone);
  msg::setProbedClass(probe, cls);
  msg::setProbedVariable(probe, name);
  return msg::createEnd(probe);
}

id messageProbe(const char* selector, Class cls) {
  id probe = msg::createBegin(objc_get_class("MessageProbe"), _obj_globalZone);
  msg::setProbedClass(probe, cls);
  msg::setProbedSelector(probe, sel_get_any_typed_uid(selector));
  return msg::createEnd(probe);
}

std::string textOf(id probe, id object, BOOL fullPrecision) {
  char buffer[ProbeTextSize];
  return msg::probeAsString_Buffer_withFullPrecision(probe, object, buffer, fullPrecision);
}
