#pragma once

// A benchmark beside the floor it is held against: after the runs, each
// pair's ratio of CPU time per iteration is printed, so that every run says
// how far the real code is from the least the same work could cost. CPU
// time, not wall time: the machines these run on are shared. A benchmark
// that runs the two by turns itself reports its "ratio" counter, printed
// the same way.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class FloorRatios : public benchmark::ConsoleReporter {
public:
    using Pair = std::pair<std::string, std::string>;  // real, floor
    explicit FloorRatios(std::vector<Pair> pairs) : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, each one's figure would overwrite the last:
        // their median stands for them once it comes.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                median_[name] = run.GetAdjustedCPUTime();
            else if (run.run_type == Run::RT_Iteration && !median_.count(name))
                cpu_[name] = run.GetAdjustedCPUTime();
            if (const auto paired = run.counters.find("ratio"); paired != run.counters.end())
                paired_[name] = paired->second.value;
        }
        for (const auto& [name, cpu] : median_)
            cpu_[name] = cpu;
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [real, floor] : pairs_) {
            const auto r = cpu_.find(real);
            const auto f = cpu_.find(floor);
            if (r != cpu_.end() && f != cpu_.end() && f->second > 0)
                std::printf("%-32s %6.2f times %s\n", real.c_str(), r->second / f->second,
                            floor.c_str());
        }
        for (const auto& [name, ratio] : paired_)
            std::printf("%-32s %6.2f times its floor, run by turns\n", name.c_str(), ratio);
    }

private:
    std::vector<Pair> pairs_;
    std::map<std::string, double> cpu_;
    std::map<std::string, double> median_;  // of the repeated ones
    std::map<std::string, double> paired_;  // the "ratio" counters of pairs run by turns
};

// A main for a benchmark file with floors.
inline int RunWithFloorRatios(int argc, char** argv, std::vector<FloorRatios::Pair> pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    FloorRatios reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
