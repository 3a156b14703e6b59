// Cost of the colour values of one 401-value spectrum. Figures are printed in ns per
// spectrum and as ratios to a baseline measured in the same run: one weighted sum over the
// spectrum, the least any luminance computation has to do. CPU time is used, as the build
// machine is shared.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ciedata/CieTables.h"
#include "outside/CalculateColorControl.h"
#include "tintcalc/Colorimetry.h"
#include "tintcalc/PlanckianLocus.h"

namespace {

constexpr char kBaseline[] = "Baseline_OneWeightedSum";

std::vector<double> warmWhite() {
    std::vector<double> s;
    for (int nm = 380; nm <= 780; ++nm) {
        const double m = nm * 1e-9;
        s.push_back(1e-16 / (std::pow(m, 5) * std::expm1(1.4388e-2 / (m * 3000.0))));
    }
    return s;
}

void Baseline_OneWeightedSum(benchmark::State& state) {
    const std::vector<double> s = warmWhite();
    for (auto _ : state) {
        double y = 0.0;
        for (int nm = 380; nm <= 780; ++nm) {
            y += s[nm - 380] * cie::kObserver2.at(nm)[1];
        }
        benchmark::DoNotOptimize(y);
    }
}

void AllQuantities(benchmark::State& state) {
    const std::vector<double> s = warmWhite();
    const int observer = static_cast<int>(state.range(0));
    tintcalc::computeSpectrum(s, 1, 380, 780, observer);  // builds the locus tables once
    for (auto _ : state) {
        benchmark::DoNotOptimize(tintcalc::computeSpectrum(s, 1, 380, 780, observer));
    }
}

void ColorimetricRecord(benchmark::State& state) {
    tintcalc::computeLvxy(100.0, 0.4366, 0.4042, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tintcalc::computeLvxy(100.0, 0.4366, 0.4042, 2));
    }
}

// What a stored-data dialog does per listed record.
void DialogSequence(benchmark::State& state) {
    const std::vector<double> s = warmWhite();
    CalculateColorControl control;
    std::vector<ItemValue> items;
    for (auto _ : state) {
        control.clearSampleData();
        control.addSampleData(0, 3, 1, 380, 780, 0, s);
        control.calculateColor(0, 0, items);
        benchmark::DoNotOptimize(items.data());
    }
}

// Paid once per observer, at the first temperature computed.
void LocusTableBuild(benchmark::State& state) {
    for (auto _ : state) {
        tintcalc::PlanckianLocus locus(cie::kObserver2, 380, 780);
        benchmark::DoNotOptimize(&locus);
    }
}

BENCHMARK(Baseline_OneWeightedSum);
BENCHMARK(AllQuantities)->Arg(2)->Arg(10);
BENCHMARK(ColorimetricRecord);
BENCHMARK(DialogSequence);
BENCHMARK(LocusTableBuild)->Unit(benchmark::kMillisecond);

// Prints the usual table, then every result against the baseline.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const double ns = run.GetAdjustedCPUTime() /
                                  benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
                results_.emplace_back(run.benchmark_name(), ns);
            }
        }
    }

    void Finalize() override {
        double baseline = 0.0;
        for (const auto& [name, ns] : results_) {
            if (name == kBaseline) {
                baseline = ns;
            }
        }
        std::printf("\n%-34s %16s %14s\n", "per spectrum", "CPU ns", "x baseline");
        for (const auto& [name, ns] : results_) {
            std::printf("%-34s %16.1f %14.1f\n", name.c_str(), ns,
                        baseline > 0.0 ? ns / baseline : 0.0);
        }
        ConsoleReporter::Finalize();
    }

  private:
    std::vector<std::pair<std::string, double>> results_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
