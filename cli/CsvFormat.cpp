// The spectrum as comma-separated values: wavelength and value, the unit in the
// header. A series gets a leading measurement column, so every row stands alone.
#include <cstdio>

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
                 << context_.unit << "\n";
            headerWritten_ = true;
        }
        const auto& values = result.record.getData();
        for (std::size_t i = 0; i < values.size(); ++i) {
            char row[96];
            const int nm = context_.firstNm + context_.stepNm * static_cast<int>(i);
            if (series_) {
                std::snprintf(row, sizeof row, "%d,%d,%.7g\n", result.index, nm, values[i]);
            } else {
                std::snprintf(row, sizeof row, "%d,%.7g\n", nm, values[i]);
            }
            out_ << row;
        }
        out_.flush();
    }

  private:
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
