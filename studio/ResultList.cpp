#include "ResultList.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "sensor/ConditionCodes.h"

namespace studio {

namespace {

constexpr const char* kFileKind = "rx9100-studio results";
constexpr int kFileVersion = 1;

nlohmann::json toJson(const StudioResult& result) {
    const MeasuringData& record = result.record;
    return {{"number", result.number},
            {"source", result.source},
            {"time", record.getMeasurementTime().GetTime()},
            {"method", record.getMeasurementMethod()},
            {"integration_time_s", record.getIntegralTime()},
            {"calibration_channel", record.getCalibrationCh()},
            {"warning_code", result.warningCode},
            {"warning_text", result.warningText},
            {"values", record.getData()}};
}

StudioResult fromJson(const nlohmann::json& object) {
    StudioResult result;
    result.number = object.at("number").get<int>();
    result.source = object.at("source").get<std::string>();
    result.warningCode = object.value("warning_code", 200);
    result.warningText = object.value("warning_text", std::string());
    MeasuringData& record = result.record;
    record.setMeasurementTime(CTime(object.at("time").get<std::int64_t>()));
    record.setMeasurementMethod(object.at("method").get<int>());
    record.setIntegralTime(object.value("integration_time_s", 0.0f));
    record.setCalibrationCh(object.value("calibration_channel", 0));
    record.setData(object.at("values").get<std::vector<double>>());
    return result;
}

}  // namespace

void describeQuantity(int method, cli::ReportContext& context) {
    if (method == codes::method::kReflection) {
        context.quantity = "reflectance";
        context.unit = "%";
    } else if (method == codes::method::kTransmission) {
        context.quantity = "transmittance";
        context.unit = "%";
    }
}

int ResultList::add(const MeasuringData& record, const std::string& source, int warningCode,
                    const std::string& warningText) {
    StudioResult result;
    result.number = nextNumber_++;
    result.source = source;
    result.record = record;
    result.warningCode = warningCode;
    result.warningText = warningText;
    items_.push_back(std::move(result));
    unsaved_ = true;
    return items_.back().number;
}

void ResultList::clear() {
    items_.clear();
    unsaved_ = false;
}

void ResultList::remove(std::vector<std::size_t> indices) {
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (std::size_t index : indices) {
        if (index < items_.size()) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
            unsaved_ = true;
        }
    }
}

cli::MeasurementResult ResultList::report(std::size_t index,
                                          const cli::ReportContext& context) const {
    const StudioResult& item = items_.at(index);
    cli::MeasurementResult result = cli::makeResult(item.number, item.record, context);
    result.warningCode = item.warningCode;
    result.warningText = item.warningText;
    return result;
}

std::string ResultList::save(const std::string& path) {
    nlohmann::json list = nlohmann::json::array();
    for (const StudioResult& item : items_) {
        list.push_back(toJson(item));
    }
    const nlohmann::json file = {{"kind", kFileKind}, {"version", kFileVersion}, {"results", list}};
    std::ofstream out(path);
    out << file.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    out.close();
    if (!out) {
        return "cannot write " + path;
    }
    unsaved_ = false;
    return {};
}

std::string ResultList::load(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return "cannot read " + path;
    }
    std::vector<StudioResult> loaded;
    try {
        const nlohmann::json file = nlohmann::json::parse(in);
        if (file.value("kind", std::string()) != kFileKind) {
            return path + " is not a result list of rx9100-studio";
        }
        if (file.value("version", 0) > kFileVersion) {
            return path + " comes from a newer rx9100-studio";
        }
        for (const nlohmann::json& object : file.at("results")) {
            loaded.push_back(fromJson(object));
        }
    } catch (const nlohmann::json::exception& e) {
        return path + ": " + e.what();
    }
    items_ = std::move(loaded);
    nextNumber_ = 1;
    for (const StudioResult& item : items_) {
        nextNumber_ = std::max(nextNumber_, item.number + 1);
    }
    unsaved_ = false;
    return {};
}

}  // namespace studio
