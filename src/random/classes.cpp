// Registration of every class of the random-number library, before start-up.
#include "random/random.h"
#include "runtime/registration.h"

#define RANDOM_CLASSES(X)                                                          \
  X(MT19937gen) X(TGFSRgen) X(TT403gen) X(TT775gen) X(TT800gen) X(UniformIntegerDist) \
  X(UniformUnsignedDist) X(UniformDoubleDist)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
RANDOM_CLASSES(DECLARE)
#undef DECLARE

void random_register_classes() {
  objectbase_register_classes();
#define REGISTER(cls) objc_register_##cls();
  RANDOM_CLASSES(REGISTER)
#undef REGISTER
}
