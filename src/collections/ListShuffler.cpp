#include "collections/ListShuffler.h"

#include <algorithm>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "defobj/phase.h"
#include "random/random.h"

id ListShuffler_c::create_setUniformRandom(Class cls, id zone, id distribution) {
  id shuffler = msg::createBegin(cls, zone);
  msg::setUniformRandom(shuffler, distribution);
  return msg::createEnd(shuffler);
}

void ListShuffler_c::setUniformRandom(id distribution) {
  const char* function = "-[ListShuffler(c) _setUniformRandom:]";
  if (uniformRandom)
    raiseAt(InvalidArgument, function, "ListShuffler: You can only set the UniformUnsigned object once\n");
  if (!msg::respondsTo(distribution, msg::getUnsignedWithMin_withMax.sel))
    raiseAt(InvalidArgument, function, "ListShuffler: need a UniformUnsigned distribution object!\n");
  uniformRandom = distribution;
}

id ListShuffler_c::createEnd() {
  if (!uniformRandom) uniformRandom = uniformUnsRand;
  return CreateDrop_s::createEnd();
}

// From the last offset down to 1, each exchanges with an offset drawn at
// or below it: one draw per step.
void ListShuffler_c::shuffleFirst(id list, unsigned n) {
  while (n > 1) {
    n--;
    const unsigned j = msg::getUnsignedWithMin_withMax(uniformRandom, 0, n);
    id last = msg::atOffset(list, n);
    msg::atOffset_put(list, n, msg::atOffset_put(list, j, last));
  }
}

id ListShuffler_c::shuffleWholeList(id list) {
  shuffleFirst(list, msg::getCount(list));
  return list;
}

id ListShuffler_c::shufflePartialList_Num(id list, unsigned num) {
  shuffleFirst(list, std::min(num, msg::getCount(list)));
  return list;
}

REGISTER_CLASS(ListShuffler_c, CreateDrop_s,
  ivar(&ListShuffler_c::uniformRandom, "uniformRandom"),
  classMethod<&ListShuffler_c::create_setUniformRandom>(msg::create_setUniformRandom),
  phase(Phase::Creating),
  method<&ListShuffler_c::setUniformRandom>(msg::setUniformRandom),
  method<&ListShuffler_c::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&ListShuffler_c::shuffleWholeList>(msg::shuffleWholeList),
  method<&ListShuffler_c::shufflePartialList_Num>(msg::shufflePartialList_Num))
