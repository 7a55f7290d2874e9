// The seed that createWithDefaults: gives a new generator: the next seed
// of the start-up sequence under a fixed seed, else one made from the
// process id and the clock.
#pragma once

unsigned defaultSeed();
