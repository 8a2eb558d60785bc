// The full-screen run asks for the monitors' real pixels. A program of its own, since the choice
// holds for the whole process and cannot be taken back.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/monitors.h"

namespace {

using GetContextFn = HANDLE(WINAPI*)();
using AwarenessOfFn = int(WINAPI*)(HANDLE);
constexpr int kPerMonitorAware = 2;

// The awareness the system reports for this thread, or -1 where it cannot say.
int CurrentAwareness() {
    HMODULE user = GetModuleHandleA("user32.dll");
    auto getContext = reinterpret_cast<GetContextFn>(GetProcAddress(user, "GetThreadDpiAwarenessContext"));
    auto awarenessOf = reinterpret_cast<AwarenessOfFn>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext"));
    if (!getContext || !awarenessOf)
        return -1;
    return awarenessOf(getContext());
}

// Per monitor, and chosen by the program itself: once a process has set its awareness, the system
// refuses to have it set again.
TEST(RealMonitorPixels, TheRunBecomesAwarePerMonitor) {
    HMODULE user = GetModuleHandleA("user32.dll");
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto setContext = reinterpret_cast<SetContextFn>(GetProcAddress(user, "SetProcessDpiAwarenessContext"));
    ASSERT_NE(setContext, nullptr);
    UseRealMonitorPixels();
    EXPECT_EQ(CurrentAwareness(), kPerMonitorAware);
    EXPECT_TRUE(IsProcessDPIAware());
    SetLastError(0);
    EXPECT_FALSE(setContext(reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))) << "already chosen";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CurrentAwareness(), kPerMonitorAware);
    // Asking again (a second full-screen start in the same process) changes nothing and does no harm.
    UseRealMonitorPixels();
    EXPECT_EQ(CurrentAwareness(), kPerMonitorAware);
}

}  // namespace
