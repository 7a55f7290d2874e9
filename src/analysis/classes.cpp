// Registration of every class of the analysis tools, before start-up.
#include "analysis/analysis.h"
#include "runtime/registration.h"

#define ANALYSIS_CLASSES(X) \
  X(Averager) X(ActiveGraph) X(ActiveOutFile) X(EZSequence) X(EZAverageSequence) X(EZGraph)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
ANALYSIS_CLASSES(DECLARE)
#undef DECLARE

void analysis_register_classes() {
  simtools_register_classes();
  simtoolsgui_register_classes();
#define REGISTER(cls) objc_register_##cls();
  ANALYSIS_CLASSES(REGISTER)
#undef REGISTER
}
