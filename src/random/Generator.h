// The generators' shared state and logic: seeding, the draw counter,
// antithetic output, real samples, the state record and the description.
// Self is the concrete family (MT19937gen, TGFSRgen), which supplies its
// recurrence, its tempering and its part of the description; Words is how
// the family holds its N-word vectors (inline arrays or zone blocks).
#pragma once

#include <cstdint>

#include "defobj/phase.h"
#include "objectbase/BroodObject.h"
#include "random/messages.h"

// One row of the generators' parameter table.
struct GeneratorParameters {
  const char* name;
  uint32_t magic, w, N, M, matrix, s, b, t, c;
};

typedef unsigned (*UnsignedSampleImp)(id, SEL);

template <class Self, class Words>
struct Generator_ : BroodObject {
  uint32_t stateSize;
  uint32_t genMagic;
  char genName[12];
  unsigned long long countMax;
  uint32_t unsignedMax;
  double invModMult;
  double invModMult2;
  uint32_t seedVectorLength;  // the variable "lengthOfSeedVector"
  Words maxSeedValues;
  BOOL antiThetic;
  BOOL singleInitialSeed;
  uint32_t initialSeed;
  Words initialSeeds;
  unsigned long long currentCount;

  static id createBegin(Class cls, id zone);
  id createEnd();
  void setStateFromSeed(unsigned seed);
  void setStateFromSeeds(unsigned* seeds);
  void generateSeeds();
  void generateSeedVector();
  void setState();
  void setAntithetic(BOOL flag);
  BOOL getAntithetic();
  unsigned getMaxSeedValue();
  unsigned* getMaxSeedValues();
  unsigned getInitialSeed();
  unsigned* getInitialSeeds();
  unsigned getLengthOfSeedVector();
  unsigned getUnsignedMax();
  unsigned getMagic();
  unsigned getStateSize();
  unsigned long long getCurrentCount();
  void reset();
  unsigned getUnsignedSample();
  float getFloatSample();
  double getThinDoubleSample();
  double getDoubleSample();
  long double getLongDoubleSample();
  void runup(unsigned n);
  void putStateInto(void* buffer);
  void setStateFrom(void* buffer);
  const char* getName();
  void describe(id stream);

 protected:
  // The part of initState common to every class; the vectors must exist.
  void setParameters(const GeneratorParameters& p);
  void describeVector(id stream, const char* format, const uint32_t* words);

 private:
  Self& self() { return static_cast<Self&>(*this); }
  bool recordIsSound(const unsigned char* record);
};

// The creating class messages of a concrete generator class G, which make
// a G also when they are sent to a subclass.
template <class G>
struct GeneratorCreation {
  static id create_setStateFromSeed(Class, id zone, unsigned seed);
  static id create_setStateFromSeeds(Class, id zone, unsigned* seeds);
  static id createWithDefaults(Class, id zone);

 private:
  template <class S>
  static id createSeeded(id zone, const Message<void(S)>& seeding, S seed);
};

// Class-table entries shared by the generator families.
#define GENERATOR_IVARS(Cls)                                                             \
  ivar(&Cls::stateSize, "stateSize"), ivar(&Cls::genMagic, "genMagic"),                  \
      ivar(&Cls::genName, "genName"), ivar(&Cls::countMax, "countMax"),                  \
      ivar(&Cls::unsignedMax, "unsignedMax"), ivar(&Cls::invModMult, "invModMult"),      \
      ivar(&Cls::invModMult2, "invModMult2"),                                            \
      ivar(&Cls::seedVectorLength, "lengthOfSeedVector"),                                \
      ivar(&Cls::maxSeedValues, "maxSeedValues"), ivar(&Cls::antiThetic, "antiThetic"),  \
      ivar(&Cls::singleInitialSeed, "singleInitialSeed"),                                \
      ivar(&Cls::initialSeed, "initialSeed"), ivar(&Cls::initialSeeds, "initialSeeds"),  \
      ivar(&Cls::currentCount, "currentCount")

#define GENERATOR_CREATION(Cls)                                                               \
  classMethod<&GeneratorCreation<Cls>::create_setStateFromSeed>(msg::create_setStateFromSeed), \
      classMethod<&GeneratorCreation<Cls>::create_setStateFromSeeds>(                          \
          msg::create_setStateFromSeeds),                                                      \
      classMethod<&GeneratorCreation<Cls>::createWithDefaults>(msg::createWithDefaults)

#define GENERATOR_METHODS(Cls)                                                    \
  phase(Phase::Creating), classMethod<&Cls::createBegin>(msg::createBegin),       \
      method<&Cls::createEnd>(msg::createEnd),                                    \
      method<&Cls::generateSeeds>(msg::generateSeeds),                            \
      method<&Cls::generateSeedVector>(msg::generateSeedVector),                  \
      method<&Cls::setState>(msg::setState), phase(Phase::Setting),               \
      method<&Cls::setStateFromSeed>(msg::setStateFromSeed),                      \
      method<&Cls::setStateFromSeeds>(msg::setStateFromSeeds),                    \
      method<&Cls::setAntithetic>(msg::setAntithetic), phase(Phase::Using),       \
      method<&Cls::getAntithetic>(msg::getAntithetic),                            \
      method<&Cls::getMaxSeedValue>(msg::getMaxSeedValue),                        \
      method<&Cls::getMaxSeedValues>(msg::getMaxSeedValues),                      \
      method<&Cls::getInitialSeed>(msg::getInitialSeed),                          \
      method<&Cls::getInitialSeeds>(msg::getInitialSeeds),                        \
      method<&Cls::getLengthOfSeedVector>(msg::lengthOfSeedVector),               \
      method<&Cls::getUnsignedMax>(msg::getUnsignedMax),                          \
      method<&Cls::getMagic>(msg::getMagic),                                      \
      method<&Cls::getStateSize>(msg::getStateSize),                              \
      method<&Cls::getCurrentCount>(msg::getCurrentCount),                        \
      method<&Cls::reset>(msg::reset),                                            \
      method<&Cls::getUnsignedSample>(msg::getUnsignedSample_),                   \
      method<&Cls::getFloatSample>(msg::getFloatSample),                          \
      method<&Cls::getThinDoubleSample>(msg::getThinDoubleSample),                \
      method<&Cls::getDoubleSample>(msg::getDoubleSample_),                       \
      method<&Cls::getLongDoubleSample>(msg::getLongDoubleSample),                \
      method<&Cls::runup>(msg::runup), method<&Cls::putStateInto>(msg::putStateInto), \
      method<&Cls::setStateFrom>(msg::setStateFrom), method<&Cls::getName>(msg::getName), \
      method<&Cls::describe>(msg::describe)
