// The distributions' shared state and logic: the generator they draw from,
// the sample count, creation, the common part of the state record and of
// the description. Self is the concrete distribution and T its sample
// type; Self supplies its range fields with their part of the record and
// of the description, and the texts that name it.
#pragma once

#include <cstdint>

#include "defobj/phase.h"
#include "objectbase/BroodObject.h"
#include "random/messages.h"

template <class Self, class T>
struct Distribution_ : BroodObject {
  uint32_t stateSize;
  uint32_t distMagic;
  char distName[30];
  id randomGenerator;
  uint32_t generatorMax;
  BOOL useSplitGenerator;
  uint32_t virtualGenerator;
  BOOL optionsInitialized;
  unsigned long long currentCount;

  // Class messages; the create: forms make a Self whatever the receiver.
  static id createBegin(Class cls, id zone);
  static id create_setGenerator(Class, id zone, id generator);
  static id create_setGenerator_setVirtualGenerator(Class, id zone, id generator, unsigned vGen);
  static id create_setGenerator_setMin_setMax(Class, id zone, id generator, T min, T max);
  static id create_setGenerator_setVirtualGenerator_setMin_setMax(Class, id zone, id generator,
                                                                  unsigned vGen, T min, T max);
  static id createWithDefaults(Class, id zone);

  id createEnd();
  void initState();
  void setGenerator(id generator);
  void setGenerator_setVirtualGenerator(id generator, unsigned vGen);
  id getGenerator();
  unsigned getVirtualGenerator();
  BOOL getOptionsInitialized();
  void reset();
  void resetState();
  unsigned long long getCurrentCount();
  unsigned getStateSize();
  unsigned getMagic();
  const char* getName();
  void putStateInto(void* buffer);
  void setStateFrom(void* buffer);
  void describe(id stream);

 protected:
  unsigned drawUnsigned();
  double drawDouble();
  // Counts a sample of the stored range, which must have been set.
  bool countStoredSample(const char* selector);
  void raiseBadRecord(uint32_t magic, uint32_t size);

 private:
  Self& self() { return static_cast<Self&>(*this); }
  // A new Self in the zone, given its generator with the setter.
  template <class... A>
  static id createWith(id zone, const Message<void(id, A...)>& setGenerator, id generator, A... args);
};

// Offsets of the common fields in the 56-byte state record.
inline constexpr size_t DistRecMagic = 0, DistRecSize = 4, DistRecGenMagic = 8,
                        DistRecSplit = 12, DistRecVirtual = 16, DistRecOptions = 20,
                        DistRecCount = 48, DistRecordSize = 56;

// Class-table entries shared by the distributions. Range is the range's
// part of the creating messages' names, as in setIntegerMin:setMax:.
#define DISTRIBUTION_IVARS(Cls)                                                          \
  ivar(&Cls::stateSize, "stateSize"), ivar(&Cls::distMagic, "distMagic"),                \
      ivar(&Cls::distName, "distName"), ivar(&Cls::randomGenerator, "randomGenerator"),  \
      ivar(&Cls::generatorMax, "generatorMax"),                                          \
      ivar(&Cls::useSplitGenerator, "useSplitGenerator"),                                \
      ivar(&Cls::virtualGenerator, "virtualGenerator"),                                  \
      ivar(&Cls::optionsInitialized, "optionsInitialized"),                              \
      ivar(&Cls::currentCount, "currentCount")

#define DISTRIBUTION_METHODS(Cls, Range)                                                       \
  phase(Phase::Creating), classMethod<&Cls::createBegin>(msg::createBegin),                    \
      classMethod<&Cls::create_setGenerator>(msg::create_setGenerator),                        \
      classMethod<&Cls::create_setGenerator_setVirtualGenerator>(                              \
          msg::create_setGenerator_setVirtualGenerator),                                       \
      classMethod<&Cls::create_setGenerator_setMin_setMax>(                                    \
          msg::create_setGenerator_set##Range##Min_setMax),                                    \
      classMethod<&Cls::create_setGenerator_setVirtualGenerator_setMin_setMax>(                \
          msg::create_setGenerator_setVirtualGenerator_set##Range##Min_setMax),                \
      classMethod<&Cls::createWithDefaults>(msg::createWithDefaults),                          \
      method<&Cls::createEnd>(msg::createEnd), method<&Cls::initState>(msg::initState),        \
      method<&Cls::setGenerator>(msg::setGenerator),                                           \
      method<&Cls::setGenerator_setVirtualGenerator>(msg::setGenerator_setVirtualGenerator),   \
      phase(Phase::Setting), method<&Cls::setMin_setMax>(msg::set##Range##Min_setMax),         \
      phase(Phase::Using), method<&Cls::getGenerator>(msg::getGenerator),                      \
      method<&Cls::getVirtualGenerator>(msg::getVirtualGenerator),                             \
      method<&Cls::getOptionsInitialized>(msg::getOptionsInitialized),                         \
      method<&Cls::reset>(msg::reset), method<&Cls::resetState>(msg::resetState),              \
      method<&Cls::getCurrentCount>(msg::getCurrentCount),                                     \
      method<&Cls::getStateSize>(msg::getStateSize), method<&Cls::getMagic>(msg::getMagic),    \
      method<&Cls::getName>(msg::getName), method<&Cls::putStateInto>(msg::putStateInto),      \
      method<&Cls::setStateFrom>(msg::setStateFrom), method<&Cls::describe>(msg::describe)
