#include "platform/Window.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace platform {
namespace {

// One queue per thread that owns windows or looks for messages.
struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<Message> messages;
    std::function<void()> waker;
    WindowHandle mainWindow = nullptr;
};

std::mutex registryMutex;
std::map<std::thread::id, std::shared_ptr<ThreadQueue>>& registry() {
    static std::map<std::thread::id, std::shared_ptr<ThreadQueue>> queues;
    return queues;
}

std::shared_ptr<ThreadQueue> queueOf(std::thread::id thread) {
    std::lock_guard lock(registryMutex);
    auto& queue = registry()[thread];
    if (!queue) {
        queue = std::make_shared<ThreadQueue>();
    }
    return queue;
}

bool matches(const Message& m, WindowHandle window, unsigned first, unsigned last) {
    if (window != nullptr && m.window != window) {
        return false;
    }
    if (first == 0 && last == 0) {
        return true;
    }
    return m.message >= first && m.message <= last;
}

}  // namespace

Window::Window() : owner_(std::this_thread::get_id()) {}

Window::~Window() {
    auto queue = queueOf(owner_);
    std::lock_guard lock(queue->mutex);
    std::erase_if(queue->messages, [this](const Message& m) { return m.window == this; });
    if (queue->mainWindow == this) {
        queue->mainWindow = nullptr;
    }
}

LResult Window::handleMessage(unsigned, WParam, LParam) {
    return 0;
}

LResult sendMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (window == nullptr) {
        return 0;
    }
    return window->handleMessage(message, wParam, lParam);
}

bool postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (window == nullptr) {
        return false;
    }
    auto queue = queueOf(window->ownerThread());
    std::function<void()> waker;
    {
        std::lock_guard lock(queue->mutex);
        queue->messages.push_back(Message{window, message, wParam, lParam});
        waker = queue->waker;
    }
    queue->posted.notify_all();
    if (waker) {
        waker();
    }
    return true;
}

bool peekMessage(Message& out, WindowHandle window, unsigned first, unsigned last, bool remove) {
    auto queue = queueOf(std::this_thread::get_id());
    std::lock_guard lock(queue->mutex);
    auto it = std::find_if(queue->messages.begin(), queue->messages.end(),
                           [&](const Message& m) { return matches(m, window, first, last); });
    if (it == queue->messages.end()) {
        return false;
    }
    out = *it;
    if (remove) {
        queue->messages.erase(it);
    }
    return true;
}

bool waitMessage(Message& out, std::chrono::milliseconds timeout) {
    auto queue = queueOf(std::this_thread::get_id());
    std::unique_lock lock(queue->mutex);
    if (!queue->posted.wait_for(lock, timeout, [&] { return !queue->messages.empty(); })) {
        return false;
    }
    out = queue->messages.front();
    queue->messages.pop_front();
    return true;
}

void dispatchMessage(const Message& message) {
    if (message.window != nullptr) {
        message.window->handleMessage(message.message, message.wParam, message.lParam);
    }
}

int dispatchPendingMessages() {
    int count = 0;
    Message message;
    while (peekMessage(message, nullptr, 0, 0, true)) {
        dispatchMessage(message);
        ++count;
    }
    return count;
}

WindowHandle mainWindow() {
    auto queue = queueOf(std::this_thread::get_id());
    std::lock_guard lock(queue->mutex);
    return queue->mainWindow;
}

void setMainWindow(WindowHandle window) {
    auto queue = queueOf(std::this_thread::get_id());
    std::lock_guard lock(queue->mutex);
    queue->mainWindow = window;
}

void setQueueWaker(std::function<void()> waker) {
    auto queue = queueOf(std::this_thread::get_id());
    std::lock_guard lock(queue->mutex);
    queue->waker = std::move(waker);
}

}  // namespace platform
