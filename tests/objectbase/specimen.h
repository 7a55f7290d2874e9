// The probed classes of the tests: a specimen with a variable of every
// kind and methods of mixed signatures, a subclass that overrides one of
// them, a listener that records the probe notifications it hears, and a
// model brood.
#pragma once

#include <string>

#include "defobj/fcall_type.h"
#include "objectbase/Brood.h"
#include "objectbase/BroodObject.h"

namespace msg {
inline const Message<long long(int, double, long long, unsigned char, char, const char*, id)> t_mix{
    "t_mix:real:wide:byte:small:text:object:"};
inline const Message<void(int, int)> t_moveX_y{"t_moveX:y:"};
inline const Message<double()> t_half{"t_half"};
inline const Message<id()> t_partner{"t_partner"};
inline const Message<const char*()> t_label{"t_label"};
inline const Message<BOOL()> t_isBig{"t_isBig"};
inline const Message<long()> t_big{"t_big"};
inline const Message<float()> t_ratio{"t_ratio"};
inline const Message<unsigned long long(unsigned long long, long long)> t_sum64{"t_sum64:signed:"};
inline const Message<Class(Class, SEL)> t_classOf{"t_classOf:sel:"};
inline const Message<int()> sameName{"sameName"};
}  // namespace msg

struct Specimen : BroodObject {
  BOOL flag;
  char letter;
  unsigned char byte;
  short small;
  unsigned short usmall;
  int number;
  unsigned unumber;
  long wide;
  unsigned long uwide;
  long long huge;
  unsigned long long uhuge;
  float ratio;
  double real;
  long double extended;
  const char* text;
  id partner;
  Class kind;
  SEL action;
  int* pointer;
  int grid[2][3];
  double series[4];
  val_t record;
  val_t records[2];
  int sameName;  // a method has this name too
  int x, y;
  SEL lastSelector;

  long long mix(int i, double d, long long q, unsigned char b, char c, const char* s, id o);
  void moveX_y(int newX, int newY);
  double half();
  id getPartner();
  const char* label();
  BOOL isBig();
  long big();
  float getRatio();
  unsigned long long sum64(unsigned long long a, long long b);
  Class classOf(Class cls, SEL sel);
  int sameNameMethod();
};

struct Kid : Specimen {
  int extra;
  double half();
};

struct Listener : BroodObject {
  int heard;
  id object;
  id probe;
  const char* kind;
  const char* name;
  char type;
  const void* data;

  void eventOccurredOn_via_withProbeType_on_ofType_withData(id object, id probe, const char* kind,
                                                            const char* name, char type, const void* data);
};

// A model brood with a variable of its own.
struct Colony : Brood {
  int population;
};

void register_specimen_classes();

Specimen* newSpecimen();
Kid* newKid();
Listener* newListener();
Colony* newColony();
Class specimenClass();
Class kidClass();

// A variable probe of the specimen class (nil when there is no such variable).
id varProbe(const char* name, Class cls = specimenClass());
// A message probe of the specimen class.
id messageProbe(const char* selector, Class cls = specimenClass());
// The probe's text of the variable.
std::string textOf(id probe, id object, BOOL fullPrecision = NO);
