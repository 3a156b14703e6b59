#pragma once
// Cuts the received byte stream into command lines. A line ends at CR, LF or CR LF, so
// that terminal programs that send only CR (or only LF) can be used by hand.
#include <string>
#include <string_view>
#include <vector>

namespace rx9100sim {

class LineAssembler {
  public:
    static constexpr std::size_t kMaxLine = 255;

    struct Line {
        std::string text;       // without the line end
        std::string raw;        // as received, line end included
        bool overflow = false;  // longer than kMaxLine; text holds only the start
        bool lateLf = false;    // only an LF that completes the previous CR-ended line
    };

    std::vector<Line> feed(std::string_view bytes);
    void reset();

  private:
    std::string current_;
    std::string raw_;
    bool overflow_ = false;
    bool lastWasCr_ = false;
};

}  // namespace rx9100sim
