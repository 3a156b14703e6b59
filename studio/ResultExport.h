#pragma once
// Selected results written with rx9100's own writers (CSV, JSON lines, CGATS).
#include <cstddef>
#include <string>
#include <vector>

#include "Measurement.h"
#include "Options.h"
#include "ResultList.h"

namespace studio {

// Picks the format from the file name: .csv, .json/.jsonl, .ti3/.cgats/.txt.
std::optional<cli::Format> formatForPath(const std::string& path);

// Writes results[indices] to path; context gives identity, names and observer. A
// spectrum's quantity follows the first result's measurement method. An error text,
// empty on success.
std::string exportResults(const ResultList& results, const std::vector<std::size_t>& indices,
                          cli::ReportContext context, cli::Format format, const std::string& path);

}  // namespace studio
