// The ".ncf" reader on any text under the name ND1.ncf: accepted only with the header
// "[ND1]" (leading blanks aside) and factors in range; factors write back unchanged.
#include <cstdint>

#include "CalibrationFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::inputFile("ND1.ncf", data, size);
    NdCoefficientFile record;
    const usercal::FileProblem problem = usercal::loadNd(path, record);
    if (problem == usercal::FileProblem::Truncated) {
        fuzz::check(!record.loaded, "a truncated file changed the record");
        return 0;
    }
    fuzz::check(record.loaded, "a read file is not marked loaded");
    const std::size_t first = record.header.find_first_not_of(" \t");
    const bool named = first != std::string::npos && record.header.substr(first) == "[ND1]";
    if (problem == usercal::FileProblem::None) {
        fuzz::check(named, "a file not named in its header was accepted");
        fuzz::checkAccepted(record);
    } else if (problem == usercal::FileProblem::BadHeader) {
        fuzz::check(!named, "a file named in its header was refused for it");
    } else {
        fuzz::check(problem == usercal::FileProblem::BadFactor && named, "an unexpected refusal");
    }
    fuzz::checkFactorsWriteBack(record);
    return 0;
}
