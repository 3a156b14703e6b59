#include "OffThread.h"

#include <QDeadlineTimer>

namespace studio {

OffThread::~OffThread() {
    if (thread_ != nullptr) {
        thread_->wait();
        delete thread_;
    }
}

bool OffThread::start(std::function<int()> work, std::function<void(int)> done) {
    if (thread_ != nullptr) {
        return false;
    }
    status_ = std::make_shared<int>(0);
    done_ = std::move(done);
    auto status = status_;
    thread_ = QThread::create([work = std::move(work), status] { *status = work(); });
    QThread* thread = thread_;
    // A finish queued for a thread that wait() already ended must not end the next one.
    connect(
        thread_, &QThread::finished, this,
        [this, thread] {
            if (thread == thread_) {
                finish();
            }
        },
        Qt::QueuedConnection);
    thread_->start();
    return true;
}

void OffThread::wait(const std::function<void()>& poke) {
    if (thread_ == nullptr) {
        return;
    }
    while (!thread_->wait(QDeadlineTimer(10))) {
        if (poke) {
            poke();
        }
    }
    finish();
}

void OffThread::finish() {
    if (thread_ == nullptr) {
        return;  // wait() already handed the status over
    }
    thread_->wait();
    delete thread_;  // ended: nothing of it runs any more
    thread_ = nullptr;
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) {
        done(*status_);
    }
}

}  // namespace studio
