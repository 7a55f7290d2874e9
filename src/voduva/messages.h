// Messages of the Tk interpreters and of the objects the Tk utilities
// work on.
#pragma once

#include <tk.h>

#include "tclobjc/messages.h"

// Tk's window handle is an opaque pointer.
template <>
struct objc_encoding<Tk_Window> {
  static std::string get() { return "^v"; }
};

namespace msg {
// TkInterp; stop comes from the scheduling engine.
inline const Message<Tk_Window()> mainWindow{"mainWindow"};
inline const Message<const char*()> checkTkLibrary{"checkTkLibrary"};

// TkExtra.
inline const Message<const char*()> getBltVersion{"getBltVersion"};
inline const Message<const char*()> getBltFullVersion{"getBltFullVersion"};
inline const Message<BOOL()> newBLTp{"newBLTp"};

// Widgets: the Tk path name.
inline const Message<const char*()> getWidgetName{"getWidgetName"};
}  // namespace msg
