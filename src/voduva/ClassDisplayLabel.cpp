#include "voduva/ClassDisplayLabel.h"

#include "defobj/phase.h"
#include "voduva/voduva.h"

// Lives with the label that names it in its bindings, below the GUI tools
// that create it.
id probeDisplayManager = nil;

id ClassDisplayLabel::createEnd() {
  Label::createEnd();
  msg::eval(globalTkInterp, "%s configure -anchor w", widgetName);
  msg::eval(globalTkInterp, "%s configure -foreground blue", widgetName);
  return this;
}

id CompleteProbeDisplayLabel::setTargetWidget(id widget) {
  targetWidget = widget;
  return this;
}

id CompleteProbeDisplayLabel::setProbedObject(id object) {
  probedObject = object;
  return this;
}

id CompleteProbeDisplayLabel::createEnd() {
  ClassDisplayLabel::createEnd();
  if (probedObject) {
    voduva_dragAndDrop(this, targetWidget);
    char managerName[ObjectNameTextSize];
    msg::eval(globalTkInterp, "bind %s <ButtonPress-3> {%s createCompleteProbeDisplayFor: %s}", widgetName,
              tclObjc_objectToNameIn(managerName, probeDisplayManager), tclObjc_objectToName(probedObject));
  }
  msg::eval(globalTkInterp, "bind %s <Enter> {%s configure -fg CornFlowerBlue}", widgetName, widgetName);
  msg::eval(globalTkInterp, "bind %s <Leave> {%s configure -fg blue}", widgetName, widgetName);
  pack();
  return this;
}

id VarProbeLabel::createEnd() {
  Label::createEnd();
  msg::eval(globalTkInterp, "%s configure -anchor e", widgetName);
  return this;
}

REGISTER_CLASS(ClassDisplayLabel, Label,
  phase(Phase::Creating),
  method<&ClassDisplayLabel::createEnd>(msg::createEnd))

REGISTER_CLASS(CompleteProbeDisplayLabel, ClassDisplayLabel,
  ivar(&CompleteProbeDisplayLabel::targetWidget, "targetWidget"),
  ivar(&CompleteProbeDisplayLabel::probedObject, "probedObject"),
  phase(Phase::Creating),
  method<&CompleteProbeDisplayLabel::setTargetWidget>(msg::setTargetWidget),
  method<&CompleteProbeDisplayLabel::setProbedObject>(msg::setProbedObject),
  method<&CompleteProbeDisplayLabel::createEnd>(msg::createEnd))

REGISTER_CLASS(VarProbeLabel, Label,
  phase(Phase::Creating),
  method<&VarProbeLabel::createEnd>(msg::createEnd))
