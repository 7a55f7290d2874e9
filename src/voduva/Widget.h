// The base of every window element: one Tk widget, named by a path derived
// from the parent's path and the object's address. A widget made without
// a parent gets a top-level frame of its own.
#pragma once

#include "defobj/CreateDrop.h"
#include "voduva/widget_messages.h"

struct Widget : CreateDrop {
  id parent;              // nil for a top-level frame
  char* widgetName;       // the Tk path name, in the widget's zone
  id destroyNotificationTarget;
  SEL destroyNotificationMethod;
  BOOL destroyedFlag;     // the Tk window was destroyed from outside
  BOOL shellFrameFlag;    // createEnd made a top-level Frame as parent

  static id createParent(Class cls, id parent);

  // Creating.
  void setParent(id newParent);
  const char* makeWidgetNameFor(id widget);
  id setWidgetNameFromParent(id parentWidget);
  id setWidgetNameFromParentName(const char* parentName);
  id createEnd();

  // Using.
  id pack();
  id packFill();
  id packWith(const char* options);
  id packToRight(id widget);
  id packFillLeft(BOOL expandFlag);
  id packBeforeAndFillLeft_expand(id widget, BOOL expandFlag);
  id packForgetAndExpand();
  id unpack();
  id setActiveFlag(BOOL activeFlag);
  id setWidth(unsigned width);
  id setHeight(unsigned height);
  id setWidth_Height(unsigned width, unsigned height);
  id setWindowGeometry(const char* geometry);
  const char* getWindowGeometry();
  unsigned getWidth();
  unsigned getHeight();
  int getX();
  int getY();
  id setX_Y(int x, int y);
  id setWindowTitle(const char* title);
  id getParent();
  const char* getWidgetName();
  BOOL getDestroyedFlag();
  id getTopLevel();
  id enableDestroyNotification_notificationMethod(id target, SEL method);
  id disableDestroyNotification();
  void drop();

 protected:
  // Takes the path text, allocated in the widget's zone.
  id setWidgetName(char* name);
};

// A child's path: the parent's, ".w" and the child's address in decimal,
// which keeps the path free of characters that Tk would read as
// separators; allocated in zone.
char* widgetChildPath(id zone, const char* parentPath, id child);
