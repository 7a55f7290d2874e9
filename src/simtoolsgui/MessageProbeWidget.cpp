#include "simtoolsgui/MessageProbeWidget.h"

#include <cstring>

#include "defobj/address.h"
#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_text.h"
#include "objectbase/signature.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "simtoolsgui/probe_rows.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/voduva.h"
#include "voduva/VarProbeEntry.h"

namespace {

bool blank(const char* text) { return !text || text[std::strspn(text, " \t\n\r\f")] == '\0'; }

// Argument types that text can give: numbers, characters, strings, objects,
// classes and selectors; pointers and records have none.
bool hasTextForm(char type) { return type && std::strchr("CcSsIiLlQqfdX*@#:", type); }

// Result types that a dynamic call can take back; records and arrays
// cannot be called for.
bool callable(const char* signature) {
  const char type = *skip_type_qualifiers(signature);
  return type && std::strchr("vCcSsIiLlQqfdXD@#*:^", type);
}

}  // namespace

id MessageProbeWidget::setObject(id object) {
  myObject = object;
  return this;
}

id MessageProbeWidget::setProbe(id probe) {
  myProbe = probe;
  return this;
}

id MessageProbeWidget::setMaxReturnWidth(int width) {
  maxReturnWidth = width;
  return this;
}

void MessageProbeWidget::setParent(id widget) { parent = widget; }

id MessageProbeWidget::createEnd() {
  BroodObject::createEnd();
  id zone = getZone();
  widgetName = const_cast<char*>(msg::makeWidgetNameFor(parent, this));
  voduva_makeFrame(this);
  const BOOL hideResult = msg::getHideResult(myProbe);
  const int n = msg::getArgCount(myProbe);
  argCount = 2 * n;
  objWindows = n ? static_cast<BOOL*>(msg::alloc(zone, n * sizeof(BOOL))) : nullptr;
  myWidgets = static_cast<id*>(msg::alloc(zone, (n ? 2 * n : 1) * sizeof(id)));

  id button = msg::createParent(objc_get_class("Button"), this);
  const char* keyword = n ? msg::getArgName(myProbe, 0) : nullptr;
  msg::setText(button, keyword ? keyword : msg::getProbedMessage(myProbe));
  if (keyword) msg::free(_obj_scratchZone, const_cast<char*>(keyword));
  msg::setButtonTarget_method(button, this, msg::dynamic.sel);
  if (!callable(msg::getProbedType(myProbe))) msg::setActiveFlag(button, NO);
  msg::packFillLeft(button, n == 0);
  myWidgets[0] = button;

  for (int slot = 1; slot < argCount; slot++) {
    const int i = slot / 2;
    if (slot % 2) {
      objWindows[i] = msg::isArgumentId(myProbe, i);
      id entry = msg::createBegin(objc_get_class("MessageProbeEntry"), zone);
      msg::setParent(entry, this);
      msg::setIdFlag(entry, objWindows[i]);
      msg::setArg(entry, i);
      myWidgets[slot] = msg::createEnd(entry);
      if (!hasTextForm(nth_type(msg::getProbedType(myProbe), i))) msg::setActiveFlag(myWidgets[slot], NO);
    } else {
      id label = msg::createParent(objc_get_class("Label"), this);
      const char* name = msg::getArgName(myProbe, i);
      msg::setText(label, name);
      msg::free(_obj_scratchZone, const_cast<char*>(name));
      msg::packFillLeft(label, NO);
      myWidgets[slot] = label;
    }
  }

  if (!hideResult) {
    id entry = msg::createBegin(objc_get_class("MessageProbeEntry"), zone);
    msg::setParent(entry, this);
    msg::setIdFlag(entry, msg::isResultId(myProbe));
    resultMessageProbeEntry = msg::createEnd(entry);
    msg::setActiveFlag(resultMessageProbeEntry, NO);
    if (maxReturnWidth) msg::setWidth(resultMessageProbeEntry, static_cast<unsigned>(maxReturnWidth));
  }
  return this;
}

const char* MessageProbeWidget::getWidgetName() { return widgetName; }

const char* MessageProbeWidget::makeWidgetNameFor(id widget) {
  return widgetChildPath(msg::getZone(widget), widgetName, widget);
}

id MessageProbeWidget::getTopLevel() { return msg::getTopLevel(parent); }
id MessageProbeWidget::update() { return this; }

id MessageProbeWidget::pack() {
  voduva_pack(this);
  return this;
}

void MessageProbeWidget::drop() {
  for (int slot = 0; slot < (argCount ? argCount : 1); slot++) msg::drop(myWidgets[slot]);
  msg::free(getZone(), myWidgets);
  if (objWindows) msg::free(getZone(), objWindows);
  if (resultMessageProbeEntry) msg::drop(resultMessageProbeEntry);
  msg::free(getZone(), widgetName);
  BroodObject::drop();
}

bool MessageProbeWidget::validArgument(int index) {
  if (index >= 0 && index < arguments()) return true;
  voduva_ringBell();
  return false;
}

id MessageProbeWidget::argumentObject(int index) {
  const val_t value = msg::getArg(myProbe, index);
  return value.type == fcall_type_object && probeObjectLives(value.val.object) ? value.val.object : nil;
}

