#pragma once
// Cuts the received byte stream into reply lines inside a fixed buffer, so a
// device that never sends a line end cannot make us grow without bound.
#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace portway {

class LineReader {
  public:
    static constexpr std::size_t kMaxLine = 4096;

    enum class Take { Line, NeedMore, TooLong };

    // Where the next read may put its bytes (never less than kMaxLine bytes).
    std::span<char> freeSpace();
    void commit(std::size_t count);

    // The next complete line. Only printable ASCII is kept: the CR of the CR LF
    // terminator, NULs and other line noise are dropped, and lines left empty
    // are skipped. TooLong reports kMaxLine bytes without a line end; the rest
    // of that line is then skipped.
    Take takeLine(std::string& line);

    void clear();

  private:
    std::array<char, 2 * kMaxLine> buffer_{};
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool skipping_ = false;  // inside the tail of an overlong line
};

}  // namespace portway
