#include "simulator/MeasurementModel.h"

#include <algorithm>
#include <cmath>

#include "simulator/HexFloat.h"
#include "simulator/Identity.h"

namespace rx9100sim {

int Identity::firmwareLevel() const {
    const auto v = parseDecimal(romVersion);
    return v ? static_cast<int>(*v * 100.0 + 0.01) : 0;
}

namespace {

// Signal (cd·s/m² at the sensor) that fills the detector for each model.
constexpr double kTargetSignalStandard = 50.0;
constexpr double kTargetSignalLowLuminance = 5.0;
// Light collected relative to the widest measuring angle.
constexpr double kAngleFactor[kAngles] = {1.0, 0.2, 0.04};
constexpr double kMinIntegration = 0.005;
// Below this share of a full detector the reading is flagged as insufficient exposure.
constexpr double kInsufficientShare = 0.01;

double targetSignal(bool low) {
    return low ? kTargetSignalLowLuminance : kTargetSignalStandard;
}

double effectiveLuminance(const Conditions& c, double sensorLuminance, int angle) {
    double e = sensorLuminance * kAngleFactor[std::clamp(angle, 0, kAngles - 1)];
    const bool internalNd = c.internalNd == 1 || (c.internalNd == 2 && e > 1000.0);
    return internalNd ? e * 0.1 : e;
}

}  // namespace

Spectrum sceneRadiance(const Scene& scene, double wavelengthErrorNm) {
    // Scaled so that the source itself, read without any error, has the set luminance.
    const double current = luminanceOf(relativeSpectrum(scene.source));
    const double k = current > 0 ? scene.luminance / current : 0.0;
    const Sample sample = scene.presented();
    Spectrum s{};
    for (int i = 0; i < kPoints; ++i) {
        const double nm = kFirstNm + i - wavelengthErrorNm;
        s[i] = k * relativeAt(scene.source, nm) * sample.factorAt(nm);
    }
    return s;
}

Spectrum throughOptics(const Spectrum& radiance, const Memory& m) {
    Spectrum s = radiance;
    const int angle = std::clamp(m.measuringAngle, 0, kAngles - 1);
    if (m.conditions.lens == 1 && m.lensTables[angle]) {
        const Table& t = *m.lensTables[angle];
        for (int i = 0; i < kPoints; ++i) {
            s[i] = t[i] != 0.0f ? s[i] / t[i] : 0.0;
        }
    }
    if (m.conditions.nd == 1 || m.conditions.nd == 2) {
        const auto& table = m.ndTables[angle][m.conditions.nd - 1];
        const double nominal = m.conditions.nd == 1 ? 10.0 : 100.0;
        for (int i = 0; i < kPoints; ++i) {
            const double f = table ? (*table)[i] : nominal;
            s[i] = f != 0.0 ? s[i] / f : 0.0;
        }
    }
    return s;
}

Exposure planExposure(const Conditions& c, double sensorLuminance, int angle, bool low) {
    const double target = targetSignal(low);
    const double e = effectiveLuminance(c, sensorLuminance, angle);
    const auto autoTime = [&](double maxSeconds) {
        return e > 0 ? std::clamp(target / e, kMinIntegration, maxSeconds) : maxSeconds;
    };
    Exposure x;
    const int count = std::max(1, c.count);
    switch (c.speedMode) {
        case 1:
            x.integrationSeconds = autoTime(5.0);
            x.measuringSeconds = 0.5 + x.integrationSeconds;
            break;
        case 2:
            x.integrationSeconds = autoTime(2.0);
            x.measuringSeconds = 0.5 + count * x.integrationSeconds;
            break;
        case 3:
            x.integrationSeconds = c.integrationUs * 1e-6;
            x.measuringSeconds = 0.5 + 2.0 * x.integrationSeconds;
            break;
        case 4:
            x.integrationSeconds = autoTime(0.5);
            x.measuringSeconds = 0.3 + count * x.integrationSeconds;
            break;
        default:
            x.integrationSeconds = autoTime(30.0);
            x.measuringSeconds = 1.0 + 2.0 * x.integrationSeconds;
            break;
    }
    if (c.syncMode == 1 && c.syncCentiHz > 0 && c.speedMode != 3) {
        // Synchronised to a flickering source: whole periods only.
        const double period = 100.0 / c.syncCentiHz;
        const double periods = std::ceil(x.integrationSeconds / period - 1e-9);
        const double longer = periods * period - x.integrationSeconds;
        x.integrationSeconds += longer;
        x.measuringSeconds += longer * (c.speedMode == 0 ? 2.0 : c.speedMode == 1 ? 1.0 : count);
    }
    x.insufficient = e * x.integrationSeconds < kInsufficientShare * target;
    return x;
}

Table produceReading(const Spectrum& sensor, const Memory& m, const Exposure& x,
                     const Miscalibration& errors, double noise, std::mt19937& rng) {
    Spectrum s = sensor;
    if (noise > 0) {
        const double peak = *std::max_element(s.begin(), s.end());
        const double e = effectiveLuminance(m.conditions, luminanceOf(sensor), m.measuringAngle);
        const double fill = std::max(e * x.integrationSeconds, 1e-12);
        const double floor = 0.01 * peak * std::sqrt(std::min(1e4, kTargetSignalStandard / fill));
        std::normal_distribution<double> gauss(0.0, 1.0);
        for (double& v : s) {
            v += gauss(rng) * noise * (std::abs(v) + floor);
        }
    }
    Table t{};
    for (int i = 0; i < kPoints; ++i) {
        t[i] = static_cast<float>(s[i] * errors.levelFactor(kFirstNm + i));
    }
    return t;
}

}  // namespace rx9100sim