// Every argument must be given before the method is called; an object
// argument is the one last dropped on its entry, and must still live.
void MessageProbeWidget::dynamic() {
  ProbeDisplaysBusy busy;
  const char* type = msg::getProbedType(myProbe);
  if (!callable(type)) {
    voduva_ringBell();
    return;
  }
  for (int i = 0; i < arguments(); i++) {
    const char* text = probeEntryText(argumentEntry(i));
    const bool given = !blank(text) && (objWindows[i] ? argumentObject(i) != nil : hasTextForm(nth_type(type, i)));
    if (!given) {
      voduva_ringBell();
      return;
    }
    if (!objWindows[i]) msg::setArg_ToString(myProbe, i, text);
  }
  const val_t result = msg::dynamicCallOn(myProbe, myObject);
  // The call may have closed this display (its object dropped, say).
  if (result.type != fcall_type_void && resultMessageProbeEntry && voduva_nameToWindow(widgetName))
    showResult(result);
  msg::update(probeDisplayManager);
}

// An object that the call answered already dropped has only its address.
void MessageProbeWidget::showResult(const val_t& result) {
  char text[ProbeResultTextSize];
  const bool object = result.type == fcall_type_object;
  if (object && result.val.object && !probeObjectLives(result.val.object)) {
    char address[AddressTextSize];
    std::strcpy(text, formatAddress(address, result.val.object));
  } else {
    string_convert(result.type, &result.val, nullptr, msg::getDisplayPrecision(probeLibrary), DefaultString, text,
                   sizeof text);
  }
  resultObject = object ? result.val.object : nil;
  probeShowInInactiveEntry(resultMessageProbeEntry, text);
}

void MessageProbeWidget::Spawn(const char*) {
  ProbeDisplaysBusy busy;
  probeDisplayOrBell(resultObject);
}

void MessageProbeWidget::argSpawn_arg(const char*, int index) {
  ProbeDisplaysBusy busy;
  if (validArgument(index)) probeDisplayOrBell(argumentObject(index));
}

const char* MessageProbeWidget::package(const char*) { return probeObjectNameOrBell(resultObject); }

const char* MessageProbeWidget::package_arg(const char*, int index) {
  return validArgument(index) ? probeObjectNameOrBell(argumentObject(index)) : "";
}

void MessageProbeWidget::idReceive_arg(const char*, int index) {
  ProbeDisplaysBusy busy;
  if (!validArgument(index)) return;
  id object = voduva_drag_and_drop_object();
  if (!object || !objWindows[index]) {
    voduva_ringBell();
    return;
  }
  msg::setArg_ToString(myProbe, index, msg::getObjectName(object));
  probeShowInInactiveEntry(argumentEntry(index), msg::getDisplayName(object));
}

const char* MessageProbeWidget::getId(const char*) {
  const char* text = resultMessageProbeEntry ? probeEntryText(resultMessageProbeEntry) : nullptr;
  return text ? text : "";
}

const char* MessageProbeWidget::getId_arg(const char*, int index) {
  const char* text = validArgument(index) ? probeEntryText(argumentEntry(index)) : nullptr;
  return text ? text : "";
}

REGISTER_CLASS(MessageProbeWidget, BroodObject,
  ivar(&MessageProbeWidget::myObject, "myObject"),
  ivar(&MessageProbeWidget::argCount, "argCount"),
  ivar(&MessageProbeWidget::myProbe, "myProbe"),
  ivar(&MessageProbeWidget::myWidgets, "myWidgets"),
  ivar(&MessageProbeWidget::resultMessageProbeEntry, "resultMessageProbeEntry"),
  ivar(&MessageProbeWidget::maxReturnWidth, "maxReturnWidth"),
  ivar(&MessageProbeWidget::resultObject, "resultObject"),
  ivar(&MessageProbeWidget::objWindows, "objWindows"),
  ivar(&MessageProbeWidget::parent, "parent"),
  ivar(&MessageProbeWidget::widgetName, "widgetName"),
  phase(Phase::Creating),
  method<&MessageProbeWidget::setObject>(msg::setObject),
  method<&MessageProbeWidget::setProbe>(msg::setProbe),
  method<&MessageProbeWidget::setMaxReturnWidth>(msg::setMaxReturnWidth),
  method<&MessageProbeWidget::setParent>(msg::setParent),
  method<&MessageProbeWidget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&MessageProbeWidget::getWidgetName>(msg::getWidgetName),
  method<&MessageProbeWidget::makeWidgetNameFor>(msg::makeWidgetNameFor),
  method<&MessageProbeWidget::getTopLevel>(msg::getTopLevel),
  method<&MessageProbeWidget::update>(msg::update),
  method<&MessageProbeWidget::pack>(msg::pack),
  method<&MessageProbeWidget::drop>(msg::drop),
  method<&MessageProbeWidget::dynamic>(msg::dynamic),
  method<&MessageProbeWidget::Spawn>(msg::Spawn),
  method<&MessageProbeWidget::argSpawn_arg>(msg::argSpawn_arg),
  method<&MessageProbeWidget::package>(msg::package),
  method<&MessageProbeWidget::package_arg>(msg::package_arg),
  method<&MessageProbeWidget::idReceive_arg>(msg::idReceive_arg),
  method<&MessageProbeWidget::getId>(msg::getId),
  method<&MessageProbeWidget::getId_arg>(msg::getId_arg))
