#include "usercal/CalibrationFiles.h"

#include <bit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Numbers.h"

namespace usercal {

namespace {

constexpr const char* kWaveHeader = "[Wave]";
constexpr const char* kLevelHeader = "[Level]";
// The header line and one line per factor; what follows is not read.
constexpr int kCoefficientLines = 1 + kCalibrationEntries;

std::string withoutLeadingBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Reads fields in order from a byte span; every read says whether the bytes held it.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool text(std::size_t size, std::string& out) {
        if (bytes_.size() - at_ < size) {
            return false;
        }
        out.clear();
        for (std::size_t i = 0; i < size && bytes_[at_ + i] != 0; ++i) {
            out.push_back(static_cast<char>(bytes_[at_ + i]));
        }
        at_ += size;
        return true;
    }
    bool int32(std::int32_t& out) {
        std::uint64_t bits = 0;
        if (!little(4, bits)) {
            return false;
        }
        out = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        return true;
    }
    bool table(std::array<double, kCalibrationEntries>& out) {
        if (bytes_.size() - at_ < kUcfTableBytes) {
            return false;
        }
        for (double& value : out) {
            std::uint64_t bits = 0;
            little(8, bits);
            value = std::bit_cast<double>(bits);
        }
        return true;
    }

  private:
    bool little(std::size_t size, std::uint64_t& out) {
        if (bytes_.size() - at_ < size) {
            return false;
        }
        out = 0;
        for (std::size_t i = 0; i < size; ++i) {
            out |= static_cast<std::uint64_t>(bytes_[at_ + i]) << (8 * i);
        }
        at_ += size;
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

void putText(std::string& out, const std::string& text, std::size_t size) {
    const std::string cut = text.substr(0, size);
    out += cut;
    out.append(size - cut.size(), '\0');
}

void putLittle(std::string& out, std::uint64_t bits, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
}

void putTable(std::string& out, const std::array<double, kCalibrationEntries>& table) {
    for (double value : table) {
        putLittle(out, std::bit_cast<std::uint64_t>(value), 8);
    }
}

bool writeWhole(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

// A factor line as the files hold it: CR dropped, then one double quote at each end.
std::string factorLine(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (!line.empty() && line.front() == '"') {
        line.erase(0, 1);
    }
    if (!line.empty() && line.back() == '"') {
        line.pop_back();
    }
    return line;
}

}  // namespace

const char* problemText(FileProblem problem) {
    switch (problem) {
        case FileProblem::None:
            return "valid";
        case FileProblem::CannotOpen:
            return "cannot be opened";
        case FileProblem::Truncated:
            return "ends before all its fields";
        case FileProblem::BadHeader:
            return "has the wrong header";
        case FileProblem::BadFactor:
            return "holds a factor outside 0 < f <= 1";
        case FileProblem::CannotWrite:
            return "cannot be written";
    }
    return "unknown problem";
}

FileProblem parseUcf(std::span<const std::uint8_t> bytes, UserCalibrationFile& record) {
    UserCalibrationFile read;
    ByteReader in(bytes);
    if (!in.text(kUcfIdBytes, read.id) || !in.text(kUcfHeaderBytes, read.waveHeader) ||
        !in.int32(read.hasWave) || (read.hasWave != 0 && !in.table(read.wave)) ||
        !in.text(kUcfHeaderBytes, read.levelHeader) || !in.int32(read.hasLevel) ||
        (read.hasLevel != 0 && !in.table(read.level))) {
        return FileProblem::Truncated;
    }
    read.loaded = true;
    record = std::move(read);
    return FileProblem::None;
}

FileProblem readUcf(const std::string& path, UserCalibrationFile& record) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return FileProblem::CannotOpen;
    }
    // Never more than the largest record: the rest of a longer file is not looked at.
    std::string bytes(kUcfLargest, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return parseUcf({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, record);
}

std::string ucfBytes(const UserCalibrationFile& record) {
    std::string out;
    putText(out, record.id, kUcfIdBytes);
    putText(out, record.waveHeader, kUcfHeaderBytes);
    putLittle(out, record.hasWave != 0 ? 1 : 0, 4);
    if (record.hasWave != 0) {
        putTable(out, record.wave);
    }
    putText(out, record.levelHeader, kUcfHeaderBytes);
    putLittle(out, record.hasLevel != 0 ? 1 : 0, 4);
    if (record.hasLevel != 0) {
        putTable(out, record.level);
    }
    return out;
}

FileProblem writeUcf(const std::string& path, const UserCalibrationFile& record) {
    return writeWhole(path, ucfBytes(record)) ? FileProblem::None : FileProblem::CannotWrite;
}

bool ucfHeadersValid(const UserCalibrationFile& record) {
    return withoutLeadingBlanks(record.waveHeader) == kWaveHeader &&
           withoutLeadingBlanks(record.levelHeader) == kLevelHeader;
}

FileProblem parseCoefficients(const std::string& text, CoefficientFile& record) {
    CoefficientFile read;
    std::size_t start = 0;
    for (int line = 0; line < kCoefficientLines; ++line) {
        if (start >= text.size()) {
            return FileProblem::Truncated;
        }
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string content = factorLine(text.substr(start, end - start));
        if (line == 0) {
            read.header = content;
        } else {
            read.factors[line - 1] = static_cast<float>(platform::cAtof(content));
        }
        start = end + 1;
    }
    read.loaded = true;
    record = std::move(read);
    return FileProblem::None;
}

FileProblem readCoefficients(const std::string& path, CoefficientFile& record) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return FileProblem::CannotOpen;
    }
    // Only the lines the format holds; a line longer than any number is cut there.
    constexpr std::size_t kLongestLine = 4096;
    std::string text;
    std::string line;
    for (int i = 0; i < kCoefficientLines && std::getline(file, line); ++i) {
        text.append(line, 0, kLongestLine).push_back('\n');
    }
    return parseCoefficients(text, record);
}

std::string coefficientText(const CoefficientFile& record) {
    std::string out = record.header + "\r\n";
    for (float factor : record.factors) {
        out += platform::cFormat("%4.10f\r\n", static_cast<double>(factor));
    }
    return out;
}

FileProblem writeCoefficients(const std::string& path, const CoefficientFile& record) {
    return writeWhole(path, coefficientText(record)) ? FileProblem::None : FileProblem::CannotWrite;
}

bool factorsValid(const CoefficientFile& record) {
    for (float factor : record.factors) {
        if (!(factor > 0.0f && factor <= 1.0f)) {
            return false;
        }
    }
    return true;
}

std::string ndHeaderFor(const std::string& path) {
    return "[" + std::filesystem::path(path).stem().string() + "]";
}

bool ndHeaderValid(const CoefficientFile& record, const std::string& path) {
    return withoutLeadingBlanks(record.header) == ndHeaderFor(path);
}

FileProblem loadUcf(const std::string& path, UserCalibrationFile& record) {
    if (const FileProblem problem = readUcf(path, record); problem != FileProblem::None) {
        return problem;
    }
    return ucfHeadersValid(record) ? FileProblem::None : FileProblem::BadHeader;
}

FileProblem loadLens(const std::string& path, LensCoefficientFile& record) {
    if (const FileProblem problem = readCoefficients(path, record); problem != FileProblem::None) {
        return problem;
    }
    return factorsValid(record) ? FileProblem::None : FileProblem::BadFactor;
}

FileProblem loadNd(const std::string& path, NdCoefficientFile& record) {
    if (const FileProblem problem = readCoefficients(path, record); problem != FileProblem::None) {
        return problem;
    }
    if (!ndHeaderValid(record, path)) {
        return FileProblem::BadHeader;
    }
    return factorsValid(record) ? FileProblem::None : FileProblem::BadFactor;
}

}  // namespace usercal
