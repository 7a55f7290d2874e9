#include "voduva/Widget.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "defobj/Zone.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/zstrdup.h"
#include "tclobjc/quote.h"
#include "voduva/voduva.h"

namespace {

// Tk sends structure events of the widget's own window here; only its
// destruction matters. The target is told last, as it may drop the widget.
void destroyNotify(ClientData data, XEvent* event) {
  if (event->type != DestroyNotify) return;
  auto* widget = static_cast<Widget*>(data);
  widget->destroyedFlag = YES;
  msg::perform_with(widget->destroyNotificationTarget, widget->destroyNotificationMethod, widget);
}

// Width, height, x and y of a geometry text "WxH+X+Y". Tk writes a
// position measured from the right or bottom edge with "-": it is read as
// a negative number rather than shifting the fields.
struct Geometry {
  unsigned width = 0, height = 0;
  int x = 0, y = 0;
};

Geometry parseGeometry(const char* text) {
  Geometry g;
  char xSign = '+', ySign = '+';
  std::sscanf(text, "%ux%u%c%d%c%d", &g.width, &g.height, &xSign, &g.x, &ySign, &g.y);
  if (xSign == '-') g.x = -g.x;
  if (ySign == '-') g.y = -g.y;
  return g;
}

const char* pathOf(id widget) { return msg::getWidgetName(widget); }

}  // namespace

// Below the root the parent's part is empty.
char* widgetChildPath(id zone, const char* parentPath, id child) {
  if (std::strcmp(parentPath, ".") == 0) parentPath = "";
  const size_t size = std::strlen(parentPath) + 32;
  auto* name = static_cast<char*>(msg::alloc(zone, size));
  std::snprintf(name, size, "%s.w%lu", parentPath, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(child)));
  return name;
}

id Widget::createParent(Class cls, id parent) {
  id widget = msg::createBegin(cls, msg::getZone(parent));
  msg::setParent(widget, parent);
  return msg::createEnd(widget);
}

void Widget::setParent(id newParent) {
  if (parent) raiseAt(InvalidCombination, "-[Widget setParent:]", "It is an error to reset a Widget's parent\n");
  parent = newParent;
}

const char* Widget::makeWidgetNameFor(id widget) {
  return widgetChildPath(msg::getZone(widget), widgetName, widget);
}

id Widget::setWidgetNameFromParent(id parentWidget) {
  return setWidgetName(const_cast<char*>(msg::makeWidgetNameFor(parentWidget, this)));
}

id Widget::setWidgetNameFromParentName(const char* parentName) {
  return setWidgetName(widgetChildPath(getZone(), parentName, this));
}

id Widget::setWidgetName(char* name) {
  if (widgetName) msg::free(getZone(), widgetName);
  widgetName = name;
  return this;
}

id Widget::createEnd() {
  if (!parent) {
    parent = msg::create(objc_get_class("Frame"), getZone());
    shellFrameFlag = YES;
  }
  setWidgetNameFromParent(parent);
  return CreateDrop::createEnd();
}

id Widget::pack() {
  voduva_pack(this);
  return this;
}

id Widget::packFill() {
  msg::eval(globalTkInterp, "pack %s -fill both -expand 0", widgetName);
  return this;
}

id Widget::packWith(const char* options) {
  msg::eval(globalTkInterp, "pack %s %s;", widgetName, options);
  return this;
}

id Widget::packToRight(id widget) {
  msg::eval(globalTkInterp, "pack %s %s -side right", widgetName, pathOf(widget));
  return this;
}

id Widget::packFillLeft(BOOL expandFlag) {
  msg::eval(globalTkInterp, "pack %s -side left -fill both -expand %d", widgetName, expandFlag);
  return this;
}

id Widget::packBeforeAndFillLeft_expand(id widget, BOOL expandFlag) {
  msg::eval(globalTkInterp, "pack %s -before %s -side left -fill both -expand %d", widgetName, pathOf(widget),
            expandFlag);
  return this;
}

id Widget::packForgetAndExpand() {
  msg::eval(globalTkInterp, "pack forget %s", widgetName);
  msg::eval(globalTkInterp, "pack %s -expand true -fill both", widgetName);
  return this;
}

id Widget::unpack() {
  raiseDefaultAt(NotImplemented, "-[Widget unpack]");
  return this;
}

id Widget::setActiveFlag(BOOL activeFlag) {
  msg::eval(globalTkInterp, "%s configure -state %s", widgetName, activeFlag ? "normal" : "disabled");
  return this;
}

id Widget::setWidth(unsigned width) {
  msg::eval(globalTkInterp, "%s configure -width %u", widgetName, width);
  return this;
}

id Widget::setHeight(unsigned height) {
  msg::eval(globalTkInterp, "%s configure -height %u", widgetName, height);
  return this;
}

id Widget::setWidth_Height(unsigned width, unsigned height) {
  if (parent) {
    msg::eval(globalTkInterp, "%s configure -width %u -height %u", widgetName, width, height);
  } else {
    char geometry[32];
    std::snprintf(geometry, sizeof geometry, "%ux%u", width, height);
    msg::setWindowGeometry(this, geometry);
  }
  return this;
}

