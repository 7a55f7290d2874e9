// The base of widgets that show a Tcl variable, which may be linked to a
// variable of the program.
#pragma once

#include "voduva/Widget.h"

struct InputWidget : Widget {
  char* variableName;  // "<object name>-var", in the widget's zone

  // Creating.
  id createEnd();

  // Using.
  id linkVariableInt(int* address);
  id linkVariableDouble(double* address);
  id linkVariableBoolean(int* address);
  const char* getValue();
  id setValue(const char* value);
  void drop();
};
