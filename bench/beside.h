// Timing a piece of the toolkit beside a plain C++ baseline that does the
// same work: the two run alternately in every iteration, so clock drift and
// cache state hit both alike. The reported time is the subject's; the
// counters give the baseline's time and the ratio of the two.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

template <class Subject, class Baseline>
void timeBeside(benchmark::State& state, Subject subject, Baseline baseline, int repeats = 1) {
  using Clock = std::chrono::steady_clock;
  double subjectSeconds = 0, baselineSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (int i = 0; i < repeats; i++) subject();
    const auto middle = Clock::now();
    for (int i = 0; i < repeats; i++) baseline();
    const auto end = Clock::now();
    const double seconds = std::chrono::duration<double>(middle - start).count();
    state.SetIterationTime(seconds);
    subjectSeconds += seconds;
    baselineSeconds += std::chrono::duration<double>(end - middle).count();
  }
  const double perRun = 1e9 / (static_cast<double>(state.iterations()) * repeats);
  state.counters["subject_ns"] = subjectSeconds * perRun;
  state.counters["baseline_ns"] = baselineSeconds * perRun;
  state.counters["ratio"] = subjectSeconds / baselineSeconds;
}
