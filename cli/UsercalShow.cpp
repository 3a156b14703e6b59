// `rx9100 usercal show FILE`: a ".ucf", ".lcf" or ".ncf" file as the editor's readers see
// it, and whether the editor would take it; no instrument needed.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "ErrorReport.h"
#include "ExitCodes.h"
#include "usercal/CalibrationFiles.h"

namespace cli {

namespace {

constexpr int kFirstNm = 380;

std::string extensionOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

template <class Array>
nlohmann::json values(const Array& table) {
    return nlohmann::json(std::vector<double>(table.begin(), table.end()));
}

void printVerdict(usercal::FileProblem problem) {
    if (problem == usercal::FileProblem::None) {
        std::printf("  accepted by the editor\n");
    } else {
        std::printf("  refused by the editor: the file %s\n", usercal::problemText(problem));
    }
}

// An ".ncf" file's header: its own name in brackets.
std::string ndHeaderFor(const std::string& path) {
    return "[" + std::filesystem::path(path).stem().string() + "]";
}

int exitFor(usercal::FileProblem problem) {
    return problem == usercal::FileProblem::None ? kExitOk : kExitInstrument;
}

int showUcf(const UsercalOptions& options) {
    UserCalibrationFile record;
    const usercal::FileProblem problem = usercal::loadUcf(options.file, record);
    const bool read = record.loaded;
    if (options.format == Format::Json) {
        nlohmann::json out{{"file", options.file},
                           {"kind", "ucf"},
                           {"accepted", problem == usercal::FileProblem::None},
                           {"problem", problem == usercal::FileProblem::None
                                           ? nlohmann::json(nullptr)
                                           : nlohmann::json(usercal::problemText(problem))}};
        if (read) {
            out["id"] = record.id;
            out["wave_header"] = record.waveHeader;
            out["level_header"] = record.levelHeader;
            out["wavelength"] = record.hasWave != 0 ? values(record.wave) : nullptr;
            out["level"] = record.hasLevel != 0 ? values(record.level) : nullptr;
        }
        std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return exitFor(problem);
    }
    std::printf("%s: user calibration channel file\n", options.file.c_str());
    printVerdict(problem);
    if (!read) {
        return exitFor(problem);
    }
    std::printf("  ID %s\n  wavelength table %s (header %s), level table %s (header %s)\n",
                record.id.c_str(), record.hasWave != 0 ? "present" : "none",
                record.waveHeader.c_str(), record.hasLevel != 0 ? "present" : "none",
                record.levelHeader.c_str());
    if (record.hasWave == 0 && record.hasLevel == 0) {
        return exitFor(problem);
    }
    std::printf("  %-5s %14s %12s\n", "nm", "wavelength", "level");
    for (int i = 0; i < kCalibrationEntries; ++i) {
        const std::string wave =
            record.hasWave != 0 ? std::to_string(record.wave[i]).substr(0, 12) : "-";
        const std::string level =
            record.hasLevel != 0 ? std::to_string(record.level[i]).substr(0, 12) : "-";
        std::printf("  %-5d %14s %12s\n", kFirstNm + i, wave.c_str(), level.c_str());
    }
    return exitFor(problem);
}

int showFactors(const UsercalOptions& options, bool nd) {
    NdCoefficientFile ndRecord;
    LensCoefficientFile lensRecord;
    const usercal::FileProblem problem =
        nd ? usercal::loadNd(options.file, ndRecord) : usercal::loadLens(options.file, lensRecord);
    const CoefficientFile& record = nd ? static_cast<const CoefficientFile&>(ndRecord)
                                       : static_cast<const CoefficientFile&>(lensRecord);
    const char* kind = nd ? "ncf" : "lcf";
    if (options.format == Format::Json) {
        nlohmann::json out{{"file", options.file},
                           {"kind", kind},
                           {"accepted", problem == usercal::FileProblem::None},
                           {"problem", problem == usercal::FileProblem::None
                                           ? nlohmann::json(nullptr)
                                           : nlohmann::json(usercal::problemText(problem))}};
        if (record.loaded) {
            out["header"] = record.header;
            out["factors"] = values(record.factors);
        }
        std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return exitFor(problem);
    }
    std::printf("%s: %s factor file\n", options.file.c_str(), nd ? "ND" : "adapter-lens");
    printVerdict(problem);
    if (!record.loaded) {
        return exitFor(problem);
    }
    std::printf("  header %s", record.header.c_str());
    if (nd) {
        std::printf(" (must be %s)", ndHeaderFor(options.file).c_str());
    }
    std::printf("\n  %-5s %14s\n", "nm", "factor");
    for (int i = 0; i < kCalibrationEntries; ++i) {
        std::printf("  %-5d %14.10f\n", kFirstNm + i, static_cast<double>(record.factors[i]));
    }
    return exitFor(problem);
}

}  // namespace

int runUsercalShow(const UsercalOptions& options) {
    const std::string ext = extensionOf(options.file);
    if (ext == ".ucf") {
        return showUcf(options);
    }
    if (ext == ".lcf" || ext == ".ncf") {
        return showFactors(options, ext == ".ncf");
    }
    printError(options.file + ": not a .ucf, .lcf or .ncf file");
    return kExitUsage;
}

}  // namespace cli
