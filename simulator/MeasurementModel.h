#pragma once
// How long a measurement takes and what the instrument reads for a given light.
#include <random>

#include "simulator/Memory.h"
#include "simulator/Spectrum.h"

namespace rx9100sim {

struct Exposure {
    double integrationSeconds = 0;  // what the data header reports
    double measuringSeconds = 0;    // what "MEAS,1" announces, before any time scaling
    bool insufficient = false;      // too little light: completion "OK16"
};

// Radiance reaching the sensor: the adapter lens and the external ND filter attenuate
// by the inverse of their factor tables (nominal 10 and 100 for filters without a table),
// so that the driver's multiplication by those tables recovers the source.
Spectrum throughOptics(const Spectrum& radiance, const Memory& memory);

// Integration and measuring time for the conditions and the luminance at the sensor.
// Normal and fast speeds pick the integration time themselves (auto exposure).
Exposure planExposure(const Conditions& conditions, double sensorLuminance, int angle,
                      bool lowLuminanceModel);

// The reading returned for sensor radiance: noise that grows as light gets scarce
// (relativeNoise 0 gives exact values). The calibration channels' tables are not applied:
// the instrument only keeps them, and the host corrects with them.
Table produceReading(const Spectrum& sensorRadiance, const Memory& memory, const Exposure& exposure,
                     double relativeNoise, std::mt19937& rng);

}  // namespace rx9100sim
