#include "bench/measure.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <numeric>

namespace bench::measure {

namespace {

double clockMilliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The nearest-rank percentile of sorted values.
double percentile(const std::vector<double>& sorted, double percent)
{
    const auto rank = static_cast<std::size_t>(std::ceil(percent / 100.0 * sorted.size()));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

double wallMilliseconds() { return clockMilliseconds(CLOCK_MONOTONIC); }
double threadMilliseconds() { return clockMilliseconds(CLOCK_THREAD_CPUTIME_ID); }
double processMilliseconds() { return clockMilliseconds(CLOCK_PROCESS_CPUTIME_ID); }

Reading read() { return {wallMilliseconds(), threadMilliseconds(), processMilliseconds()}; }

Reading since(const Reading& start)
{
    const Reading now = read();
    return {now.wall - start.wall, now.thread - start.thread, now.process - start.process};
}

FrameSummary summarise(std::vector<double> frames, double budget)
{
    if (frames.empty())
        return {};
    std::sort(frames.begin(), frames.end());
    const double total = std::accumulate(frames.begin(), frames.end(), 0.0);
    const auto over = std::count_if(frames.begin(), frames.end(), [budget](double ms) { return ms > budget; });
    return {total / frames.size(), percentile(frames, 50), percentile(frames, 99), frames.back(),
        100.0 * over / frames.size()};
}

Spread spread(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {values.front(), median, values.back()};
}

} // namespace bench::measure
