#include "BlockingCall.h"

#include <QEventLoop>
#include <QThread>

namespace studio {

int callOffGuiThread(const std::function<int()>& work) {
    int status = 0;
    QThread* thread = QThread::create([&] { status = work(); });
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    thread->wait();
    delete thread;
    return status;
}

}  // namespace studio
