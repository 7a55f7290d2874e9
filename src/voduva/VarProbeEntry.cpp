#include "voduva/VarProbeEntry.h"

#include "defobj/phase.h"
#include "objectbase/messages.h"
#include "voduva/voduva.h"

id VarProbeEntry::setOwner(id row) {
  owner = row;
  return this;
}

id VarProbeEntry::setVarProbe(id probe) {
  varProbe = probe;
  return this;
}

id VarProbeEntry::setInteractiveFlag(BOOL flag) {
  interactiveFlag = flag;
  return this;
}

id VarProbeEntry::getVarProbe() { return varProbe; }

id VarProbeEntry::createEnd() {
  Entry::createEnd();
  const char* w = widgetName;
  if (interactiveFlag) {
    msg::eval(globalTkInterp, "bind %s <Return> {%s configure -highlightcolor red ;update ;%s setVariableValue: %%W}",
              w, w, tclObjc_objectToName(owner));
    msg::eval(globalTkInterp, "bind %s <KeyRelease-Return> {%s configure -highlightcolor black ;update };", w, w);
    msg::eval(globalTkInterp, "bind %s <FocusIn> {%s selection range 0 end}", w, w);
    msg::eval(globalTkInterp, "bind %s <FocusOut> {%s selection clear}", w, w);
    // Escape gives up the typing: the focus leaves, and the row shows the
    // variable again.
    msg::eval(globalTkInterp, "bind %s <Escape> {focus [winfo toplevel %%W]; %s update}", w,
              tclObjc_objectToName(owner));
  } else {
    setActiveFlag(NO);
  }
  const char* type = msg::getProbedType(varProbe);
  if (type && type[0] != '@') {
    msg::eval(globalTkInterp,
              "bind %s <Button-3> {focus %s; %s configure -highlightcolor red ;update ;bell ; update ; "
              "%s configure -highlightcolor black ;update} ;",
              w, w, w, w);
  } else if (type) {
    voduva_bindButton3ToSpawn(this, owner, NO);
    voduva_dragAndDropTarget(this, owner);
    voduva_dragAndDrop(this, owner);
  }
  return this;
}

id MessageProbeEntry::createBegin(Class cls, id zone) {
  auto* entry = static_cast<MessageProbeEntry*>(Entry::createBegin(cls, zone));
  entry->arg = -1;
  entry->idFlag = NO;
  return entry;
}

id MessageProbeEntry::setArg(int number) {
  arg = number;
  return this;
}

id MessageProbeEntry::setIdFlag(BOOL flag) {
  idFlag = flag;
  return this;
}

id MessageProbeEntry::createEnd() {
  Entry::createEnd();
  const char* w = widgetName;
  if (!idFlag) {
    msg::eval(globalTkInterp,
              "bind %s <Button-3> {focus %s; %s configure -highlightcolor red ;update ; bell ; update ; "
              "%s configure -highlightcolor black ;update ; focus %s ; update} ;",
              w, w, w, w, msg::getWidgetName(parent));
  } else {
    setActiveFlag(NO);
    if (arg >= 0) {
      voduva_bindButton3ToArgSpawn(this, parent, arg);
      voduva_dragAndDropArg(this, parent, arg);
    } else {
      voduva_bindButton3ToSpawn(this, parent, YES);
      voduva_dragAndDrop(this, parent);
    }
  }
  packFillLeft(arg >= 0);
  return this;
}

REGISTER_CLASS(VarProbeEntry, Entry,
  ivar(&VarProbeEntry::owner, "owner"),
  ivar(&VarProbeEntry::varProbe, "varProbe"),
  ivar(&VarProbeEntry::interactiveFlag, "interactiveFlag"),
  phase(Phase::Creating),
  method<&VarProbeEntry::setOwner>(msg::setOwner),
  method<&VarProbeEntry::setVarProbe>(msg::setVarProbe),
  method<&VarProbeEntry::setInteractiveFlag>(msg::setInteractiveFlag),
  method<&VarProbeEntry::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&VarProbeEntry::getVarProbe>(msg::getVarProbe))

REGISTER_CLASS(MessageProbeEntry, Entry,
  ivar(&MessageProbeEntry::arg, "arg"),
  ivar(&MessageProbeEntry::idFlag, "idFlag"),
  classMethod<&MessageProbeEntry::createBegin>(msg::createBegin),
  phase(Phase::Creating),
  method<&MessageProbeEntry::setArg>(msg::setArg),
  method<&MessageProbeEntry::setIdFlag>(msg::setIdFlag),
  method<&MessageProbeEntry::createEnd>(msg::createEnd))
