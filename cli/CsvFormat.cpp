// The spectrum as comma-separated values: wavelength and value, the unit in the
// header. A series gets a leading measurement column, so every row stands alone; so do
// the rendition indices, repeated on every row of their measurement.
#include <cstdio>
#include <string>

#include "OutputFormat.h"

namespace cli {

namespace {

class CsvWriter : public ResultWriter {
  public:
    CsvWriter(std::ostream& out, const ReportContext& context, bool series)
        : out_(out), context_(context), series_(series) {}

    void add(const MeasurementResult& result) override {
        if (!headerWritten_) {
            out_ << (series_ ? "measurement," : "") << "wavelength_nm," << context_.quantity << "_"
                 << context_.unit << (context_.rendition ? renditionHeader() : "") << "\n";
            headerWritten_ = true;
        }
        const auto& values = result.record.getData();
        const std::string rendition =
            result.rendition ? renditionColumns(*result.rendition) : std::string();
        for (std::size_t i = 0; i < values.size(); ++i) {
            char row[96];
            const int nm = context_.firstNm + context_.stepNm * static_cast<int>(i);
            if (series_) {
                std::snprintf(row, sizeof row, "%d,%d,%.7g", result.index, nm, values[i]);
            } else {
                std::snprintf(row, sizeof row, "%d,%.7g", nm, values[i]);
            }
            out_ << row << rendition << "\n";
        }
        out_.flush();
    }

  private:
    static std::string renditionHeader() {
        std::string header = ",Ra";
        for (int i = 1; i <= tintcalc::kCriSampleCount; ++i) {
            header += ",R" + std::to_string(i);
        }
        return header + ",Rf,Rg";
    }

    // An index that could not be computed is an empty field.
    static std::string renditionColumns(const tintcalc::RenditionResult& r) {
        std::string columns;
        const auto add = [&columns](double value) {
            columns += "," + (tintcalc::isDefined(value) ? formatValue(value, "%.2f") : "");
        };
        add(r.ra);
        for (double value : r.r) {
            add(value);
        }
        add(r.rf);
        add(r.rg);
        return columns;
    }

    std::ostream& out_;
    const ReportContext& context_;
    bool series_;
    bool headerWritten_ = false;
};

}  // namespace

std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const ReportContext& context,
                                            bool series) {
    return std::make_unique<CsvWriter>(out, context, series);
}

}  // namespace cli
