#pragma once
// What the three calibration-file targets share: the input written to a file of the
// process's own, read back through the editor's reader, and the checks that whatever a
// reader accepts writes back to a file that reads the same.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "usercal/CalibrationFiles.h"

namespace fuzz {

inline std::string inputFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string& folder = privateFolder();
    if (folder.empty()) {
        fail("cannot make a folder for the files");
    }
    const std::string path = folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        fail("cannot write the input file");
    }
    return path;
}

// Factors the ten decimals of the file keep exactly: from 0.001 up (the finer ones
// lose bits to "%4.10f").
inline void checkFactorsWriteBack(const CoefficientFile& record) {
    CoefficientFile back;
    check(usercal::parseCoefficients(usercal::coefficientText(record), back) ==
              usercal::FileProblem::None,
          "factors written do not read back");
    for (int i = 0; i < kCalibrationEntries; ++i) {
        if (record.factors[i] >= 0.001f && record.factors[i] <= 1.0f) {
            check(back.factors[i] == record.factors[i], "a factor changed on its way back");
        }
    }
}

// What the factor check lets through is in (0, 1].
inline void checkAccepted(const CoefficientFile& record) {
    for (float factor : record.factors) {
        check(factor > 0.0f && factor <= 1.0f, "a factor outside 0 < f <= 1 was accepted");
    }
}

}  // namespace fuzz
