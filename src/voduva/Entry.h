// A one-line text entry showing its input variable.
#pragma once

#include "voduva/InputWidget.h"

struct Entry : InputWidget {
  id createEnd();
  id setValue(const char* value);
  const char* getValue();
  id setHeight(unsigned height);
};
