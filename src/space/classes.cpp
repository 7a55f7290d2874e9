// Registration of every class of the lattices library, before start-up.
#include "runtime/registration.h"
#include "space/space.h"

#define SPACE_CLASSES(X) X(Discrete2d) X(Grid2d) X(DblBuffer2d) X(Ca2d) X(Diffuse2d)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
SPACE_CLASSES(DECLARE)
#undef DECLARE

void space_register_classes() {
  random_register_classes();
#define REGISTER(cls) objc_register_##cls();
  SPACE_CLASSES(REGISTER)
#undef REGISTER
}
