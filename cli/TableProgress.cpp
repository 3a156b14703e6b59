#include "TableProgress.h"

#include <unistd.h>

#include "Interrupt.h"

namespace cli {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

TableProgress::TableProgress(InstrumentSession& session, bool visible, std::FILE* out)
    : session_(session), visible_(visible), out_(out) {
    session_.setSendGate([this] { return step(); });
}

TableProgress::~TableProgress() {
    session_.setSendGate(nullptr);
    clear();
}

void TableProgress::start(std::string label, int total) {
    label_ = std::move(label);
    total_ = total;
    done_ = 0;
}

std::string TableProgress::render(int done, int total, int width) {
    if (total <= 0) {
        return std::to_string(done) + " lines";
    }
    const int filled = done >= total ? width : done * width / total;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), '-') + "] " +
           std::to_string(done) + "/" + std::to_string(total);
}

bool TableProgress::step() {
    if (interrupted()) {
        return false;
    }
    ++done_;
    if (visible_) {
        const std::string text = label_ + " " + render(done_, total_, kBarWidth);
        if (text != lastDrawn_) {
            std::fprintf(out_, "\r%s\033[K", text.c_str());
            std::fflush(out_);
            lastDrawn_ = text;
        }
    }
    return true;
}

void TableProgress::clear() {
    if (visible_ && !lastDrawn_.empty()) {
        std::fprintf(out_, "\r\033[K");
        std::fflush(out_);
        lastDrawn_.clear();
    }
}

}  // namespace cli
