// The ".ucf" reader on any bytes: a record is accepted only when the bytes hold every
// field it announces, and what it read writes back to bytes that read the same record.
#include <cstdint>
#include <cstring>

#include "CalibrationFileFuzz.h"

namespace {

bool sameTable(const std::array<double, kCalibrationEntries>& a,
               const std::array<double, kCalibrationEntries>& b) {
    return std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::inputFile("input.ucf", data, size);
    UserCalibrationFile record;
    const usercal::FileProblem problem = usercal::loadUcf(path, record);
    if (problem == usercal::FileProblem::Truncated) {
        fuzz::check(!record.loaded && record.id.empty(), "a truncated file changed the record");
        return 0;
    }
    fuzz::check(record.loaded, "a read file is not marked loaded");
    const std::size_t needed =
        48 + (record.hasWave != 0 ? 3208 : 0) + (record.hasLevel != 0 ? 3208 : 0);
    fuzz::check(size >= needed, "read past the end of the file");
    fuzz::check(
        record.id.size() <= 20 && record.waveHeader.size() <= 10 && record.levelHeader.size() <= 10,
        "a text field longer than its bytes");
    fuzz::check(problem == usercal::FileProblem::None || problem == usercal::FileProblem::BadHeader,
                "an unexpected refusal");

    const std::string bytes = usercal::ucfBytes(record);
    fuzz::check(bytes.size() == needed, "written size differs from the read one");
    UserCalibrationFile back;
    fuzz::check(
        usercal::parseUcf({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                          back) == usercal::FileProblem::None,
        "a written record does not read back");
    fuzz::check(back.id == record.id && back.waveHeader == record.waveHeader &&
                    back.levelHeader == record.levelHeader &&
                    (back.hasWave != 0) == (record.hasWave != 0) &&
                    (back.hasLevel != 0) == (record.hasLevel != 0),
                "fields changed on their way back");
    fuzz::check((record.hasWave == 0 || sameTable(back.wave, record.wave)) &&
                    (record.hasLevel == 0 || sameTable(back.level, record.level)),
                "a table changed on its way back");
    return 0;
}
