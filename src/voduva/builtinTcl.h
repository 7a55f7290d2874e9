// The Tcl procedures and bitmaps that the widgets rely on, evaluated at
// start-up through eval: (so "%%" stands for "%").
#pragma once

// Bitmaps of the probe windows and the drag-and-drop procedures.
extern const char simtools_tcl[];
// The point-information binding of graph windows.
extern const char analysis_tcl[];
