#include "simtoolsgui/GUIComposite.h"

#include <cstring>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "simtoolsgui/simtoolsgui.h"
#include "voduva/widget_messages.h"

char* buildWindowGeometryRecordName(const char* base, const char* component) {
  if (!base) return nullptr;
  const size_t baseLength = std::strlen(base), componentLength = std::strlen(component);
  auto* name = static_cast<char*>(msg::alloc(_obj_scratchZone, baseLength + componentLength + 2));
  std::memcpy(name, base, baseLength);
  name[baseLength] = '-';
  std::memcpy(name + baseLength + 1, component, componentLength + 1);
  return name;
}

id GUIComposite::createBegin(Class cls, id zone) {
  auto* composite = static_cast<GUIComposite*>(BroodObject::createBegin(cls, zone));
  id map = msg::createBegin(Map, zone);
  msg::setCompareCStrings(map);
  composite->componentList = msg::createEnd(map);
  return composite;
}

id GUIComposite::setWindowGeometryRecordName(const char* name) {
  if (baseWindowGeometryRecordName) msg::free(getZone(), baseWindowGeometryRecordName);
  baseWindowGeometryRecordName = name ? zstrdup(getZone(), name) : nullptr;
  return this;
}

id GUIComposite::setSaveSizeFlag(BOOL flag) {
  saveSizeFlag = flag;
  return this;
}

// The map keeps its own copy of a new component name, so the caller's text
// may be a passing buffer.
id GUIComposite::setWindowGeometryRecordNameForComponent_widget(const char* name, id widget) {
  id* key;
  id* member = &widget;
  if (msg::at_keySlot_memberSlot(componentList, reinterpret_cast<id>(const_cast<char*>(name)), &key,
                                 &member))
    *key = reinterpret_cast<id>(zstrdup(getZone(), name));
  else
    *member = widget;
  char* recordName = buildWindowGeometryRecordName(baseWindowGeometryRecordName, name);
  msg::setWindowGeometryRecordName(widget, recordName);
  if (recordName) msg::free(_obj_scratchZone, recordName);
  return this;
}

namespace {

template <class Send>
void eachComponent(id componentList, Send send) {
  id index = msg::begin(componentList, _obj_scratchZone);
  for (id widget = msg::next(index); msg::getLoc(index) == Member; widget = msg::next(index)) send(widget);
  msg::drop(index);
}

}  // namespace

id GUIComposite::enableDestroyNotification_notificationMethod(id target, SEL method) {
  eachComponent(componentList,
                [&](id widget) { msg::enableDestroyNotification_notificationMethod(widget, target, method); });
  return this;
}

id GUIComposite::disableDestroyNotification() {
  eachComponent(componentList, [](id widget) { msg::disableDestroyNotification(widget); });
  return this;
}

void GUIComposite::drop() {
  if (baseWindowGeometryRecordName) msg::free(getZone(), baseWindowGeometryRecordName);
  id index = msg::begin(componentList, _obj_scratchZone);
  id name;
  for (msg::next_(index, &name); msg::getLoc(index) == Member; msg::next_(index, &name))
    msg::free(getZone(), name);
  msg::drop(index);
  msg::drop(componentList);
  BroodObject::drop();
}

REGISTER_CLASS(GUIComposite, BroodObject,
  ivar(&GUIComposite::baseWindowGeometryRecordName, "baseWindowGeometryRecordName"),
  ivar(&GUIComposite::componentList, "componentList"),
  ivar(&GUIComposite::saveSizeFlag, "saveSizeFlag"),
  classMethod<&GUIComposite::createBegin>(msg::createBegin),
  phase(Phase::Setting),
  method<&GUIComposite::setWindowGeometryRecordName>(msg::setWindowGeometryRecordName),
  method<&GUIComposite::setSaveSizeFlag>(msg::setSaveSizeFlag),
  method<&GUIComposite::setWindowGeometryRecordNameForComponent_widget>(
      msg::setWindowGeometryRecordNameForComponent_widget),
  phase(Phase::Using),
  method<&GUIComposite::enableDestroyNotification_notificationMethod>(
      msg::enableDestroyNotification_notificationMethod),
  method<&GUIComposite::disableDestroyNotification>(msg::disableDestroyNotification),
  method<&GUIComposite::drop>(msg::drop))
