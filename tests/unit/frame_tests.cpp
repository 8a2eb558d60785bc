// The frame inside one process: the command line, and the saver window's reaction to input.
#include <gtest/gtest.h>

#include "host/frame.h"
#include "unit/test_support.h"

namespace {

HWND Handle(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

TEST(CommandLine, RunSwitchInEveryCommonSpelling) {
    for (const char* line : {"saver.scr /s", "saver.scr -S", "saver.scr s", "saver.scr  /S", "\"C:\\My Savers\\q.scr\" /s",
                             "saver.scr /sirgendwas", "saver.scr - / S"}) {
        EXPECT_EQ(ParseCommandLine(line).mode, SaverMode::Run) << line;
    }
}

TEST(CommandLine, UnknownSwitchesAreInvalid) {
    for (const char* line : {"saver.scr /x", "saver.scr /\t", "saver.scr 5", "saver.scr /\xE4", "saver.scr /q"})
        EXPECT_EQ(ParseCommandLine(line).mode, SaverMode::Invalid) << line;
}

TEST(CommandLine, PreviewTakesTheHandleAfterBlanks) {
    SaverCommand c = ParseCommandLine("saver.scr /p 1234");
    EXPECT_EQ(c.mode, SaverMode::Preview);
    EXPECT_EQ(c.window, Handle(1234));
    c = ParseCommandLine("saver.scr /l    77x");
    EXPECT_EQ(c.mode, SaverMode::Preview);
    EXPECT_EQ(c.window, Handle(77));
    EXPECT_EQ(ParseCommandLine("saver.scr /p").window, nullptr);
    EXPECT_EQ(ParseCommandLine("saver.scr /p abc").window, nullptr);
    EXPECT_EQ(ParseCommandLine("saver.scr /p -12").window, nullptr);  // no sign
    EXPECT_EQ(ParseCommandLine("saver.scr /p 0x10").window, nullptr); // no hexadecimal
}

TEST(CommandLine, ConfigurationOwnerOnlyAfterAColon) {
    SaverCommand c = ParseCommandLine("saver.scr /c:1234");
    EXPECT_EQ(c.mode, SaverMode::Configure);
    EXPECT_EQ(c.window, Handle(1234));
    EXPECT_FALSE(c.emptyCommand);
    c = ParseCommandLine("saver.scr /c 1234");
    EXPECT_EQ(c.mode, SaverMode::Configure);
    EXPECT_EQ(c.window, nullptr);
    c = ParseCommandLine("saver.scr");
    EXPECT_EQ(c.mode, SaverMode::Configure);
    EXPECT_TRUE(c.emptyCommand);
    c = ParseCommandLine("\"C:\\Program Files\\q.scr\"   ");
    EXPECT_EQ(c.mode, SaverMode::Configure);
    EXPECT_TRUE(c.emptyCommand);
}

TEST(CommandLine, PasswordChangeTakesItsOwner) {
    SaverCommand c = ParseCommandLine("saver.scr /a 99");
    EXPECT_EQ(c.mode, SaverMode::ChangePassword);
    EXPECT_EQ(c.window, Handle(99));
}

TEST(ParseWindowHandle, StopsAtTheFirstNonDigit) {
    const char* text = "4711 rest";
    const char* cursor = text;
    EXPECT_EQ(ParseWindowHandle(cursor), 4711u);
    EXPECT_EQ(cursor, text + 4);
}

TEST(ParseWindowHandle, HugeNumbersNeverOverflowAndNameNoWindow) {
    const char* cursor = "99999999999999999999999999999999999999";
    EXPECT_EQ(ParseWindowHandle(cursor), 0u);
    EXPECT_EQ(*cursor, '\0');  // all digits are consumed
    cursor = "4294967295";
    EXPECT_EQ(ParseWindowHandle(cursor), 4294967295u);
    cursor = "4294967296";
    EXPECT_EQ(ParseWindowHandle(cursor), 0u);
}

// A saver window made in this process with the frame's own window procedure.
class SaverWindow : public ::testing::Test {
protected:
    HWND window = nullptr;

    void Open(bool preview, HWND parent = nullptr) {
        ResetFrameState();
        gFrame.instance = GetModuleHandleA(nullptr);
        gFrame.preview = preview;
        WNDCLASSA wc{};
        wc.lpfnWndProc = SaverWindowProc;
        wc.hInstance = gFrame.instance;
        wc.lpszClassName = "SaverWindowTest";
        RegisterClassA(&wc);
        SetCursorPos(300, 300);
        window = preview ? CreateWindowExA(0, wc.lpszClassName, "Preview", WS_CHILD | WS_VISIBLE, 0, 0, 152, 112,
                                           parent, nullptr, gFrame.instance, nullptr)
                         : CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Screen Saver", WS_POPUP | WS_VISIBLE, 0,
                                           0, 640, 480, nullptr, nullptr, gFrame.instance, nullptr);
        ASSERT_NE(window, nullptr);
        PumpMessages();
        DrainCloses();
    }

    void TearDown() override {
        if (window && IsWindow(window))
            DestroyWindow(window);
        PumpMessages();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // True when a close request is waiting in the queue; removes it.
    bool CloseWasPosted() {
        MSG msg;
        bool found = false;
        while (PeekMessageA(&msg, window, WM_CLOSE, WM_CLOSE, PM_REMOVE))
            found = true;
        return found;
    }
    void DrainCloses() { CloseWasPosted(); }

    bool Closes(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageA(window, message, wParam, lParam);
        return CloseWasPosted();
    }
};

TEST_F(SaverWindow, MouseMovesOfFourPixelsAreIgnoredAndFiveClose) {
    Open(false);
    SetCursorPos(303, 301);  // 3 + 1 = 4
    EXPECT_FALSE(Closes(WM_MOUSEMOVE));
    SetCursorPos(303, 302);  // 3 + 2 = 5
    EXPECT_TRUE(Closes(WM_MOUSEMOVE));
    // The closing move became the new reference.
    EXPECT_EQ(gFrame.mouseReference.x, 303);
    EXPECT_EQ(gFrame.mouseReference.y, 302);
    SetCursorPos(301, 300);  // 2 + 2 from there
    EXPECT_FALSE(Closes(WM_MOUSEMOVE));
}

TEST_F(SaverWindow, KeysButtonsActivationLossAndPowerClose) {
    Open(false);
    EXPECT_TRUE(Closes(WM_KEYDOWN, 'A'));
    EXPECT_TRUE(Closes(WM_SYSKEYDOWN, VK_MENU));
    EXPECT_TRUE(Closes(WM_LBUTTONDOWN));
    EXPECT_TRUE(Closes(WM_RBUTTONDOWN));
    EXPECT_TRUE(Closes(WM_MBUTTONDOWN));
    EXPECT_TRUE(Closes(WM_ACTIVATEAPP, 0));
    EXPECT_TRUE(Closes(WM_POWERBROADCAST, 7));
    EXPECT_TRUE(Closes(WM_POWER, 3));
}

TEST_F(SaverWindow, ReleasesWheelGainedActivationAndOtherPowerEventsDoNotClose) {
    Open(false);
    EXPECT_FALSE(Closes(WM_LBUTTONUP));
    EXPECT_FALSE(Closes(WM_RBUTTONUP));
    EXPECT_FALSE(Closes(WM_MOUSEWHEEL, MAKEWPARAM(0, 120)));
    EXPECT_FALSE(Closes(WM_ACTIVATEAPP, 1));
    EXPECT_FALSE(Closes(WM_POWER, 1));
    EXPECT_FALSE(Closes(WM_KEYUP, 'A'));
}

TEST_F(SaverWindow, CloseWithoutPasswordDestroysTheWindowAndQuits) {
    Open(false);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(SaverWindow, OnceClosingInputIsIgnoredAndTimersStop) {
    Open(false);
    gFrame.closing = true;
    EXPECT_FALSE(Closes(WM_KEYDOWN, 'A'));
    EXPECT_EQ(SendMessageA(window, WM_TIMER, 101, 0), 0);
}

TEST_F(SaverWindow, TitleNeverChanges) {
    Open(false);
    SetWindowTextA(window, "Anderer Titel");
    char title[64];
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Screen Saver");
}

TEST_F(SaverWindow, TaskSwitchCommandsAreSwallowed) {
    Open(false);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_NEXTWINDOW, 0), 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(SaverWindow, CursorIsHiddenOnRequest) {
    Open(false);
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
}

TEST_F(SaverWindow, PreviewIgnoresInputAndForwardsContextMenuToItsParent) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PreviewParentTest";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "Anzeige", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    Open(true, parent);

    SetCursorPos(400, 400);
    EXPECT_FALSE(Closes(WM_MOUSEMOVE));
    EXPECT_FALSE(Closes(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(Closes(WM_LBUTTONDOWN));

    EXPECT_EQ(SendMessageA(window, WM_CONTEXTMENU, 0, MAKELPARAM(5, 6)), 1);
    // WM_HELP carries a pointer and cannot be posted between windows on every system; it is
    // answered all the same.
    HELPINFO help{};
    help.cbSize = sizeof help;
    EXPECT_EQ(SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, parent, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(parent));
    EXPECT_EQ(msg.lParam, MAKELPARAM(5, 6));
    DestroyWindow(window);
    DestroyWindow(parent);
}

TEST_F(SaverWindow, EraseBackgroundIsLeftToTheScene) {
    Open(false);
    HDC dc = GetDC(window);
    EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(window, dc);
}

}  // namespace
