#pragma once
// Clocks and summaries shared by the benchmarks. A software renderer draws
// on threads of its own, so every cost is read three ways: the wall time,
// the main thread's processor time and the whole process's processor time.
#include <vector>

namespace bench::measure {

double wallMilliseconds();
double threadMilliseconds();
double processMilliseconds();

// The three clocks read together; differences give a stretch's costs.
struct Reading {
    double wall;
    double thread;
    double process;
};
Reading read();
Reading since(const Reading& start);

// Frame times in milliseconds: mean, 50th and 99th percentile, the longest
// frame and the share of frames over the budget, in per cent.
struct FrameSummary {
    double mean;
    double p50;
    double p99;
    double max;
    double overBudget;
};
FrameSummary summarise(std::vector<double> frames, double budget);

// The least, the median and the largest of repeated figures.
struct Spread {
    double min;
    double median;
    double max;
};
Spread spread(std::vector<double> values);

} // namespace bench::measure
