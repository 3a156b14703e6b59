#include "simulator/StoredDataFill.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "simulator/MeasurementModel.h"

namespace rx9100sim {
namespace {

// One kind of measurement someone would keep: what was measured and how.
struct Recipe {
    const char* source;
    double luminance;  // cd/m²
    const char* name;  // at most eight characters, so a second one can take " 2"
    int speedMode;
    int syncMode;  // 1: synchronised to 60 Hz
    int lens;
    int nd;
    int angle;
};

constexpr Recipe kRecipes[] = {
    {"a", 85.0, "Lamp A", 0, 0, 0, 0, 0},
    {"d65", 120.0, "D65 ref", 1, 0, 0, 0, 0},
    {"white", 250.0, "LCD W", 2, 1, 0, 0, 0},
    {"red", 53.0, "LCD R", 2, 1, 0, 0, 0},
    {"green", 172.0, "LCD G", 2, 1, 0, 0, 0},
    {"blue", 18.5, "LCD B", 2, 1, 0, 0, 0},
    {"planck:5000", 2400.0, "Lamp 5K", 0, 0, 0, 1, 0},
    {"led:450:20", 3.2, "LED 450", 3, 0, 0, 0, 1},
    {"planck:2700", 8.5, "Warm 2K7", 4, 0, 1, 0, 1},
    {"led:590:15", 640.0, "LED 590", 1, 0, 0, 0, 1},
};
constexpr int kRecipeCount = static_cast<int>(std::size(kRecipes));

Conditions conditionsOf(const Recipe& r, int firmwareLevel) {
    const bool modern = firmwareLevel >= 110;
    Conditions c;
    c.speedMode = (r.speedMode == 4 && !modern) ? 2 : r.speedMode;
    c.count = c.speedMode == 4 ? 2 : 4;
    c.integrationUs = 2000000;
    c.internalNd = 0;
    c.syncMode = r.syncMode;
    c.syncCentiHz = 6000;
    c.lens = r.lens;
    c.nd = r.nd;
    return c;
}

// A measurement of the recipe's source at the given luminance, as the instrument takes it.
StoredRecord measured(const Recipe& r, double luminance, const Memory& memory,
                      const Identity& identity, unsigned seed) {
    Memory m = memory;
    m.conditions = conditionsOf(r, identity.firmwareLevel());
    m.measuringAngle = r.angle;
    Scene scene;
    scene.source = *LightSource::parse(r.source);
    scene.luminance = luminance;
    const Spectrum sensor = throughOptics(sceneRadiance(scene, 0.0), m);
    const Exposure x =
        planExposure(m.conditions, luminanceOf(sensor), r.angle, identity.lowLuminanceModel());
    std::mt19937 rng(seed);
    StoredRecord record;
    record.conditions = m.conditions;
    record.angle = r.angle;
    record.integrationUs = static_cast<int>(std::lround(x.integrationSeconds * 1e6));
    record.spectrum = produceReading(sensor, m, x, Miscalibration{}, 0.002, rng);
    return record;
}

double rounded(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

}  // namespace

void fillStoredData(Memory& memory, int count, const Identity& identity) {
    count = std::clamp(count, 0, kSamples);
    memory.samples = {};
    memory.targets = {};
    for (int n = 0; n < count; ++n) {
        // Each round of ten sources is measured a little brighter than the one before.
        const Recipe& r = kRecipes[n % kRecipeCount];
        const double luminance = r.luminance * (1.0 + 0.07 * (n / kRecipeCount));
        memory.samples[n] = measured(r, luminance, memory, identity, 1000u + n);
    }
    for (int t = 1; t <= std::min(count, kTargets); ++t) {
        const Recipe& r = kRecipes[(t + 4) % kRecipeCount];
        StoredRecord target = measured(r, r.luminance, memory, identity, 2000u + t);
        // Every seventh target was kept without a name, the second round of a source as "… 2".
        if (t % 7 != 0) {
            target.name = std::string(r.name) + (t > kRecipeCount ? " 2" : "");
        }
        if (t % 3 == 0) {
            // Kept as colour values only, for the 2° observer, or the 10° one every sixth.
            Spectrum s{};
            std::copy(target.spectrum.begin(), target.spectrum.end(), s.begin());
            target.spectral = false;
            target.observerCode = t % 6 == 0 ? 11 : 1;
            const ColourValues v = colourOf(s, target.observerCode == 11);
            target.colour = {rounded(v.lv, 2), rounded(v.x, 4), rounded(v.y, 4)};
            target.spectrum = {};
        }
        memory.targets[t] = target;
    }
}

}  // namespace rx9100sim
