// One JSON object per measurement, one per line (JSON lines for a series):
// identity, conditions, warning, colour values and the spectrum.
#include <nlohmann/json.hpp>

#include "ConditionReport.h"
#include "ErrorReport.h"
#include "OutputFormat.h"

namespace cli {

namespace {

nlohmann::json valueOrNull(double value) {
    return tintcalc::isDefined(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

nlohmann::json colourJson(const tintcalc::ColorResult& c, int observer) {
    return {{"observer", observer},
            {"Lv", valueOrNull(c.Lv)},
            {"x", valueOrNull(c.x)},
            {"y", valueOrNull(c.y)},
            {"u_prime", valueOrNull(c.uPrime)},
            {"v_prime", valueOrNull(c.vPrime)},
            {"CCT", valueOrNull(c.cct)},
            {"Duv", valueOrNull(c.duv)},
            {"X", valueOrNull(c.X)},
            {"Y", valueOrNull(c.Y)},
            {"Z", valueOrNull(c.Z)},
            {"dominant_wavelength_nm", valueOrNull(c.dominantWavelength)},
            {"complementary", c.complementary},
            {"purity", valueOrNull(c.purity)}};
}

nlohmann::json renditionJson(const tintcalc::RenditionResult& r) {
    nlohmann::json special = nlohmann::json::array();
    for (double value : r.r) {
        special.push_back(valueOrNull(value));
    }
    nlohmann::json bins = nlohmann::json::array();
    for (const tintcalc::HueBin& bin : r.hueBins) {
        bins.push_back({{"Rf", valueOrNull(bin.fidelity)},
                        {"chroma_shift_percent", valueOrNull(bin.chromaShiftPercent)},
                        {"hue_shift_rad", valueOrNull(bin.hueShift)}});
    }
    return {{"cri",
             {{"reference", referenceName(r.criReference)},
              {"Ra", valueOrNull(r.ra)},
              {"R", special},
              {"dc", valueOrNull(r.dc)},
              {"reliable", r.criReliable}}},
            {"tm30",
             {{"reference", referenceName(r.fidelityReference)},
              {"Rf", valueOrNull(r.rf)},
              {"Rg", valueOrNull(r.rg)},
              {"hue_bins", bins}}}};
}

class JsonWriter : public ResultWriter {
  public:
    JsonWriter(std::ostream& out, const ReportContext& context) : out_(out), context_(context) {}

    void add(const MeasurementResult& result) override {
        const InstrumentIdentity& id = context_.identity;
        nlohmann::json object;
        object["measurement"] = result.index;
        object["time"] = isoTime(result.record.getMeasurementTime());
        object["instrument"] = {{"name", id.name},
                                {"variation", id.variation},
                                {"body_number", id.bodyNumber},
                                {"rom_version", id.romVersion},
                                {"firmware_level", id.firmwareLevel},
                                {"port", id.port}};
        object["conditions"] = conditionsJson(result.record, context_.names);
        object["integration_time_s"] = result.record.getIntegralTime();
        if (result.warningCode == 200) {
            object["warning"] = nullptr;
        } else {
            object["warning"] = {{"code", result.warningCode},
                                 {"text", result.warningText},
                                 {"gloss", glossFor(result.warningCode)}};
        }
        object["colour"] = colourJson(result.colour, context_.observer);
        if (result.rendition) {
            object["rendition"] = renditionJson(*result.rendition);
        }
        object["spectrum"] = {{"first_nm", context_.firstNm},
                              {"step_nm", context_.stepNm},
                              {"unit", context_.unit},
                              {"values", result.record.getData()}};
        out_ << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        out_.flush();
    }

  private:
    std::ostream& out_;
    const ReportContext& context_;
};

}  // namespace

std::unique_ptr<ResultWriter> makeJsonWriter(std::ostream& out, const ReportContext& context) {
    return std::make_unique<JsonWriter>(out, context);
}

}  // namespace cli