id Widget::setWindowGeometry(const char* geometry) {
  msg::eval(globalTkInterp, "wm geometry %s %s", pathOf(getTopLevel()), tclQuote(geometry).c_str());
  return this;
}

const char* Widget::getWindowGeometry() {
  msg::eval(globalTkInterp, "wm geometry %s", pathOf(getTopLevel()));
  return msg::result(globalTkInterp);
}

unsigned Widget::getWidth() { return parseGeometry(msg::getWindowGeometry(this)).width; }
unsigned Widget::getHeight() { return parseGeometry(msg::getWindowGeometry(this)).height; }
int Widget::getX() { return parseGeometry(msg::getWindowGeometry(this)).x; }
int Widget::getY() { return parseGeometry(msg::getWindowGeometry(this)).y; }

// The top-level widget's window exists even while a subclass's own Tk
// widget is still to be made.
id Widget::setX_Y(int x, int y) {
  voduva_move(getTopLevel(), x, y);
  return this;
}

id Widget::setWindowTitle(const char* title) {
  msg::eval(globalTkInterp, "wm title %s %s", pathOf(getTopLevel()), tclQuote(title).c_str());
  return this;
}

id Widget::getParent() { return parent; }
const char* Widget::getWidgetName() { return widgetName; }
BOOL Widget::getDestroyedFlag() { return destroyedFlag; }
id Widget::getTopLevel() { return parent ? msg::getTopLevel(parent) : this; }

id Widget::enableDestroyNotification_notificationMethod(id target, SEL method) {
  if (!target) return this;
  // One handler at a time: a second call only changes whom it tells.
  if (!destroyNotificationTarget) voduva_createEventHandler(this, destroyNotify);
  destroyNotificationTarget = target;
  destroyNotificationMethod = method;
  return this;
}

// A destroyed window took its handlers with it.
id Widget::disableDestroyNotification() {
  if (!destroyNotificationTarget) return this;
  if (!destroyedFlag && voduva_nameToWindow(widgetName)) voduva_deleteEventHandler(this, destroyNotify);
  destroyNotificationTarget = nil;
  return this;
}

// A window destroyed from outside leaves nothing to destroy, but the
// object and its shell frame are still released.
void Widget::drop() {
  disableDestroyNotification();
  if (shellFrameFlag) {
    msg::drop(parent);
  } else if (!parent && !destroyedFlag) {
    if (Tk_Window window = voduva_nameToWindow(widgetName)) Tk_DestroyWindow(window);
  }
  if (widgetName) msg::free(getZone(), widgetName);
  CreateDrop::drop();
}

REGISTER_CLASS(Widget, CreateDrop,
  ivar(&Widget::parent, "parent"),
  ivar(&Widget::widgetName, "widgetName"),
  ivar(&Widget::destroyNotificationTarget, "destroyNotificationTarget"),
  ivar(&Widget::destroyNotificationMethod, "destroyNotificationMethod"),
  ivar(&Widget::destroyedFlag, "destroyedFlag"),
  ivar(&Widget::shellFrameFlag, "shellFrameFlag"),
  phase(Phase::Creating),
  classMethod<&Widget::createParent>(msg::createParent),
  method<&Widget::setParent>(msg::setParent),
  method<&Widget::makeWidgetNameFor>(msg::makeWidgetNameFor),
  method<&Widget::setWidgetNameFromParent>(msg::setWidgetNameFromParent),
  method<&Widget::setWidgetNameFromParentName>(msg::setWidgetNameFromParentName),
  method<&Widget::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&Widget::pack>(msg::pack),
  method<&Widget::packFill>(msg::packFill),
  method<&Widget::packWith>(msg::packWith),
  method<&Widget::packToRight>(msg::packToRight),
  method<&Widget::packFillLeft>(msg::packFillLeft),
  method<&Widget::packBeforeAndFillLeft_expand>(msg::packBeforeAndFillLeft_expand),
  method<&Widget::packForgetAndExpand>(msg::packForgetAndExpand),
  method<&Widget::unpack>(msg::unpack),
  method<&Widget::setActiveFlag>(msg::setActiveFlag),
  method<&Widget::setWidth>(msg::setWidth),
  method<&Widget::setHeight>(msg::setHeight),
  method<&Widget::setWidth_Height>(msg::setWidth_Height),
  method<&Widget::setWindowGeometry>(msg::setWindowGeometry),
  method<&Widget::getWindowGeometry>(msg::getWindowGeometry),
  method<&Widget::getWidth>(msg::getWidth),
  method<&Widget::getHeight>(msg::getHeight),
  method<&Widget::getX>(msg::getX),
  method<&Widget::getY>(msg::getY),
  method<&Widget::setX_Y>(msg::setX_Y),
  method<&Widget::setWindowTitle>(msg::setWindowTitle),
  method<&Widget::getParent>(msg::getParent),
  method<&Widget::getWidgetName>(msg::getWidgetName),
  method<&Widget::getDestroyedFlag>(msg::getDestroyedFlag),
  method<&Widget::getTopLevel>(msg::getTopLevel),
  method<&Widget::enableDestroyNotification_notificationMethod>(msg::enableDestroyNotification_notificationMethod),
  method<&Widget::disableDestroyNotification>(msg::disableDestroyNotification),
  method<&Widget::drop>(msg::drop))
