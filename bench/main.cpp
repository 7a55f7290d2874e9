// Starts the libraries as the program does, then runs the benchmarks.
#include <benchmark/benchmark.h>

#include "activity/activity.h"
#include "defobj/module.h"
#include "model/warmling_model.h"
#include "objectbase/objectbase.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  warmling_register_classes();
  initModules();
  _obj_initModule(&_activity_);
  initProbing();
  initRandom(nil);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
