// The ".lcf" reader on any text: a file ending before its 402nd line is refused, what the
// factor check accepts is in range, and factors write back to a file that reads the same.
#include <algorithm>
#include <cstdint>

#include "CalibrationFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::inputFile("input.lcf", data, size);
    LensCoefficientFile record;
    const usercal::FileProblem problem = usercal::loadLens(path, record);
    const std::string_view text = fuzz::asText(data, size);
    const auto lineEnds = std::count(text.begin(), text.end(), '\n');
    if (problem == usercal::FileProblem::Truncated) {
        fuzz::check(lineEnds < 402, "a file with 402 lines was refused as short");
        fuzz::check(!record.loaded, "a truncated file changed the record");
        return 0;
    }
    fuzz::check(lineEnds >= 401, "a file with fewer than 402 lines was read");
    fuzz::check(record.loaded, "a read file is not marked loaded");
    if (problem == usercal::FileProblem::None) {
        fuzz::checkAccepted(record);
    } else {
        fuzz::check(problem == usercal::FileProblem::BadFactor, "an unexpected refusal");
    }
    fuzz::checkFactorsWriteBack(record);
    return 0;
}
