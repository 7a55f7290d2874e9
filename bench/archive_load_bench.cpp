// Loading archives of many entries: an application archive of n text
// entries, a map of n entries read from its archive text, and a system
// HDF5 archive of n mode groups. The complexity report shows how each
// load grows with n; it should stay near n log n.
#include <benchmark/benchmark.h>
#include <hdf5.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Archiver.h"
#include "defobj/archiving_messages.h"
#include "defobj/lispIn.h"
#include "defobj/module.h"

namespace {

std::string scratchFile(const char* suffix) {
  return "/tmp/brood-archive-bench-" + std::to_string(getpid()) + suffix;
}

// Keys in an order of their own, neither sorted nor reversed.
std::string key(int i, int n) { return "key" + std::to_string((i * 7919L) % n); }

void TextEntries(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string path = scratchFile(".scm");
  FILE* file = std::fopen(path.c_str(), "w");
  std::fputs("(list", file);
  for (int i = 0; i < n; i++)
    std::fprintf(file, "\n  (cons '%s\n     (make-instance 'Entry #:x %d))", key(i, n).c_str(), i);
  std::fputs(")", file);
  std::fclose(file);
  for (auto _ : state) msg::drop(msg::create_setPath(LispArchiver, _obj_globalZone, path.c_str()));
  state.SetComplexityN(n);
  std::remove(path.c_str());
}

void MapEntries(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  _objc_lookup_class = findTypeOrLocalClass;  // type names, as start-up installs it
  std::string text = "(make-instance 'Map";
  for (int i = 0; i < n; i++) text += " (cons " + std::to_string((i * 7919L) % n) + " nil)";
  text += " #:compare-function #:compare-integers)";
  FILE* file = fmemopen(text.data(), text.size(), "r");
  id zone = msg::create(Zone, _obj_globalZone);
  id expr = msg::getExpr(msg::create_setFileStream(InputStream, zone, file));
  std::fclose(file);
  for (auto _ : state) msg::drop(lispIn(zone, expr));
  state.SetComplexityN(n);
  msg::drop(zone);
}

void HDF5ModeGroups(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string path = scratchFile(".hdf");
  hid_t fid = H5Fcreate(path.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT);
  hid_t application = H5Gcreate2(fid, "bench", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
  for (int i = 0; i < n; i++)
    H5Gclose(H5Gcreate2(application, key(i, n).c_str(), H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT));
  H5Gclose(application);
  H5Fclose(fid);
  for (auto _ : state) {
    id archiver = msg::createBegin(HDF5Archiver, _obj_globalZone);
    msg::setPath(archiver, path.c_str());
    msg::setSystemArchiverFlag(archiver, YES);
    msg::drop(msg::createEnd(archiver));
  }
  state.SetComplexityN(n);
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(TextEntries)->RangeMultiplier(2)->Range(1000, 16000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(MapEntries)->RangeMultiplier(2)->Range(1000, 16000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(HDF5ModeGroups)->RangeMultiplier(2)->Range(2500, 20000)->Unit(benchmark::kMillisecond)->Complexity();
