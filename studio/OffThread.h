#pragma once
// Runs a blocking driver call on a worker thread and hands its status back on the GUI
// thread, so that the window stays responsive while the driver waits on the instrument.
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

namespace studio {

class OffThread : public QObject {
    Q_OBJECT
  public:
    explicit OffThread(QObject* parent = nullptr) : QObject(parent) {}
    // Waits for a call still running.
    ~OffThread() override;

    // One call at a time; done runs on this object's thread once work has returned.
    bool start(std::function<int()> work, std::function<void(int)> done);
    bool running() const { return thread_ != nullptr; }
    // Blocks until the running call (if any) ended, handing its status to done; meanwhile
    // calls poke every few milliseconds (a stop the call may not have seen yet).
    void wait(const std::function<void()>& poke = nullptr);

  private:
    void finish();

    QThread* thread_ = nullptr;
    std::shared_ptr<int> status_;
    std::function<void(int)> done_;
};

}  // namespace studio
