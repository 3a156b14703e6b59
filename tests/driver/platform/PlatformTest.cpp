#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/Numbers.h"
#include "platform/Sync.h"
#include "platform/System.h"
#include "platform/UiServices.h"
#include "platform/Window.h"

namespace {

class RecordingWindow : public platform::Window {
  public:
    platform::LResult handleMessage(unsigned message, platform::WParam w,
                                    platform::LParam l) override {
        received.push_back({message, w, l});
        return static_cast<platform::LResult>(message) + 1;
    }
    struct Entry {
        unsigned message;
        platform::WParam w;
        platform::LParam l;
    };
    std::vector<Entry> received;
};

}  // namespace

TEST(EventTest, AutoResetSignalWakesOneWaitAndIsConsumed) {
    platform::AutoResetEvent event;
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(1)));
    std::thread setter([&] { event.set(); });
    event.wait();
    setter.join();
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(1)));
    event.set();
    event.reset();
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(1)));
}

TEST(WorkerThreadTest, RunsAreJoinedByTheNextStartAndByTheOwner) {
    static platform::AutoResetEvent release;
    static std::atomic<int> runs{0};
    auto proc = [](void*) -> unsigned {
        release.wait();
        ++runs;
        return 0;
    };
    {
        platform::WorkerThread thread;
        ASSERT_TRUE(thread.start(proc, nullptr));
        release.set();
        ASSERT_TRUE(thread.start(proc, nullptr));  // waits for the first run to return
        EXPECT_EQ(runs, 1);
        release.set();
    }  // the owner's end waits for the run
    EXPECT_EQ(runs, 2);
    platform::WorkerThread idle;
    idle.join();  // nothing to wait for
}

TEST(CriticalSectionTest, ReentrantAndIgnoresLeaveByOthers) {
    platform::CriticalSection section;
    section.enter();
    section.enter();
    platform::AutoResetEvent checked;
    std::atomic<bool> otherGotIt{false};
    std::thread other([&] {
        EXPECT_FALSE(section.leave());
        EXPECT_FALSE(section.tryEnter());
        checked.set();
        section.enter();  // waits until the owner has left twice
        otherGotIt = true;
        section.leave();
    });
    checked.wait();
    EXPECT_TRUE(section.leave());
    EXPECT_FALSE(otherGotIt);
    EXPECT_TRUE(section.leave());
    other.join();
    EXPECT_TRUE(otherGotIt);
    EXPECT_FALSE(section.leave());
}

TEST(MessageQueueTest, PostedMessagesWaitForTheOwnerAndPeekFiltersByRange) {
    RecordingWindow window;
    platform::setMainWindow(&window);
    EXPECT_EQ(platform::mainWindow(), &window);
    std::thread poster([&] {
        platform::postMessage(&window, 100, 1, 2);
        platform::postMessage(&window, 5000, 0, 0);
    });
    poster.join();
    platform::Message message;
    EXPECT_FALSE(platform::peekMessage(message, &window, 4999, 4999, true));
    ASSERT_TRUE(platform::peekMessage(message, &window, 4999, 5001, true));
    EXPECT_EQ(message.message, 5000u);
    EXPECT_EQ(platform::dispatchPendingMessages(), 1);
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0].message, 100u);
    EXPECT_EQ(platform::sendMessage(&window, 1524, 0, 28), 1525);
    EXPECT_EQ(platform::sendMessage(nullptr, 1524, 0, 28), 0);
    platform::setMainWindow(nullptr);
}

TEST(MessageQueueTest, DestroyedWindowLeavesNoMessagesBehind) {
    {
        RecordingWindow window;
        platform::postMessage(&window, 5000, 0, 0);
    }
    platform::Message message;
    EXPECT_FALSE(platform::peekMessage(message, nullptr, 0, 0, false));
}

TEST(NumbersTest, ConversionsReadTheCLocaleWhateverTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_DOUBLE_EQ(platform::cAtof("  1.25xyz"), 1.25);
    EXPECT_DOUBLE_EQ(platform::cAtof("abc"), 0.0);
    EXPECT_EQ(platform::cAtoi("0123,4"), 123);
    EXPECT_EQ(platform::cFormat("%10.2lf", 3.5), "      3.50");
    EXPECT_EQ(platform::cParseDecimal("1.25"), 1.25);
    if (comma) {
        EXPECT_EQ(platform::userDecimalSeparator(), '.');  // user default is not de_DE here
    }
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumbersTest, StrictParsingTakesWholeNumbersOnly) {
    EXPECT_EQ(platform::cParseDecimal("-12.5e-1"), -1.25);
    EXPECT_EQ(platform::cParseDecimal("7"), 7.0);
    for (const char* text :
         {"", " 1", "1 ", "1.25xyz", "abc", "nan", "inf", "-inf", "0x10", "1e999", "1,5", "."}) {
        EXPECT_EQ(platform::cParseDecimal(text), std::nullopt) << text;
    }
    EXPECT_EQ(platform::cParseInteger("007"), 7);
    EXPECT_EQ(platform::cParseInteger("-42"), -42);
    for (const char* text : {"", "1.0", "1e3", " 1", "12a", "99999999999999999999999"}) {
        EXPECT_EQ(platform::cParseInteger(text), std::nullopt) << text;
    }
}

TEST(UiServicesTest, FilterStringsSplitIntoPairs) {
    auto filters = platform::parseFileFilter("*.ucf|*.ucf||");
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].description, "*.ucf");
    EXPECT_EQ(filters[0].pattern, "*.ucf");
    EXPECT_EQ(platform::parseFileFilter("A|*.a|B|*.b||").size(), 2u);
}
