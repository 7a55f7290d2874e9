// Messages of the random-number library: generators, distributions and
// the seed options that start-up reads.
#pragma once

#include "collections/messages.h"
#include "defobj/arguments_messages.h"  // the seed options that start-up reads

namespace msg {
// Generators: creation (class messages).
inline const Message<id(id, unsigned)> create_setStateFromSeed{"create:setStateFromSeed:"};
inline const Message<id(id, unsigned*)> create_setStateFromSeeds{"create:setStateFromSeeds:"};
inline const Message<id(id)> createWithDefaults{"createWithDefaults:"};

// Generators: seeding, any phase.
inline const Message<void(unsigned)> setStateFromSeed{"setStateFromSeed:"};
inline const Message<void(unsigned*)> setStateFromSeeds{"setStateFromSeeds:"};
inline const Message<void(BOOL)> setAntithetic{"setAntithetic:"};

// Generators: internal steps of creation and seeding.
inline const Message<void()> initState{"initState"};
inline const Message<void()> generateSeeds{"generateSeeds"};
inline const Message<void()> generateSeedVector{"generateSeedVector"};
inline const Message<void()> setState{"setState"};

// Generators: using.
inline const Message<BOOL()> getAntithetic{"getAntithetic"};
inline const Message<unsigned()> getMaxSeedValue{"getMaxSeedValue"};
inline const Message<unsigned*()> getMaxSeedValues{"getMaxSeedValues"};
inline const Message<unsigned()> getInitialSeed{"getInitialSeed"};
inline const Message<unsigned*()> getInitialSeeds{"getInitialSeeds"};
inline const Message<unsigned()> lengthOfSeedVector{"lengthOfSeedVector"};
inline const Message<unsigned()> getUnsignedMax{"getUnsignedMax"};
inline const Message<unsigned()> getMagic{"getMagic"};
inline const Message<unsigned()> getStateSize{"getStateSize"};
inline const Message<unsigned long long()> getCurrentCount{"getCurrentCount"};
inline const Message<void()> reset{"reset"};
inline const Message<unsigned()> getUnsignedSample_{"getUnsignedSample"};
inline const Message<float()> getFloatSample{"getFloatSample"};
inline const Message<double()> getThinDoubleSample{"getThinDoubleSample"};
inline const Message<double()> getDoubleSample_{"getDoubleSample"};
inline const Message<long double()> getLongDoubleSample{"getLongDoubleSample"};
inline const Message<void(unsigned)> runup{"runup:"};
inline const Message<void(void*)> putStateInto{"putStateInto:"};
inline const Message<void(void*)> setStateFrom{"setStateFrom:"};

// Split generators (several virtual generators in one): the distributions
// recognise and use them, although the library has none of its own.
inline const Message<void()> advanceAll{"advanceAll"};
inline const Message<unsigned()> getNumGenerators{"getNumGenerators"};
inline const Message<unsigned(unsigned)> getUnsignedSample{"getUnsignedSample:"};
inline const Message<double(unsigned)> getDoubleSample{"getDoubleSample:"};

// Distributions: creation (class messages).
inline const Message<id(id, id)> create_setGenerator{"create:setGenerator:"};
inline const Message<id(id, id, unsigned)> create_setGenerator_setVirtualGenerator{
    "create:setGenerator:setVirtualGenerator:"};
inline const Message<id(id, id, int, int)> create_setGenerator_setIntegerMin_setMax{
    "create:setGenerator:setIntegerMin:setMax:"};
inline const Message<id(id, id, unsigned, int, int)> create_setGenerator_setVirtualGenerator_setIntegerMin_setMax{
    "create:setGenerator:setVirtualGenerator:setIntegerMin:setMax:"};
inline const Message<id(id, id, unsigned, unsigned)> create_setGenerator_setUnsignedMin_setMax{
    "create:setGenerator:setUnsignedMin:setMax:"};
inline const Message<id(id, id, unsigned, unsigned, unsigned)> create_setGenerator_setVirtualGenerator_setUnsignedMin_setMax{
    "create:setGenerator:setVirtualGenerator:setUnsignedMin:setMax:"};
inline const Message<id(id, id, double, double)> create_setGenerator_setDoubleMin_setMax{
    "create:setGenerator:setDoubleMin:setMax:"};
inline const Message<id(id, id, unsigned, double, double)> create_setGenerator_setVirtualGenerator_setDoubleMin_setMax{
    "create:setGenerator:setVirtualGenerator:setDoubleMin:setMax:"};

// Distributions: generator and bookkeeping.
inline const Message<void(id)> setGenerator{"setGenerator:"};
inline const Message<void(id, unsigned)> setGenerator_setVirtualGenerator{"setGenerator:setVirtualGenerator:"};
inline const Message<id()> getGenerator{"getGenerator"};
inline const Message<unsigned()> getVirtualGenerator{"getVirtualGenerator"};
inline const Message<BOOL()> getOptionsInitialized{"getOptionsInitialized"};
inline const Message<void()> resetState{"resetState"};

// Distributions: ranges and samples. The unsigned distribution answers
// getUnsignedMax and getUnsignedSample, and the real one getDoubleSample,
// under the generators' selectors.
inline const Message<void(int, int)> setIntegerMin_setMax{"setIntegerMin:setMax:"};
inline const Message<int()> getIntegerMin{"getIntegerMin"};
inline const Message<int()> getIntegerMax{"getIntegerMax"};
inline const Message<int()> getIntegerSample{"getIntegerSample"};
inline const Message<int(int, int)> getIntegerWithMin_withMax{"getIntegerWithMin:withMax:"};
inline const Message<void(unsigned, unsigned)> setUnsignedMin_setMax{"setUnsignedMin:setMax:"};
inline const Message<unsigned()> getUnsignedMin{"getUnsignedMin"};
inline const Message<unsigned(unsigned, unsigned)> getUnsignedWithMin_withMax{"getUnsignedWithMin:withMax:"};
inline const Message<void(double, double)> setDoubleMin_setMax{"setDoubleMin:setMax:"};
inline const Message<double()> getDoubleMin{"getDoubleMin"};
inline const Message<double()> getDoubleMax{"getDoubleMax"};
inline const Message<double(double, double)> getDoubleWithMin_withMax{"getDoubleWithMin:withMax:"};
}  // namespace msg
