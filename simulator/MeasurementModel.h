#pragma once
// How long a measurement takes and what the instrument reads for a given light.
#include <algorithm>
#include <random>
#include <vector>

#include "simulator/Memory.h"
#include "simulator/Sample.h"
#include "simulator/Spectrum.h"

namespace rx9100sim {

// What the instrument looks at: the source, through or on a sample when one is presented.
struct Scene {
    LightSource source;
    double luminance = 100.0;  // cd/m² of the source seen directly (or of a perfect diffuser)
    // Presented in turn, one per completed measurement; the last one then stays.
    std::vector<Sample> samples;
    std::size_t nextSample = 0;

    Sample presented() const {
        return samples.empty() ? Sample{} : samples[std::min(nextSample, samples.size() - 1)];
    }
    void measurementCompleted() {
        if (nextSample + 1 < samples.size()) {
            ++nextSample;
        }
    }
};

// Deliberate errors of the simulated instrument, for trying out the user calibrations.
struct Miscalibration {
    // Wavelength scale: light of true wavelength λ is reported at λ + wavelengthNm, so every
    // line appears wavelengthNm too long (too short when negative).
    double wavelengthNm = 0;
    // Sensitivity: every reading is multiplied by 1 + levelTilt·(λ − 580 nm)/200 nm, a straight
    // tilt through 1 at 580 nm.
    double levelTilt = 0;

    double levelFactor(double nm) const { return 1.0 + levelTilt * (nm - 580.0) / 200.0; }
};
constexpr double kMaxWavelengthErrorNm = 10.0;  // either sign
constexpr double kMaxLevelTilt = 0.9;           // either sign; keeps every factor positive

struct Exposure {
    double integrationSeconds = 0;  // what the data header reports
    double measuringSeconds = 0;    // what "MEAS,1" announces, before any time scaling
    bool insufficient = false;      // too little light: completion "OK16"
};

// The scene's spectral radiance at the 401 nominal wavelengths as the instrument's wavelength
// scale reports it: value i is the scene's radiance at λ = 380 + i − wavelengthErrorNm, that is
// the source's radiance at λ times the presented sample's factor at λ.
Spectrum sceneRadiance(const Scene& scene, double wavelengthErrorNm);

// Radiance reaching the sensor: the adapter lens and the external ND filter attenuate
// by the inverse of their factor tables (nominal 10 and 100 for filters without a table),
// so that the driver's multiplication by those tables recovers the source.
Spectrum throughOptics(const Spectrum& radiance, const Memory& memory);

// Integration and measuring time for the conditions and the luminance at the sensor.
// Normal and fast speeds pick the integration time themselves (auto exposure).
Exposure planExposure(const Conditions& conditions, double sensorLuminance, int angle,
                      bool lowLuminanceModel);

// The reading returned for sensor radiance: noise that grows as light gets scarce
// (relativeNoise 0 gives exact values), times the sensitivity error. The calibration
// channels' tables are not applied: the instrument only keeps them, the host corrects.
Table produceReading(const Spectrum& sensorRadiance, const Memory& memory, const Exposure& exposure,
                     const Miscalibration& errors, double relativeNoise, std::mt19937& rng);

}  // namespace rx9100sim
