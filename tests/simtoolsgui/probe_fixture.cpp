#include "probe_fixture.h"

#include <cstring>

#include "collections/collections.h"
#include "defobj/defobj.h"
#include "defobj/module.h"
#include "simtoolsgui/MessageProbeWidget.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/SimpleProbeDisplay.h"
#include "simtoolsgui/VarProbeWidget.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

id Gadget::setX_Y(int newX, int newY) {
  x = newX;
  y = newY;
  calls++;
  return this;
}

void Gadget::bump() { calls++; }
id Gadget::getFriend() { return friendObject; }

const char* Gadget::longText() {
  static char text[300];
  std::memset(text, 'z', sizeof text - 1);
  return text;
}

void Gadget::poke(int*) { calls++; }
void Gadget::vanish() { drop(); }

void Gadget::adopt(id object) { friendObject = object; }

val_t Gadget::record() {
  calls++;
  return val_t{};
}

REGISTER_CLASS(Gadget, BroodObject,
  ivar(&Gadget::flag, "flag"),
  ivar(&Gadget::uc, "uc"),
  ivar(&Gadget::sc, "sc"),
  ivar(&Gadget::s, "s"),
  ivar(&Gadget::us, "us"),
  ivar(&Gadget::i, "i"),
  ivar(&Gadget::u, "u"),
  ivar(&Gadget::l, "l"),
  ivar(&Gadget::ul, "ul"),
  ivar(&Gadget::ll, "ll"),
  ivar(&Gadget::ull, "ull"),
  ivar(&Gadget::f, "f"),
  ivar(&Gadget::d, "d"),
  ivar(&Gadget::ld, "ld"),
  ivar(&Gadget::text, "text"),
  ivar(&Gadget::friendObject, "friendObject"),
  ivar(&Gadget::x, "x"),
  ivar(&Gadget::y, "y"),
  ivar(&Gadget::calls, "calls"),
  method<&Gadget::setX_Y>(msg::setX_Y),
  method<&Gadget::bump>(msg::t_bump),
  method<&Gadget::getFriend>(msg::t_getFriend),
  method<&Gadget::longText>(msg::t_longText),
  method<&Gadget::poke>(msg::t_poke),
  method<&Gadget::vanish>(msg::t_vanish),
  method<&Gadget::record>(msg::t_record),
  method<&Gadget::adopt>(msg::t_adopt))

REGISTER_CLASS(Blank, BroodObject)

void register_probe_specimens() {
  if (objc_lookup_class("Gadget")) return;
  objc_register_Gadget();
  objc_register_Blank();
}

void ProbeTest::SetUp() {
  register_probe_specimens();
  msg::setDropImmediatelyFlag(probeDisplayManager, YES);
}

void ProbeTest::TearDown() {
  msg::setDropImmediatelyFlag(probeDisplayManager, YES);
  auto* manager = static_cast<ProbeDisplayManager*>(probeDisplayManager);
  while (msg::getCount(manager->probeList)) msg::drop(msg::getFirst(manager->probeList));
  drain();
}

Gadget* ProbeTest::newGadget() { return static_cast<Gadget*>(msg::create(objc_get_class("Gadget"), _obj_globalZone)); }

id ProbeTest::fullDisplay(id object) {
  id map = msg::createBegin(objc_get_class("ProbeMap"), _obj_globalZone);
  msg::setProbedClass(map, object->isa);
  map = msg::createEnd(map);
  id factory = msg::createBegin(objc_get_class("ProbeDisplay"), _obj_globalZone);
  msg::setProbedObject(factory, object);
  msg::setProbeMap(factory, map);
  return msg::createEnd(factory);
}

id ProbeTest::rowOf(id display, const char* name) {
  auto* d = static_cast<SimpleProbeDisplay*>(display);
  for (unsigned n = 0; n < d->count; n++) {
    id row = d->widgets[n];
    const bool variable = msg::isSubclass(row->isa, objc_get_class("VarProbeWidget"));
    const char* rowName = variable ? msg::getProbedVariable(static_cast<VarProbeWidget*>(row)->myProbe)
                                   : msg::getProbedMessage(static_cast<MessageProbeWidget*>(row)->myProbe);
    if (std::strcmp(rowName, name) == 0) return row;
  }
  ADD_FAILURE() << "no row for " << name;
  return nil;
}

std::string ProbeTest::entryOf(id display, const char* variable) {
  return msg::getWidgetName(static_cast<VarProbeWidget*>(rowOf(display, variable))->myEntry);
}

std::string ProbeTest::slotOf(id display, const char* method, int slot) {
  auto* row = static_cast<MessageProbeWidget*>(rowOf(display, method));
  return msg::getWidgetName(slot < 0 ? row->resultMessageProbeEntry : row->myWidgets[slot]);
}

void ProbeTest::type(const std::string& entry, const std::string& text) {
  tcl("focus -force " + entry + "; update; " + entry + " delete 0 end; " + entry + " insert 0 " +
      tclQuote(text.c_str()) + "; event generate " + entry + " <Return>; event generate " + entry +
      " <KeyRelease-Return>");
}

unsigned ProbeTest::displayCount() {
  return msg::getCount(static_cast<ProbeDisplayManager*>(probeDisplayManager)->probeList);
}

void ProbeTest::drain() {
  tcl("update");
  while (voduva_doOneEventAsync()) {}
}

bool ProbeTest::exists(const std::string& path) { return tcl("winfo exists " + path) == "1"; }
