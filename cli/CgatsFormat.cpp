// A CGATS spectral file in ArgyllCMS's .ti3 form for emissive (display) data, so
// that its tools (spec2cie, colprof...) read the measurements. Argyll takes
// emissive spectra in mW/(sr*m2*nm), which gives XYZ in cd/m2.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file's header counts the measurements, so the data rows wait in a temporary file
// until the run ends: a long run does not grow in memory.
class CgatsWriter : public ResultWriter {
  public:
    CgatsWriter(std::ostream& out, const ReportContext& context)
        : out_(out), context_(context), rows_(std::tmpfile()) {}

    void add(const MeasurementResult& result) override {
        if (sets_ == 0) {
            bands_ = result.record.getData().size();
        }
        const tintcalc::ColorResult& c = result.colour;
        std::string row = std::to_string(result.index) + " " + number(c.X) + " " + number(c.Y) +
                          " " + number(c.Z);
        const auto& values = result.record.getData();
        for (std::size_t i = 0; i < bands_; ++i) {
            row += " " + number(i < values.size() ? values[i] * kMilliwattsPerWatt : 0.0);
        }
        row += "\n";
        if (!rows_ || std::fwrite(row.data(), 1, row.size(), rows_.get()) != row.size()) {
            out_.setstate(std::ios::badbit);  // the run's results cannot all be written
        }
        ++sets_;
    }

    void finish() override {
        if (sets_ == 0) {
            return;
        }
        writeHeader();
        out_ << "NUMBER_OF_SETS " << sets_ << "\nBEGIN_DATA\n";
        if (rows_ && std::fflush(rows_.get()) == 0) {
            std::rewind(rows_.get());
            char chunk[8192];
            std::size_t n = 0;
            while ((n = std::fread(chunk, 1, sizeof chunk, rows_.get())) > 0) {
                out_.write(chunk, static_cast<std::streamsize>(n));
            }
        }
        out_ << "END_DATA\n";
        out_.flush();
    }

  private:
    void writeHeader() {
        const int lastNm = context_.firstNm + context_.stepNm * (static_cast<int>(bands_) - 1);
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
        out_ << "SPECTRAL_BANDS \"" << bands_ << "\"\n";
        out_ << "SPECTRAL_START_NM \"" << number(context_.firstNm, "%.6f") << "\"\n";
        out_ << "SPECTRAL_END_NM \"" << number(lastNm, "%.6f") << "\"\n";
        out_ << "SPECTRAL_NORM \"1.000000\"\n\n";

        out_ << "NUMBER_OF_FIELDS " << 4 + bands_
             << "\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z";
        for (std::size_t i = 0; i < bands_; ++i) {
            char field[16];
            std::snprintf(field, sizeof field, " SPEC_%03d",
                          context_.firstNm + context_.stepNm * static_cast<int>(i));
            out_ << field;
        }
        out_ << "\nEND_DATA_FORMAT\n\n";
    }

    std::ostream& out_;
    const ReportContext& context_;
    std::unique_ptr<std::FILE, FileCloser> rows_;
    std::size_t bands_ = 0;
    std::size_t sets_ = 0;
};

}  // namespace

std::unique_ptr<ResultWriter> makeCgatsWriter(std::ostream& out, const ReportContext& context) {
    return std::make_unique<CgatsWriter>(out, context);
}

}  // namespace cli
