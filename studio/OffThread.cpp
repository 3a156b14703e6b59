#include "OffThread.h"

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
    connect(thread_, &QThread::finished, this, &OffThread::finish, Qt::QueuedConnection);
    thread_->start();
    return true;
}

void OffThread::wait() {
    if (thread_ != nullptr) {
        thread_->wait();
        finish();
    }
}

void OffThread::finish() {
    if (thread_ == nullptr) {
        return;  // wait() already handed the status over
    }
    thread_->wait();
    thread_->deleteLater();
    thread_ = nullptr;
    auto done = std::move(done_);
    done_ = nullptr;
    if (done) {
        done(*status_);
    }
}

}  // namespace studio
