#pragma once
// The instrument's end of a pty pair: answers each command line through a
// handler on its own thread, and can inject bytes or hang up.
#include <functional>
#include <string>
#include <thread>

namespace portway_test {

class FakeInstrument {
  public:
    // Gets the command without CR LF; returns the bytes to answer (empty: silence).
    using Handler = std::function<std::string(const std::string&)>;

    explicit FakeInstrument(Handler handler);
    ~FakeInstrument();

    const std::string& path() const { return path_; }
    void inject(const std::string& bytes);
    void hangUp();

  private:
    void serve();

    Handler handler_;
    int master_ = -1;
    int slave_ = -1;
    int stop_[2] = {-1, -1};
    std::string path_;
    std::thread thread_;
};

}  // namespace portway_test
