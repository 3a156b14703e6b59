// Cost of the colour rendition metrics of one spectrum (goal: under 1 ms for both), in the
// same executable as the colorimetry benchmarks so that the ratios share their baseline.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "renditiondata/RenditionTables.h"
#include "tintcalc/Rendition.h"
#include "tintcalc/RenditionMetrics.h"

namespace {

std::vector<double> blackbody(double kelvin) {
    std::vector<double> s;
    for (int nm = 380; nm <= 780; ++nm) {
        const double m = nm * 1e-9;
        s.push_back(1e-16 / (std::pow(m, 5) * std::expm1(1.4388e-2 / (m * kelvin))));
    }
    return s;
}

std::vector<double> fluorescent(int number) {
    std::vector<double> s;
    for (const auto& row : cie::kFluorescentIlluminants) {
        s.push_back(row[number - 1]);
    }
    return s;
}

// Both metrics as a host asks for them: 3000 K on the instrument's 1 nm grid, and FL2
// (4225 K, blended reference) on its published 5 nm grid.
void Rendition_BothMetrics_1nm(benchmark::State& state) {
    const std::vector<double> s = blackbody(3000.0);
    tintcalc::computeRendition(s, 1, 380, 780);  // builds the sample tables once
    for (auto _ : state) {
        benchmark::DoNotOptimize(tintcalc::computeRendition(s, 1, 380, 780));
    }
}

void Rendition_BothMetrics_5nm(benchmark::State& state) {
    const std::vector<double> s = fluorescent(2);
    tintcalc::computeRendition(s, 5, 380, 780);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tintcalc::computeRendition(s, 5, 380, 780));
    }
}

// Each metric alone, for a light of known temperature on the 1 nm grid.
void Rendition_ColourRenderingIndexOnly(benchmark::State& state) {
    const auto grid = tintcalc::SpectralGrid::fromSpectrum(blackbody(3000.0), 1, 380, 780);
    for (auto _ : state) {
        tintcalc::RenditionResult r;
        tintcalc::computeColourRenderingIndex(*grid, 3000.0, r);
        benchmark::DoNotOptimize(r.ra);
    }
}

void Rendition_FidelityGamutOnly(benchmark::State& state) {
    const auto grid = tintcalc::SpectralGrid::fromSpectrum(blackbody(3000.0), 1, 380, 780);
    for (auto _ : state) {
        tintcalc::RenditionResult r;
        tintcalc::computeFidelityAndGamut(*grid, 3000.0, r);
        benchmark::DoNotOptimize(r.rf);
    }
}

BENCHMARK(Rendition_BothMetrics_1nm)->Unit(benchmark::kMicrosecond);
BENCHMARK(Rendition_BothMetrics_5nm)->Unit(benchmark::kMicrosecond);
BENCHMARK(Rendition_ColourRenderingIndexOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(Rendition_FidelityGamutOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
