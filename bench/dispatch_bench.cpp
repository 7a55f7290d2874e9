// A message send beside a direct call of the same method, a thousand of
// each per iteration. The method lives in another translation unit, so the
// direct call is a real call too, not an inlined load.
#include "beside.h"
#include "model/HeatCell.h"

namespace {

void MessageSend(benchmark::State& state) {
  auto* cell = static_cast<HeatCell*>(msg::create(objc_get_class("HeatCell"), _obj_globalZone));
  msg::setX(cell, 3);
  id receiver = cell;
  int sum = 0;
  timeBeside(state, [&] { sum += msg::getX(receiver); }, [&] { sum += cell->getX(); }, 1000);
  benchmark::DoNotOptimize(sum);
  msg::drop(cell);
}

}  // namespace

BENCHMARK(MessageSend)->UseManualTime();
