// The twisted generalized feedback shift register generators. TGFSRgen
// holds the algorithm; TT403gen, TT775gen and TT800gen differ only in the
// parameters that their initState sets.
#pragma once

#include "random/Generator.h"

struct TGFSRgen : Generator_<TGFSRgen, uint32_t*> {
  uint32_t w, N, M, s, t, b, c;
  uint32_t a[2];  // { 0, matrix }, indexed by the low bit of the word
  uint32_t index;
  uint32_t* state;
  UnsignedSampleImp unsignedSampleImp;  // the variable "getUnsignedSample"

  // The abstract class creates nothing: its creating messages answer it.
  template <class... A>
  static id createNothing(Class cls, A...) { return cls; }
  void initState();
  void drop();

  // What the shared generator logic asks of its family.
  static constexpr const char* className = "TGFSRgen";
  static constexpr unsigned firstIndex = 0;
  static constexpr const char* cycleLength = "at least 2^403";
  void regenerate();
  uint32_t temper(uint32_t y) const;
  uint32_t wordBits() const { return w; }
  uint32_t maskB() const { return b; }
  uint32_t maskC() const { return c; }
  void describeShifts(id stream);
  void describeVectors(id stream);

 protected:
  // Sets the parameters and allocates the vectors in the generator's zone.
  void initWith(const GeneratorParameters& p);
};

struct TT403gen : TGFSRgen {
  static constexpr const char* className = "TT403gen";
  void initState();
};

struct TT775gen : TGFSRgen {
  static constexpr const char* className = "TT775gen";
  void initState();
};

struct TT800gen : TGFSRgen {
  static constexpr const char* className = "TT800gen";
  void initState();
};
