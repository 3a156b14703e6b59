// `rx9100 whitecal`: the white calibration alone, printing what it computed.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "InstrumentSession.h"
#include "WhiteCalibrationRun.h"
#include "sensor/ConditionCodes.h"

namespace cli {

namespace {

constexpr int kFirstNm = 380;

const char* typeName(MeasurementType type) {
    return type == MeasurementType::Reflectance ? "reflectance" : "transmittance";
}

// The white as measured: the coefficients are the measurement divided by the reference.
std::vector<double> measuredWhite(const WhiteCalibrationData& record) {
    std::vector<double> white(record.coefficient.size());
    for (std::size_t i = 0; i < white.size(); ++i) {
        white[i] = record.coefficient[i] * record.standardData[i];
    }
    return white;
}

void printTable(const WhitecalOptions& options, TavoRX9100& driver,
                const WhiteCalibrationData& record, const std::string& port) {
    std::printf("White calibration (%s, measuring angle setting %d) on %s\n",
                typeName(options.type), driver.getMesAng(), port.c_str());
    const bool user = driver.GetWhiteCalibrationUserOnFromReg() == 1;
    std::printf("  reference  %s\n", options.type == MeasurementType::Transmittance
                                         ? "1.0 (the empty light path)"
                                         : (user ? driver.GetWhiteCalibrationPathUserFromReg()
                                                 : driver.GetWhiteCalibrationPathStdFromReg())
                                               .c_str());
    std::printf("wavelength_nm  coefficient  measured_white  reference\n");
    const std::vector<double> white = measuredWhite(record);
    for (std::size_t i = 0; i < record.coefficient.size(); ++i) {
        std::printf("%-13d  %-11.6g  %-14.6g  %.6g\n", kFirstNm + static_cast<int>(i),
                    record.coefficient[i], white[i], record.standardData[i]);
    }
}

void printJson(const WhitecalOptions& options, TavoRX9100& driver,
               const WhiteCalibrationData& record, const std::string& port) {
    nlohmann::json out;
    out["type"] = typeName(options.type);
    out["angle_setting"] = driver.getMesAng();
    out["port"] = port;
    out["standard_file"] = driver.GetWhiteCalibrationPathStdFromReg();
    out["user_file"] = driver.GetWhiteCalibrationUserOnFromReg() == 1
                           ? nlohmann::json(driver.GetWhiteCalibrationPathUserFromReg())
                           : nlohmann::json(nullptr);
    out["first_nm"] = kFirstNm;
    out["step_nm"] = 1;
    out["coefficient"] = record.coefficient;
    out["measured_white"] = measuredWhite(record);
    out["reference"] = record.standardData;
    std::printf("%s\n", out.dump().c_str());
}

}  // namespace

int runWhitecal(CommandContext& context) {
    const WhitecalOptions& options = context.line.whitecal;
    InstrumentSession session(context.driver, context.line.global, context.trace,
                              context.portOverride);
    if (const int failed = session.open(); failed != kExitOk) {
        return failed;
    }
    TavoRX9100& driver = context.driver;
    selectMeasurementType(driver, options.type);
    if (const int failed = calibrateWhite(session, options.white); failed != kExitOk) {
        return failed;
    }
    const int angle = driver.getMesAng();
    const WhiteCalibrationData* record = options.type == MeasurementType::Reflectance
                                             ? driver.whiteCalibrationRef(angle)
                                             : driver.whiteCalibrationTra(angle);
    if (record == nullptr || !record->valid) {
        printError("the white calibration is not in force");
        return kExitInternal;
    }
    if (options.json) {
        printJson(options, driver, *record, session.portName());
    } else {
        printTable(options, driver, *record, session.portName());
    }
    std::fflush(stdout);
    return kExitOk;
}

}  // namespace cli
