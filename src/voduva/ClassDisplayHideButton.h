// The buttons in the title rows of probe displays: the hide buttons that
// close a display or fold a class section, and the button that shows the
// superclass's section.
#pragma once

#include "voduva/Button.h"
#include "voduva/probe_widget_messages.h"

struct SimpleProbeDisplayHideButton : Button {
  id probeDisplay;

  id setProbeDisplay(id display);
  id createEnd();
};

struct ClassDisplayHideButton : Button {
  id owner;      // the probe display
  id user;       // the section it hides
  id subWidget;  // the subclass's section, or nil

  id setOwner(id display);
  id setUser(id widget);
  id setSubWidget(id widget);
  id createEnd();
};

struct SuperButton : Button {
  id owner;        // the probe display
  id user;         // the superclass's section is packed before it
  id superWidget;  // the superclass's section, or nil

  id setOwner(id display);
  id setUser(id widget);
  id setSuperWidget(id widget);
  id createEnd();
};
