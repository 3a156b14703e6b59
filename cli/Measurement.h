#pragma once
// One measurement as rx9100 reports it: the driver's record, its colour values and
// the instrument's warning, with what every output format shares.
#include <optional>
#include <string>

#include "ConditionNames.h"
#include "InstrumentSession.h"
#include "sensor/DataFormat.h"
#include "sensor/MeasuringData.h"
#include "tintcalc/Colorimetry.h"
#include "tintcalc/Rendition.h"

namespace cli {

// Spectral radiance unit of the values, as the outputs name it.
inline constexpr const char* kRadianceUnit = "W/(sr*m2*nm)";

struct ReportContext {
    InstrumentIdentity identity;
    ConditionNames names;
    int observer = 2;
    int firstNm = 380;
    int stepNm = 1;
    // What the spectrum holds: radiance of a light source, or a sample's reflectance or
    // transmittance in per cent of the white standard.
    const char* quantity = "spectral_radiance";
    const char* unit = kRadianceUnit;
    bool rendition = false;  // rate each light's colour rendition
};

struct MeasurementResult {
    int index = 1;  // 1-based within the run
    MeasuringData record;
    tintcalc::ColorResult colour;
    std::optional<tintcalc::RenditionResult> rendition;  // when the context asks for it
    int warningCode = 200;                               // 200: none; 216: insufficient exposure
    std::string warningText;
};

ReportContext makeContext(const InstrumentIdentity& identity, const ConditionNames& names,
                          const DataFormat& format, int observer);

MeasurementResult makeResult(int index, const MeasuringData& record, const ReportContext& context);

// "planckian", "daylight", "blend" or "none": what a rendition index compared the light with.
const char* referenceName(tintcalc::ReferenceIlluminant reference);

// "2026-01-31T12:00:00Z"
std::string isoTime(const CTime& time);

// printf-style formatting of one number; "-" for values the colour library could not compute.
std::string formatValue(double value, const char* format);

}  // namespace cli
