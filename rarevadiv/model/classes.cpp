// Registration of every class of the warmling model, before start-up.
#include "activity/activity.h"
#include "model/warmling_model.h"
#include "runtime/registration.h"

#define WARMLING_CLASSES(X) X(HeatCell) X(HeatSpace) X(Warmling) X(WarmlingModelBrood)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
WARMLING_CLASSES(DECLARE)
#undef DECLARE

void warmling_register_classes() {
  space_register_classes();
  activity_register_classes();  // the model brood's actions and schedule
#define REGISTER(cls) objc_register_##cls();
  WARMLING_CLASSES(REGISTER)
#undef REGISTER
}
