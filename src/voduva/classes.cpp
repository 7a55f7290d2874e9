// Registration of every class of the Tk layer, before start-up.
#include "defobj/lispIn.h"
#include "runtime/registration.h"
#include "voduva/voduva.h"

#define VODUVA_CLASSES(X) X(TkInterp) X(TkExtra) \
  X(Widget) X(ArchivedGeometryWidget) X(WindowGeometryRecord) X(Frame) X(ButtonPanel) X(Button) X(Label) \
  X(InputWidget) X(Entry) X(Canvas) X(BLTVector) X(GraphElement) X(Graph) \
  X(Colormap) X(Raster) X(ZoomRaster) \
  X(ClassDisplayLabel) X(CompleteProbeDisplayLabel) X(VarProbeLabel) X(SimpleProbeDisplayHideButton) \
  X(ClassDisplayHideButton) X(SuperButton) X(VarProbeEntry) X(MessageProbeEntry) X(ProbeCanvas)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
VODUVA_CLASSES(DECLARE)
#undef DECLARE

void voduva_archive_requires_interpreter(const char* className) {
  archive_require(className, [] { return BOOL(globalTkInterp != nil); },
                  "the Tk layer, which only an interactive run starts");
}

void voduva_register_classes() {
  tclobjc_register_classes();
#define REGISTER(cls) objc_register_##cls();
  VODUVA_CLASSES(REGISTER)
#undef REGISTER
  // A window geometry record reports with the Tk layer's errors.
  for (const char* name : {"Widget", "Colormap", "GraphElement", "BLTVector", "WindowGeometryRecord"})
    voduva_archive_requires_interpreter(name);
}
