#pragma once
// Stored targets and samples for the command line: reading them with a progress bar and a
// stop, their JSON form (the export and backup files, which restore reads back), CSV and
// CGATS exports, and files that appear whole or not at all.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "ConditionNames.h"
#include "InstrumentSession.h"
#include "sensor/StoredRecords.h"
#include "tintcalc/Colorimetry.h"

namespace cli {

inline constexpr int kStoredFileVersion = 1;

// "targets" or "samples".
const char* kindName(bool targets);

// The colour values of a record for the observer (2 or 10): from its spectrum, or its
// own three values when it holds colour values only.
tintcalc::ColorResult colourOf(const DataPack& pack, int observer);

// One record as JSON: number, type ("spectral" or "colour"), name, colour values; the
// conditions and the 401 values of a spectrum, or the observer and the three stored
// values of a colour-only target.
nlohmann::json recordJson(const DataPack& pack, bool target, const ConditionNames& names,
                          int observer);
// What was read: targets, samples or both.
struct StoredSet {
    std::optional<StoredRecords> targets;
    std::optional<StoredRecords> samples;
};

// A whole export or backup: "targets" and "samples" lists, for the kinds read.
nlohmann::json storedDocument(const StoredSet& set, const InstrumentIdentity& identity,
                              const ConditionNames& names, int observer);

// The records of an export or backup (or a measurement of rx9100 measure --format json,
// as one spectral record numbered 0), with their kind. Nothing, with the reason, for a
// file that is not one.
struct LoadedRecords {
    std::vector<DataPack> targets;  // in file order
    std::vector<int> observers;     // per target: the observer of colour-only values
    std::size_t samples = 0;        // samples in the file (they cannot be written back)
};
std::optional<LoadedRecords> loadStoredFile(const std::string& path, std::string& error);

// One row per record, targets first; the kind in the first column.
std::string storedCsv(const StoredSet& set, int observer);
// Spectral records only (SAMPLE_ID T1 to T20, S0 to S99); the ids of colour-only ones go
// to skipped.
std::string storedCgats(const StoredSet& set, const InstrumentIdentity& identity,
                        std::vector<std::string>& skipped);

// Writes the text to a temporary file beside path and renames it into place, so that the
// file is there whole or not at all. Returns an error text, empty on success.
std::string writeWhole(const std::string& path, const std::string& text);

}  // namespace cli
