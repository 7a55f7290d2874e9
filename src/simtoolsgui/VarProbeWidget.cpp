#include "simtoolsgui/VarProbeWidget.h"

#include <cstring>

#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "objectbase/objectbase.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/probe_rows.h"
#include "voduva/voduva.h"
#include "voduva/VarProbeEntry.h"

id VarProbeWidget::setObject(id object) {
  myObject = object;
  return this;
}

id VarProbeWidget::setProbe(id probe) {
  myProbe = probe;
  return this;
}

id VarProbeWidget::setMyLeft(id frame) {
  myLeft = frame;
  return this;
}

id VarProbeWidget::setMyRight(id frame) {
  myRight = frame;
  return this;
}

id VarProbeWidget::setMaxLabelWidth(int width) {
  maxLabelWidth = width;
  return this;
}

void VarProbeWidget::setParent(id widget) { parent = widget; }

id VarProbeWidget::createEnd() {
  BroodObject::createEnd();
  myLabel = msg::createParent(objc_get_class("VarProbeLabel"), myLeft);
  msg::setText(myLabel, msg::getProbedVariable(myProbe));
  if (maxLabelWidth) msg::setWidth(myLabel, static_cast<unsigned>(maxLabelWidth));
  interactiveFlag = msg::getInteractiveFlag(myProbe);
  id entry = msg::createBegin(objc_get_class("VarProbeEntry"), getZone());
  msg::setParent(entry, myRight);
  msg::setOwner(entry, this);
  msg::setInteractiveFlag(entry, interactiveFlag);
  msg::setVarProbe(entry, myProbe);
  myEntry = msg::createEnd(entry);
  show(NO);
  return this;
}

id VarProbeWidget::pack() {
  msg::pack(myLabel);
  msg::pack(myEntry);
  return this;
}

// A value being typed stays until Return, Escape or focus-out: the
// refresh would otherwise throw it away while the model runs.
id VarProbeWidget::update() {
  show(YES);
  return this;
}

// Only the idle tasks run: a full update could run a button's command, or
// drop this row, in the middle of a refresh.
void VarProbeWidget::show(BOOL keepEdit) {
  char text[ProbeValueTextSize];
  msg::probeAsString_Buffer(myProbe, myObject, text);
  if (!interactiveFlag) {
    probeShowInInactiveEntry(myEntry, text);
  } else {
    const char* current = probeEntryText(myEntry);
    if (keepEdit && current && editing(current)) return;
    // Unchanged text is left alone, with the cursor and selection in it.
    if (!current || std::strcmp(current, text) != 0) msg::setValue(myEntry, text);
  }
  if (!shownText || std::strcmp(shownText, text) != 0) zreplace(getZone(), shownText, text);
  voduva_updateIdleTasks();
}

// The person is typing: the entry has the focus and its text is no longer
// what the last refresh put there.
BOOL VarProbeWidget::editing(const char* current) {
  if (!shownText || std::strcmp(current, shownText) == 0) return NO;
  msg::eval(globalTkInterp, "focus");
  return std::strcmp(msg::result(globalTkInterp), msg::getWidgetName(myEntry)) == 0;
}

void VarProbeWidget::drop() {
  msg::drop(myLabel);
  msg::drop(myEntry);
  zreplace(getZone(), shownText, nullptr);
  BroodObject::drop();
}

// Whatever the outcome, the entry then shows the variable: the value as
// read back, or the one kept after a refused text.
void VarProbeWidget::setVariableValue(const char*) {
  ProbeDisplaysBusy busy;
  if (!interactiveFlag) return;
  const char* text = probeEntryText(myEntry);
  if (!text) return;
  if (!msg::setData_ToString(myProbe, myObject, text)) voduva_ringBell();
  if (probeObjectLives(myObject)) show(NO);
}

id VarProbeWidget::heldObject() {
  const char* type = msg::getProbedType(myProbe);
  return type && type[0] == '@' ? msg::probeObject(myProbe, myObject) : nil;
}

void VarProbeWidget::Spawn(const char*) {
  ProbeDisplaysBusy busy;
  probeDisplayOrBell(heldObject());
}

const char* VarProbeWidget::package(const char*) { return probeObjectNameOrBell(heldObject()); }

// Only an object variable is a drop target.
void VarProbeWidget::idReceive(const char*) {
  ProbeDisplaysBusy busy;
  const char* type = msg::getProbedType(myProbe);
  id object = voduva_drag_and_drop_object();
  if (!type || type[0] != '@' || !object) {
    voduva_ringBell();
    return;
  }
  msg::setData_To(myProbe, myObject, &object);
  voduva_focus(myEntry);
  update();
}

const char* VarProbeWidget::getId(const char*) {
  const char* text = probeEntryText(myEntry);
  return text ? text : "";
}

REGISTER_CLASS(VarProbeWidget, BroodObject,
  ivar(&VarProbeWidget::myObject, "myObject"),
  ivar(&VarProbeWidget::myProbe, "myProbe"),
  ivar(&VarProbeWidget::myLeft, "myLeft"),
  ivar(&VarProbeWidget::myRight, "myRight"),
  ivar(&VarProbeWidget::myLabel, "myLabel"),
  ivar(&VarProbeWidget::maxLabelWidth, "maxLabelWidth"),
  ivar(&VarProbeWidget::interactiveFlag, "interactiveFlag"),
  ivar(&VarProbeWidget::myEntry, "myEntry"),
  ivar(&VarProbeWidget::parent, "parent"),
  phase(Phase::Creating),
  method<&VarProbeWidget::setObject>(msg::setObject),
  method<&VarProbeWidget::setProbe>(msg::setProbe),
  method<&VarProbeWidget::setMyLeft>(msg::setMyLeft),
  method<&VarProbeWidget::setMyRight>(msg::setMyRight),
  method<&VarProbeWidget::setMaxLabelWidth>(msg::setMaxLabelWidth),
  method<&VarProbeWidget::setParent>(msg::setParent),
  method<&VarProbeWidget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&VarProbeWidget::pack>(msg::pack),
  method<&VarProbeWidget::update>(msg::update),
  method<&VarProbeWidget::drop>(msg::drop),
  method<&VarProbeWidget::setVariableValue>(msg::setVariableValue),
  method<&VarProbeWidget::Spawn>(msg::Spawn),
  method<&VarProbeWidget::package>(msg::package),
  method<&VarProbeWidget::idReceive>(msg::idReceive),
  method<&VarProbeWidget::getId>(msg::getId))
