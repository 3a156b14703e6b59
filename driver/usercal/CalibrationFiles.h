#pragma once
// The user-calibration editor's files: a channel's ID and tables (".ucf", binary,
// little-endian) and the adapter-lens and ND factor tables (".lcf", ".ncf", text lines
// ending in CR LF). Reading and writing here; what the editor accepts is checked by the
// functions below the records, so that a file can be inspected without judging it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/Export.h"

inline constexpr int kCalibrationEntries = 401;  // 380 to 780 nm in 1 nm steps

// The content of one ".ucf" file.
struct RX9100_API UserCalibrationFile {
    std::string id;  // at most 20 characters
    std::string waveHeader = "[Wave]";
    std::string levelHeader = "[Level]";
    std::int32_t hasWave = 0;
    std::int32_t hasLevel = 0;
    std::array<double, kCalibrationEntries> wave;
    std::array<double, kCalibrationEntries> level;
    bool loaded = false;

    UserCalibrationFile() {
        wave.fill(1.0);
        level.fill(1.0);
    }
};

// The content of one ".lcf" or ".ncf" file: a header line and 401 factors, held in
// single precision as the instrument holds them.
struct RX9100_API CoefficientFile {
    std::string header;
    std::array<float, kCalibrationEntries> factors{};
    bool loaded = false;
};
struct RX9100_API LensCoefficientFile : CoefficientFile {};
struct RX9100_API NdCoefficientFile : CoefficientFile {};

namespace usercal {

// Why a file was refused.
enum class FileProblem {
    None,
    CannotOpen,
    Truncated,  // ends inside a field, or before the 402nd line
    BadHeader,  // ".ucf": not "[Wave]"/"[Level]"; ".ncf": not its own name in brackets
    BadFactor,  // ".lcf"/".ncf": a factor outside 0 < f <= 1 in single precision
    CannotWrite,
};
RX9100_API const char* problemText(FileProblem problem);

inline constexpr std::size_t kUcfIdBytes = 20;
inline constexpr std::size_t kUcfHeaderBytes = 10;
inline constexpr std::size_t kUcfTableBytes = kCalibrationEntries * 8;
inline constexpr std::size_t kUcfLargest = kUcfIdBytes + 2 * (kUcfHeaderBytes + 4 + kUcfTableBytes);

// ".ucf" from its bytes: the fields in order, a table only where its flag is non-zero;
// bytes after the last field are ignored. Truncated when the bytes end inside a field
// (record then untouched). Headers are not judged here.
FileProblem parseUcf(std::span<const std::uint8_t> bytes, UserCalibrationFile& record);
FileProblem readUcf(const std::string& path, UserCalibrationFile& record);
// The bytes of a ".ucf" record: a table written only where its flag is non-zero (then as
// 1), the ID cut at 20 bytes.
std::string ucfBytes(const UserCalibrationFile& record);
FileProblem writeUcf(const std::string& path, const UserCalibrationFile& record);
// Both headers, leading blanks removed, read "[Wave]" and "[Level]".
bool ucfHeadersValid(const UserCalibrationFile& record);

// ".lcf"/".ncf" from their text: line 1 the header, lines 2 to 402 the factors (double
// quotes at both ends of a line removed, a trailing CR dropped, read as atof does in the
// "C" locale, then rounded to single precision); Truncated before the 402nd line (record
// then untouched); later lines ignored.
FileProblem parseCoefficients(const std::string& text, CoefficientFile& record);
FileProblem readCoefficients(const std::string& path, CoefficientFile& record);
// Header line and the factors with "%4.10f", each line ending in CR LF.
std::string coefficientText(const CoefficientFile& record);
FileProblem writeCoefficients(const std::string& path, const CoefficientFile& record);
// Every factor f satisfies 0 < f <= 1.0 (NaN fails).
bool factorsValid(const CoefficientFile& record);
// "[NAME]" for a file whose base name (no folder, no extension) is NAME.
std::string ndHeaderFor(const std::string& path);
// The header, leading blanks removed, is the file's own base name in brackets.
bool ndHeaderValid(const CoefficientFile& record, const std::string& path);

// What the editor accepts: read, then the headers (".ucf", ".ncf") and factors checked.
// The record holds what was read even when the file is then refused for its content.
// These four are the host's too (a host can inspect a file as the editor would).
RX9100_API FileProblem loadUcf(const std::string& path, UserCalibrationFile& record);
RX9100_API FileProblem loadLens(const std::string& path, LensCoefficientFile& record);
RX9100_API FileProblem loadNd(const std::string& path, NdCoefficientFile& record);

}  // namespace usercal
