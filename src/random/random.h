// The random-number library: generators, uniform distributions and the
// shared ones made at start-up.
#pragma once

#include "objectbase/objectbase.h"
#include "random/messages.h"

// Made by initRandom: the shared MT19937gen and three distributions on it.
extern id randomGenerator, uniformIntRand, uniformUnsRand, uniformDblRand;

// Chooses the program's seed from the arguments object (vary-seed flag,
// then fixed-seed flag, else 321654789) and makes the shared objects.
void initRandom(id arguments);
// The next of the reproducible seeds seed x 39039, seed x 39039^2, ...
unsigned nextSeed();
// Microseconds since initRandom, modulo the clock's 2048-second wrap.
unsigned tempusFugit();

void random_register_classes();
