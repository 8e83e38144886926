// The listing parse alone: ListDevices over a listing that a replaying runner hands over, so
// that no process is started. Throughput counts the bytes of the listing.
#include <benchmark/benchmark.h>

#include "bench_listing.h"
#include "test_support.h"
#include "update_manager.h"

namespace {

void ParseListing(benchmark::State& state, const std::string& listing) {
  CFakeRunner runner;
  CFakeFinder finder;
  runner.m_replies["zunder -L"] = listing;
  CUpdateManager manager(runner, finder);
  manager.Reset();
  for (auto _ : state) {
    benchmark::DoNotOptimize(manager.ListDevices());
    // The runner notes every run; left alone, that list would grow with the iterations.
    runner.m_events.clear();
  }
  if (manager.m_deviceCount == 0) state.SkipWithError("no device line was accepted");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(listing.size()));
}

void BM_ListingParse(benchmark::State& state) {
  ParseListing(state, MakeListing(static_cast<size_t>(state.range(0))));
}
BENCHMARK(BM_ListingParse)
    ->ArgName("lines")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

void BM_ListingParseLongLine(benchmark::State& state) {
  ParseListing(state, MakeLongLine(static_cast<size_t>(state.range(0))));
}
BENCHMARK(BM_ListingParseLongLine)->ArgName("bytes")->Arg(4 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
