#include "OutputFormat.h"

namespace cli {

std::unique_ptr<ResultWriter> makeWriter(Format format, std::ostream& out,
                                         const ReportContext& context, bool series) {
    switch (format) {
        case Format::Csv:
            return makeCsvWriter(out, context, series);
        case Format::Json:
            return makeJsonWriter(out, context);
        case Format::Cgats:
            return makeCgatsWriter(out, context);
        case Format::Table:
            break;
    }
    return makeTableWriter(out, context);
}

}  // namespace cli
