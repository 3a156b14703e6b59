#pragma once
// Window handles and the message queue that stands in for the native window
// messages the driver sends to and posts for its host.
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "outside/WindowHandle.h"
#include "platform/Export.h"

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// A window that can receive messages. It belongs to the thread that created it:
// posted messages wait in that thread's queue until the thread dispatches them.
class RX9100_API Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual LResult handleMessage(unsigned message, WParam wParam, LParam lParam);
    std::thread::id ownerThread() const { return owner_; }

  private:
    std::thread::id owner_;
};

struct Message {
    WindowHandle window = nullptr;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

// Calls the window's handler on the calling thread and returns its result.
// A null window is ignored (result 0).
RX9100_API LResult sendMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// Queues the message for the window's owner thread; false for a null window.
RX9100_API bool postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// Looks at the calling thread's queue for the first message whose number lies in
// [first, last] (both 0: any) and, when window is not null, whose window is that
// window. With remove the message is taken out of the queue.
RX9100_API bool peekMessage(Message& out, WindowHandle window, unsigned first, unsigned last,
                            bool remove);

// Waits up to timeout for a message in the calling thread's queue and removes it.
RX9100_API bool waitMessage(Message& out, std::chrono::milliseconds timeout);

RX9100_API void dispatchMessage(const Message& message);

// Dispatches every message now waiting in the calling thread's queue; returns the count.
RX9100_API int dispatchPendingMessages();

// The main window of the calling thread (null when it has none).
RX9100_API WindowHandle mainWindow();
RX9100_API void setMainWindow(WindowHandle window);

// A toolkit event loop can ask to be woken when a message is posted to its thread.
RX9100_API void setQueueWaker(std::function<void()> waker);

}  // namespace platform
