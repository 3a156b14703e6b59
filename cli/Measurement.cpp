#include "Measurement.h"

#include <cstdio>
#include <ctime>

namespace cli {

ReportContext makeContext(const InstrumentIdentity& identity, const ConditionNames& names,
                          const DataFormat& format, int observer) {
    ReportContext context;
    context.identity = identity;
    context.names = names;
    context.observer = observer;
    if (format.getPitch() > 0) {
        context.firstNm = format.getShortWave();
        context.stepNm = format.getPitch();
    }
    return context;
}

MeasurementResult makeResult(int index, const MeasuringData& record, const ReportContext& context) {
    MeasurementResult result;
    result.index = index;
    result.record = record;
    const auto& values = record.getData();
    if (!values.empty()) {
        const int lastNm = context.firstNm + context.stepNm * (static_cast<int>(values.size()) - 1);
        result.colour = tintcalc::computeSpectrum(values, context.stepNm, context.firstNm, lastNm,
                                                  context.observer);
        if (context.rendition) {
            result.rendition =
                tintcalc::computeRendition(values, context.stepNm, context.firstNm, lastNm);
        }
    }
    if (record.getWarningId() != 0) {
        result.warningCode = 200 + record.getWarningId();
        result.warningText = record.getWarningMessage();
    }
    return result;
}

const char* referenceName(tintcalc::ReferenceIlluminant reference) {
    switch (reference) {
        case tintcalc::ReferenceIlluminant::Planckian:
            return "planckian";
        case tintcalc::ReferenceIlluminant::Daylight:
            return "daylight";
        case tintcalc::ReferenceIlluminant::Blend:
            return "blend";
        case tintcalc::ReferenceIlluminant::None:
            break;
    }
    return "none";
}

std::string isoTime(const CTime& time) {
    const std::time_t seconds = static_cast<std::time_t>(time.GetTime());
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string formatValue(double value, const char* format) {
    if (!tintcalc::isDefined(value)) {
        return "-";
    }
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace cli
