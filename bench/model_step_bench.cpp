// One model step through the whole engine (brood, schedule, action group,
// for-each action, warmling steps, stepRule, updateLattice) beside the same
// step on plain arrays, and the heat lattice's stepRule alone beside the
// plain diffusion loop.
#include <algorithm>
#include <vector>

#include "activity/activity.h"
#include "beside.h"
#include "model/HeatSpace.h"
#include "model/Warmling.h"
#include "model/WarmlingModelBrood.h"
#include "plain_diffusion.h"
#include "plain_model.h"

namespace {

struct ModelSize {
  int width, height, warmlings;
};
constexpr ModelSize defaultModel{80, 80, 100}, largeModel{1000, 1000, 10000};
constexpr unsigned startupSeed = 321654789;

// The plain loop's own two buffers, started from a lattice's current cells.
struct PlainLattice {
  std::vector<intptr_t> cells, next;
  unsigned w, h;
  double diffusion, evaporation;

  explicit PlainLattice(const HeatSpace* heat)
      : cells(heat->lattice, heat->lattice + heat->cellCount()),
        next(cells.size()),
        w(heat->xsize),
        h(heat->ysize),
        diffusion(heat->diffusionConstant),
        evaporation(heat->evaporationRate) {}

  void step() {
    plainDiffuse(cells.data(), next.data(), w, h, diffusion, evaporation);
    cells.swap(next);
    benchmark::ClobberMemory();
  }
  bool sameAs(const HeatSpace* heat) const { return std::equal(cells.begin(), cells.end(), heat->lattice); }
};

// The heat lattice and every warmling's cell.
bool sameModel(const PlainModel& plain, const WarmlingModelBrood* model) {
  if (!std::equal(plain.heat.begin(), plain.heat.end(), model->heat->lattice)) return false;
  size_t i = 0;
  id index = msg::begin(model->warmlingList, _obj_scratchZone);
  bool same = true;
  while (id member = msg::next(index)) {
    const auto* warmling = static_cast<Warmling*>(member);
    same = same && i < plain.warmlings.size() && warmling->x == plain.warmlings[i].x &&
           warmling->y == plain.warmlings[i].y;
    i++;
  }
  msg::drop(index);
  return same && i == plain.warmlings.size();
}

// The times per cell of one step, for the scaling table.
void perCell(benchmark::State& state, double cells) {
  state.counters["subject_ns_per_cell"] = state.counters["subject_ns"].value / cells;
  state.counters["baseline_ns_per_cell"] = state.counters["baseline_ns"].value / cells;
}

// The model as a driver runs it: built from the start-up seed and
// activated in a top-level brood.
struct EngineModel {
  WarmlingModelBrood* model;
  id top, topActivity;
  timeval_t time = 0;

  EngineModel(ModelSize size, BOOL randomized) {
    msg::setStateFromSeed(randomGenerator, startupSeed);
    model = static_cast<WarmlingModelBrood*>(msg::create(objc_get_class("WarmlingModelBrood"), _obj_globalZone));
    model->worldXSize = size.width;
    model->worldYSize = size.height;
    model->numBugs = size.warmlings;
    model->randomizeWarmlingUpdateOrder = randomized;
    msg::buildObjects(model);
    msg::buildActions(model);
    top = msg::create(objc_get_class("Brood"), _obj_globalZone);
    topActivity = msg::activateIn(top, nil);
    msg::activateIn(model, top);
  }
  ~EngineModel() {
    msg::drop(top);
    msg::drop(model);
  }
  void step() { msg::stepUntil(topActivity, ++time); }
};

// A few steps in, so that the heat has spread; the plain model is built
// from the same seed and kept in step with the engine's.
void ModelStep(benchmark::State& state, ModelSize size) {
  EngineModel engine(size, NO);
  WarmlingModelBrood* model = engine.model;
  timeval_t& time = engine.time;
  while (time < 10) engine.step();
  PlainModel plain(startupSeed, size.width, size.height, size.warmlings);
  for (timeval_t t = 0; t < time; t++) plain.step();
  if (!sameModel(plain, model)) {
    state.SkipWithError("the plain model and the engine disagree");
  } else {
    timeBeside(state, [&] { engine.step(); }, [&] {
      plain.step();
      benchmark::ClobberMemory();
    });
    perCell(state, static_cast<double>(size.width) * size.height);
    if (!sameModel(plain, model)) state.SkipWithError("the plain model and the engine drifted apart");
  }
}

// The randomized update order beside the list order, both through the
// engine: each randomized step walks a permuted index, whose every step
// rebuilds and reshuffles its permutation, so its cost grows with the
// square of the population. The runs differ, so there is nothing to check.
void RandomizedStep(benchmark::State& state, ModelSize size) {
  EngineModel randomized(size, YES), listOrder(size, NO);
  timeBeside(state, [&] { randomized.step(); }, [&] { listOrder.step(); });
  state.counters["extra_ns_per_step"] = state.counters["subject_ns"].value - state.counters["baseline_ns"].value;
}

void StepRule(benchmark::State& state, ModelSize size) {
  auto* heat = static_cast<HeatSpace*>(msg::create_setSizeX_Y_setDiffusionConstant_setEvaporationRate(
      objc_get_class("HeatSpace"), _obj_globalZone, size.width, size.height, 1.0, 0.99));
  const size_t cells = heat->cellCount();
  for (size_t i = 0; i < cells; i++) heat->lattice[i] = heat->newLattice[i] = static_cast<intptr_t>(i * 7919 % 32768);
  PlainLattice plain(heat);
  plain.step();
  msg::stepRule(heat);
  if (!plain.sameAs(heat)) {
    state.SkipWithError("the plain loop and stepRule disagree");
  } else {
    timeBeside(state, [&] { msg::stepRule(heat); }, [&] { plain.step(); });
    if (!plain.sameAs(heat)) state.SkipWithError("the plain loop and stepRule drifted apart");
  }
  msg::drop(heat);
}

}  // namespace

BENCHMARK_CAPTURE(ModelStep, default_80x80_100, defaultModel)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ModelStep, large_1000x1000_10000, largeModel)->UseManualTime()->Unit(benchmark::kMillisecond);
// The scaling table: one warmling per hundred cells.
BENCHMARK_CAPTURE(ModelStep, scale_100x100, ModelSize{100, 100, 100})->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ModelStep, scale_300x300, ModelSize{300, 300, 900})->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ModelStep, scale_1000x1000, ModelSize{1000, 1000, 10000})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelStep, scale_2000x2000, ModelSize{2000, 2000, 40000})->UseManualTime()->Unit(benchmark::kMillisecond);
// The randomized order at the two sizes; a large step takes seconds.
BENCHMARK_CAPTURE(RandomizedStep, default_80x80_100, defaultModel)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RandomizedStep, large_1000x1000_10000, largeModel)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(1);
BENCHMARK_CAPTURE(StepRule, default_80x80, defaultModel)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(StepRule, large_1000x1000, largeModel)->UseManualTime()->Unit(benchmark::kMillisecond);
