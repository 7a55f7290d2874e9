#include "simtoolsgui/CompleteProbeDisplay.h"

#include <algorithm>
#include <cstring>

#include "collections/collections.h"
#include "defobj/brood_directory.h"
#include "defobj/defobj.h"
#include "defobj/phase.h"
#include "defobj/var_access.h"
#include "misc/debugabort.h"
#include "simtoolsgui/ProbeDisplayManager.h"
#include "voduva/probe_widget_messages.h"
#include "voduva/voduva.h"

id CompleteProbeDisplay::createEnd() {
  horizontalScrollbarFlag = YES;
  SingleProbeDisplay::createEnd();
  Class cls = brood_directory_brood_class(probedObject);
  if (!cls) debugabort(__FILE_NAME__, __LINE__, "-[CompleteProbeDisplay createEnd]");
  int maxLabelWidth = 0;
  id classes = msg::create(List, _obj_scratchZone);
  for (; cls; cls = brood_directory_superclass(cls)) {
    map_objc_class_ivars(cls, [&](const char* name, fcall_type_t, long, unsigned, const unsigned*) {
      maxLabelWidth = std::max(maxLabelWidth, static_cast<int>(std::strlen(name)));
    });
    msg::addFirst(classes, reinterpret_cast<id>(cls));
  }

  // A section is finished once its subclass's section exists to be named
  // by its hide button.
  widgets = msg::create(List, getZone());
  id previous = nil;
  id index = msg::begin(classes, _obj_scratchZone);
  for (id c = msg::next(index); msg::getLoc(index) == Member; c = msg::next(index)) {
    id section = msg::createBegin(objc_get_class("ClassDisplayWidget"), getZone());
    msg::setParent(section, topFrame);
    msg::setMaxLabelWidth(section, maxLabelWidth);
    msg::setProbedObject(section, probedObject);
    msg::setClassToDisplay(section, reinterpret_cast<Class>(c));
    msg::setOwner(section, this);
    msg::setMySuperclass(section, previous);
    if (previous) {
      msg::setMySubclass(previous, section);
      msg::addLast(widgets, msg::createEnd(previous));
    }
    previous = section;
  }
  msg::drop(index);
  msg::drop(classes);
  msg::addLast(widgets, msg::createEnd(previous));
  msg::pack(previous);
  return install();
}

id CompleteProbeDisplay::update() {
  ProbeDisplaysBusy busy;
  id index = msg::begin(widgets, _obj_scratchZone);
  for (id section = msg::next(index); msg::getLoc(index) == Member && !markedForDropFlag; section = msg::next(index))
    msg::update(section);
  msg::drop(index);
  return this;
}

// The sections keep no step height of their own.
int CompleteProbeDisplay::getStepHeight() {
  int height = 0;
  id index = msg::begin(widgets, _obj_scratchZone);
  for (id section = msg::next(index); msg::getLoc(index) == Member && !height; section = msg::next(index))
    if (msg::respondsTo(section, msg::getStepHeight.sel)) height = msg::getStepHeight(section);
  msg::drop(index);
  return height ? height : 20;
}

id CompleteProbeDisplay::do_resize() {
  ProbeDisplaysBusy busy;
  if (markedForDropFlag) return this;
  msg::packForgetAndExpand(canvas);
  msg::checkGeometry(canvas, topFrame);
  return this;
}

void CompleteProbeDisplay::drop() {
  while (msg::getCount(widgets)) msg::drop(msg::removeFirst(widgets));
  msg::drop(widgets);
  SingleProbeDisplay::drop();
}

REGISTER_CLASS(CompleteProbeDisplay, SingleProbeDisplay,
  ivar(&CompleteProbeDisplay::widgets, "widgets"),
  phase(Phase::Creating),
  method<&CompleteProbeDisplay::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&CompleteProbeDisplay::update>(msg::update),
  method<&CompleteProbeDisplay::getStepHeight>(msg::getStepHeight),
  method<&CompleteProbeDisplay::do_resize>(msg::do_resize),
  method<&CompleteProbeDisplay::drop>(msg::drop))
