#include "ResultExport.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "OutputFormat.h"

namespace studio {

std::optional<cli::Format> formatForPath(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "csv") {
        return cli::Format::Csv;
    }
    if (ext == "json" || ext == "jsonl") {
        return cli::Format::Json;
    }
    if (ext == "ti3" || ext == "cgats" || ext == "txt") {
        return cli::Format::Cgats;
    }
    return std::nullopt;
}

std::string exportResults(const ResultList& results, const std::vector<std::size_t>& indices,
                          cli::ReportContext context, cli::Format format, const std::string& path) {
    if (indices.empty()) {
        return "no result selected";
    }
    describeQuantity(results.items().at(indices.front()).record.getMeasurementMethod(), context);
    std::ofstream out(path);
    if (!out) {
        return "cannot write " + path;
    }
    std::unique_ptr<cli::ResultWriter> writer;
    switch (format) {
        case cli::Format::Csv:
            writer = cli::makeCsvWriter(out, context, indices.size() > 1);
            break;
        case cli::Format::Cgats:
            writer = cli::makeCgatsWriter(out, context);
            break;
        case cli::Format::Json:
        case cli::Format::Table:
            writer = cli::makeJsonWriter(out, context);
            break;
    }
    for (std::size_t index : indices) {
        writer->add(results.report(index, context));
    }
    writer->finish();
    out.close();
    return out ? std::string() : "cannot write " + path;
}

}  // namespace studio
