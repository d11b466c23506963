#include "bench/support/SideTimes.h"

#include <chrono>
#include <ctime>

namespace bench {

namespace {

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

SideTimes::SideTimes(std::vector<std::string> names)
    : m_Names(std::move(names)), m_Wall(m_Names.size(), 0.0), m_Cpu(m_Names.size(), 0.0)
{
}

void SideTimes::RunOnce(const std::vector<std::function<void()>>& sides)
{
    for (size_t k = 0; k < sides.size(); ++k) {
        const size_t side = (m_Runs + k) % sides.size();
        const double wall = WallSeconds(), cpu = ThreadCpuSeconds();
        sides[side]();
        m_Cpu[side] += ThreadCpuSeconds() - cpu;
        m_Wall[side] += WallSeconds() - wall;
    }
    ++m_Runs;
}

void SideTimes::Report(benchmark::State& state, double per) const
{
    const double runs = double(m_Runs ? m_Runs : 1) * per;
    for (size_t side = 0; side < m_Names.size(); ++side) {
        state.counters[m_Names[side] + "_ms"] = 1000.0 * m_Wall[side] / runs;
        state.counters[m_Names[side] + "_cpu_ms"] = 1000.0 * m_Cpu[side] / runs;
    }
}

void SideTimes::ReportRatio(benchmark::State& state, size_t side, size_t base) const
{
    const std::string name = m_Names[side] + "_over_" + m_Names[base];
    state.counters[name] = m_Wall[base] > 0 ? m_Wall[side] / m_Wall[base] : 0.0;
    state.counters[name + "_cpu"] = m_Cpu[base] > 0 ? m_Cpu[side] / m_Cpu[base] : 0.0;
}

} // namespace bench
