#pragma once
// The output formats of measurements. A writer gets the results one by one and
// writes each at once where its format allows; CGATS waits for the end of the run.
#include <memory>
#include <ostream>

#include "Measurement.h"
#include "Options.h"

namespace cli {

class ResultWriter {
  public:
    virtual ~ResultWriter() = default;
    virtual void add(const MeasurementResult& result) = 0;
    virtual void finish() {}
};

// series: the run may bring more than one measurement (--count above 1, remote).
std::unique_ptr<ResultWriter> makeWriter(Format format, std::ostream& out,
                                         const ReportContext& context, bool series);

std::unique_ptr<ResultWriter> makeTableWriter(std::ostream& out, const ReportContext& context);
std::unique_ptr<ResultWriter> makeCsvWriter(std::ostream& out, const ReportContext& context,
                                            bool series);
std::unique_ptr<ResultWriter> makeJsonWriter(std::ostream& out, const ReportContext& context);
std::unique_ptr<ResultWriter> makeCgatsWriter(std::ostream& out, const ReportContext& context);

}  // namespace cli
