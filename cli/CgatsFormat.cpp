// A CGATS spectral file in ArgyllCMS's .ti3 form for emissive (display) data, so
// that its tools (spec2cie, colprof...) read the measurements. Argyll takes
// emissive spectra in mW/(sr*m2*nm), which gives XYZ in cd/m2.
#include <cstdio>
#include <ctime>
#include <vector>

#include "OutputFormat.h"

namespace cli {

namespace {

constexpr double kMilliwattsPerWatt = 1000.0;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? '\'' : c;
    }
    return out + "\"";
}

std::string number(double value, const char* format = "%.7g") {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

class CgatsWriter : public ResultWriter {
  public:
    CgatsWriter(std::ostream& out, const ReportContext& context) : out_(out), context_(context) {}

    void add(const MeasurementResult& result) override { results_.push_back(result); }

    void finish() override {
        if (results_.empty()) {
            return;
        }
        const std::size_t bands = results_.front().record.getData().size();
        const int lastNm = context_.firstNm + context_.stepNm * (static_cast<int>(bands) - 1);
        const InstrumentIdentity& id = context_.identity;
        const std::time_t now = std::time(nullptr);
        char created[64];
        std::strftime(created, sizeof created, "%a %b %d %H:%M:%S %Y", std::localtime(&now));

        out_ << "CTI3\n\n";
        out_ << "DESCRIPTOR \"RX-9100 spectral radiance, mW/(sr*m2*nm)\"\n";
        out_ << "ORIGINATOR \"rx9100\"\n";
        out_ << "CREATED " << quoted(created) << "\n";
        out_ << "TARGET_INSTRUMENT "
             << quoted(id.name + " body " + id.bodyNumber + " ROM " + id.romVersion) << "\n";
        out_ << "DEVICE_CLASS \"DISPLAY\"\n";
        out_ << "INSTRUMENT_TYPE_SPECTRAL \"YES\"\n";
        out_ << "NORMALIZED_TO_Y_100 \"NO\"\n";
        out_ << "SPECTRAL_BANDS \"" << bands << "\"\n";
        out_ << "SPECTRAL_START_NM \"" << number(context_.firstNm, "%.6f") << "\"\n";
        out_ << "SPECTRAL_END_NM \"" << number(lastNm, "%.6f") << "\"\n";
        out_ << "SPECTRAL_NORM \"1.000000\"\n\n";

        out_ << "NUMBER_OF_FIELDS " << 4 + bands
             << "\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z";
        for (std::size_t i = 0; i < bands; ++i) {
            char field[16];
            std::snprintf(field, sizeof field, " SPEC_%03d",
                          context_.firstNm + context_.stepNm * static_cast<int>(i));
            out_ << field;
        }
        out_ << "\nEND_DATA_FORMAT\n\n";
        out_ << "NUMBER_OF_SETS " << results_.size() << "\nBEGIN_DATA\n";
        for (const MeasurementResult& result : results_) {
            const tintcalc::ColorResult& c = result.colour;
            out_ << result.index << " " << number(c.X) << " " << number(c.Y) << " " << number(c.Z);
            const auto& values = result.record.getData();
            for (std::size_t i = 0; i < bands; ++i) {
                out_ << " " << number(i < values.size() ? values[i] * kMilliwattsPerWatt : 0.0);
            }
            out_ << "\n";
        }
        out_ << "END_DATA\n";
        out_.flush();
    }

  private:
    std::ostream& out_;
    const ReportContext& context_;
    std::vector<MeasurementResult> results_;
};

}  // namespace

std::unique_ptr<ResultWriter> makeCgatsWriter(std::ostream& out, const ReportContext& context) {
    return std::make_unique<CgatsWriter>(out, context);
}

}  // namespace cli
