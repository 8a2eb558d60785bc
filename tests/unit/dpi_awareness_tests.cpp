// The full-screen run asks for the monitors' real pixels. A program of its own, since the choice
// holds for the whole process and cannot be taken back.
#include <gtest/gtest.h>

#include "host/monitors.h"

namespace {

using GetContextFn = HANDLE(WINAPI*)();
using AwarenessOfFn = int(WINAPI*)(HANDLE);
constexpr int kUnaware = 0, kPerMonitorAware = 2;

// The awareness the system reports for this thread, or -1 where it cannot say.
int CurrentAwareness() {
    HMODULE user = GetModuleHandleA("user32.dll");
    auto getContext = reinterpret_cast<GetContextFn>(GetProcAddress(user, "GetThreadDpiAwarenessContext"));
    auto awarenessOf = reinterpret_cast<AwarenessOfFn>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext"));
    if (!getContext || !awarenessOf)
        return -1;
    return awarenessOf(getContext());
}

TEST(RealMonitorPixels, TheRunBecomesAwarePerMonitor) {
    ASSERT_EQ(CurrentAwareness(), kUnaware) << "a program without a manifest starts scaled by the system";
    ASSERT_FALSE(IsProcessDPIAware());
    UseRealMonitorPixels();
    EXPECT_EQ(CurrentAwareness(), kPerMonitorAware);
    EXPECT_TRUE(IsProcessDPIAware());
    // Asking again (a second full-screen start in the same process) changes nothing and does no harm.
    UseRealMonitorPixels();
    EXPECT_EQ(CurrentAwareness(), kPerMonitorAware);
}

}  // namespace
