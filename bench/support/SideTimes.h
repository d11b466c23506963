#pragma once
// Wall and main-thread CPU time of the sides of a comparison run interleaved in one benchmark
// loop, so that both sides see the same machine load; the order alternates between iterations.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

class SideTimes {
public:
    // Names the sides in the counters: "<name>_ms", "<name>_cpu_ms".
    explicit SideTimes(std::vector<std::string> names);

    // Runs every side once, in turn, starting one further along each call.
    void RunOnce(const std::vector<std::function<void()>>& sides);

    // Times of every side per iteration, divided by `per` (the units of work a side does per
    // turn), and side `side` over side `base` in wall and CPU time.
    void Report(benchmark::State& state, double per = 1.0) const;
    void ReportRatio(benchmark::State& state, size_t side, size_t base) const;

private:
    std::vector<std::string> m_Names;
    std::vector<double> m_Wall, m_Cpu;   // seconds
    uint64_t m_Runs = 0;
};

} // namespace bench
