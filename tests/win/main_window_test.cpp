// The resident program in-process: the real main window procedure driven with real messages.
// WM_CREATE derives the settings path from the test exe itself, so each test starts by
// writing (or removing) that file; tests of this kind run one at a time.
#include "app/app.h"
#include "hotkeys/hotkeys.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// HotKeyCode modifier byte of Ctrl+Alt (HOTKEYF_CONTROL | HOTKEYF_ALT).
const uint32_t kCtrlAlt = 0x0600;

// Combinations nobody else uses, so a stray instance elsewhere cannot interfere.
const char kTestHotKeys[] = "EnableDisableEffectHotKey=1657\r\n" // Ctrl+Alt+F10
                            "ShowOptionsHotKey=1658\r\n"         // Ctrl+Alt+F11
                            "ExitProgramHotKey=1659\r\n";        // Ctrl+Alt+F12

class MainWindow_ : public testing::Test {
  protected:
    void SetUp() override {
        InitPaths();
        ini = SettingsPath;
        DeleteFileA(ini.c_str());
        Instance = GetModuleHandleA(NULL);
        RegisterMainWindowClass();
    }
    void TearDown() override {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        DeleteFileA(ini.c_str());
    }
    void Create(const char* iniBody) {
        if (iniBody) WriteTextFile(ini, std::string("[Options]\r\n") + kTestHotKeys + iniBody);
        ASSERT_TRUE(CreateMainWindow());
    }
    // KillTimer reports whether the timer existed; used only at the end of a test.
    bool TimerRunning() {
        bool running = KillTimer(MainWindow, TIMER_WRAP) != 0;
        if (running) SetTimer(MainWindow, TIMER_WRAP, Settings.TimerInterval, NULL);
        return running;
    }
    bool ShowsIcon(int id) {
        return TrayData.hIcon == LoadTrayIcon(id);
    }
    void Send(UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageA(MainWindow, message, wParam, lParam);
    }
    std::string ini;
};

TEST_F(MainWindow_, CreationFollowsTheSavedStateAndBorders) {
    struct {
        const char* ini; // NULL: no settings file
        bool on;
    } cases[] = {
        {NULL, true},
        {"GlobalEnabled=1\r\n", true},
        {"GlobalEnabled=2\r\n", true},
        {"GlobalEnabled=0\r\n", false},
        {"GlobalEnabled=x\r\n", true},
        {"DisabledBordersFlags=15\r\n", false},
        {"GlobalEnabled=1\r\nDisabledBordersFlags=31\r\n", true}, // not "all four" by value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "(no file)");
        Create(c.ini);
        EXPECT_EQ(EffectEnabled(), c.on);
        EXPECT_TRUE(ShowsIcon(c.on ? IDI_EFFECT_ON : IDI_EFFECT_OFF));
        EXPECT_EQ(TimerRunning(), c.on);
        EXPECT_TRUE(TrayIconPresent);
        EXPECT_EQ(TrayData.uID, (UINT)TRAY_ICON_ID);
        EXPECT_EQ(TrayData.cbSize, sizeof(void*) == 4 ? 88u : (UINT)NOTIFYICONDATAA_V1_SIZE);
        EXPECT_STREQ(TrayData.szTip, "Quindlet");
        EXPECT_EQ(GetMenuDefaultItem(TrayMenu, FALSE, 0), (UINT)CMD_ENABLED);
        DestroyWindow(MainWindow);
        DeleteFileA(ini.c_str());
    }
}

TEST_F(MainWindow_, DoubleClickTwiceReturnsToFirstStateWritingGlobalEnabledEachTime) {
    Create("GlobalEnabled=1\r\n");
    Send(QM_TRAYCALLBACK, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(EffectEnabled());
    EXPECT_TRUE(ShowsIcon(IDI_EFFECT_OFF));
    EXPECT_FALSE(TimerRunning());
    EXPECT_EQ(LoadGlobalEnabled(), 0u);
    Send(QM_TRAYCALLBACK, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(EffectEnabled());
    EXPECT_TRUE(ShowsIcon(IDI_EFFECT_ON));
    EXPECT_TRUE(TimerRunning());
    EXPECT_EQ(LoadGlobalEnabled(), 1u);
}

TEST_F(MainWindow_, OtherTrayCallbacksChangeNothing) {
    Create(NULL);
    for (LPARAM event :
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
        Send(QM_TRAYCALLBACK, TRAY_ICON_ID, event);
    EXPECT_TRUE(EffectEnabled());
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing was saved";
}

TEST_F(MainWindow_, MenuCommandsActAndThoseFromControlsAreIgnored) {
    Create("");
    Send(WM_COMMAND, CMD_EXIT, (LPARAM)MainWindow); // from a control: ignored
    ASSERT_TRUE(IsWindow(MainWindow));
    Send(WM_COMMAND, CMD_ENABLED, (LPARAM)MainWindow);
    EXPECT_TRUE(EffectEnabled());
    Send(WM_COMMAND, 40003, 0); // no such command
    EXPECT_TRUE(EffectEnabled());
    Send(WM_COMMAND, CMD_ENABLED, 0);
    EXPECT_FALSE(EffectEnabled());
    EXPECT_EQ(LoadGlobalEnabled(), 0u);
    Send(WM_COMMAND, CMD_EXIT, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(MainWindow_, TurningOnWithAllBordersDisabledReenablesThemAndSaves) {
    Create("GlobalEnabled=1\r\nDisabledBordersFlags=15\r\n");
    ASSERT_FALSE(EffectEnabled());
    Send(WM_COMMAND, CMD_ENABLED, 0);
    EXPECT_TRUE(EffectEnabled());
    EXPECT_EQ(Settings.DisabledBordersFlags, 0u);
    LoadSettings();
    EXPECT_EQ(Settings.DisabledBordersFlags, 0u);
    EXPECT_EQ(LoadGlobalEnabled(), 1u);
}

TEST_F(MainWindow_, TurningOffKeepsPartlyDisabledBorders) {
    Create("DisabledBordersFlags=5\r\n");
    Send(WM_COMMAND, CMD_ENABLED, 0);
    Send(WM_COMMAND, CMD_ENABLED, 0);
    LoadSettings();
    EXPECT_EQ(Settings.DisabledBordersFlags, 5u);
}

TEST_F(MainWindow_, TaskbarCreatedReaddsThePresentIconWithCurrentPicture) {
    Create("GlobalEnabled=0\r\n");
    Send(TaskbarCreatedMessage, 0, 0);
    EXPECT_TRUE(TrayIconPresent);
    EXPECT_TRUE(ShowsIcon(IDI_EFFECT_OFF));
    Send(WM_COMMAND, CMD_ENABLED, 0);
    Send(TaskbarCreatedMessage, 0, 0);
    EXPECT_TRUE(ShowsIcon(IDI_EFFECT_ON));
    // Shell_NotifyIconA tells whether the icon exists: modifying it succeeds only then.
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &TrayData));

    DeleteTrayIcon();
    Send(TaskbarCreatedMessage, 0, 0);
    EXPECT_FALSE(TrayIconPresent);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &TrayData));
}

TEST_F(MainWindow_, HotKeysToggleAndExit) {
    Create("");
    ASSERT_TRUE(HotKeysRegistered);
    ASSERT_NE(HotKeyIds[0], 0);
    ASSERT_NE(HotKeyIds[1], 0);
    Send(WM_HOTKEY, HotKeyIds[0], 0);
    EXPECT_FALSE(EffectEnabled());
    Send(WM_HOTKEY, HotKeyIds[0], 0);
    EXPECT_TRUE(EffectEnabled());
    // (The second opens Options: see Dialogs.SecondRequestBringsTheOpenDialogForward...)
    Send(WM_HOTKEY, HotKeyIds[2], 0);
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(MainWindow_, AnyOtherHotKeyIdentifierEndsTheProgram) {
    Create("");
    Send(WM_HOTKEY, 0xBEEF, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(MainWindow_, HotKeysHeldWhileRunningAndFreedAtDestruction) {
    Create("");
    const UINT keys[3] = {VK_F10, VK_F11, VK_F12};
    for (UINT key : keys)
        EXPECT_FALSE(CombinationFree(kCtrlAlt | key)) << key;
    // Released while the window lives too, as Options OK does before registering anew: the
    // end of a window would release them by itself.
    UnregisterHotKeys();
    for (UINT key : keys)
        EXPECT_TRUE(CombinationFree(kCtrlAlt | key)) << key;
    RegisterHotKeys();
    DestroyWindow(MainWindow);
    EXPECT_FALSE(HotKeysRegistered);
    for (UINT key : keys)
        EXPECT_TRUE(CombinationFree(kCtrlAlt | key)) << key;
}

TEST_F(MainWindow_, CombinationHeldElsewhereLeavesTheOtherTwoWorking) {
    // Global atoms outlive a process that was killed; only check ours when nobody else's is there.
    bool atomsFree = !GlobalFindAtomA("QuindletHotKey1") && !GlobalFindAtomA("QuindletHotKey2");
    ASSERT_TRUE(RegisterHotKey(NULL, 0x7001, MOD_CONTROL | MOD_ALT, VK_F10));
    Create("");
    EXPECT_EQ(HotKeyIds[0], 0) << "the failed registration released its atom";
    if (atomsFree) {
        EXPECT_EQ(GlobalFindAtomA("QuindletHotKey1"), 0);
    }
    EXPECT_NE(HotKeyIds[1], 0);
    EXPECT_NE(HotKeyIds[2], 0);
    EXPECT_FALSE(CombinationFree(kCtrlAlt | VK_F11));
    DestroyWindow(MainWindow);
    if (atomsFree) {
        EXPECT_EQ(GlobalFindAtomA("QuindletHotKey2"), 0) << "atoms released at destruction";
    }
    UnregisterHotKey(NULL, 0x7001);
}

// With the effect off there is no wrap timer to stop; a timer 1 that exists anyway (set here
// behind the program's back) shows that destruction leaves timers alone then.
TEST_F(MainWindow_, DestroyingWithEffectOffStopsNoTimer) {
    Create("GlobalEnabled=0\r\n");
    SetTimer(MainWindow, TIMER_WRAP, 1000, NULL);
    Send(WM_DESTROY, 0, 0);
    EXPECT_TRUE(KillTimer(MainWindow, TIMER_WRAP));
}

TEST_F(MainWindow_, DestroyingWithEffectOnStopsTheWrapTimer) {
    Create("GlobalEnabled=1\r\n");
    Send(WM_DESTROY, 0, 0);
    EXPECT_FALSE(KillTimer(MainWindow, TIMER_WRAP));
}

TEST_F(MainWindow_, DestructionRemovesIconMenuAndPostsQuitZero) {
    Create("GlobalEnabled=0\r\n");
    HMENU menu = MenuResource;
    DestroyWindow(MainWindow);
    EXPECT_FALSE(TrayIconPresent);
    EXPECT_FALSE(IsMenu(menu));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

// The cursor after one tick from a point.
static POINT TickFrom(POINT from) {
    SetCursorPos(from.x, from.y);
    SendMessageA(MainWindow, WM_TIMER, TIMER_WRAP, 0);
    // Wine may answer GetCursorPos from a cache for a moment after a SetCursorPos.
    POINT at = {0, 0};
    for (int i = 0; i < 15; ++i) {
        Sleep(10);
        GetCursorPos(&at);
        if (at.x != from.x || at.y != from.y) break;
    }
    return at;
}

// The tick takes the borders and the corner from the settings and the screen size from the
// system, on every tick.
TEST_F(MainWindow_, TimerTickWrapsTheCursorByTheSettings) {
    Create("");
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    struct {
        const char* what;
        uint32_t disabled, cornerWidth, cornerHeight;
        POINT from, to;
    } cases[] = {
        {"left border", 0, 63, 63, {0, 300}, {w - 2, 300}},
        {"bottom border", 0, 63, 63, {300, h - 1}, {300, 1}},
        {"left border disabled", kBorderLeft, 63, 63, {0, 300}, {0, 300}},
        {"bottom border disabled", kBorderBottom, 63, 63, {300, h - 1}, {300, h - 1}},
        {"in the corner", 0, 63, 10, {w - 1, 5}, {w - 1, 5}},
        {"below a low corner", 0, 63, 10, {w - 1, 20}, {1, 20}},
        {"beside a narrow corner", 0, 10, 63, {w - 20, 0}, {w - 20, h - 2}},
    };
    for (const auto& c : cases) {
        Settings.DisabledBordersFlags = c.disabled;
        Settings.IgnorableTRCornerWidth = c.cornerWidth;
        Settings.IgnorableTRCornerHeight = c.cornerHeight;
        POINT at = TickFrom(c.from);
        EXPECT_EQ(at.x, c.to.x) << c.what;
        EXPECT_EQ(at.y, c.to.y) << c.what;
    }
}

// A resting delay counted full in the corner, then the effect toggled off and on, or the
// program started anew: the count starts over, so a border reached next still waits.
TEST_F(MainWindow_, ResettingTheTimerStartsTheRestingDelayOver) {
    for (int restart = 0; restart < 2; ++restart) {
        Create("TimerInterval=50\r\nWrapDelay=130\r\n"); // four ticks
        for (int i = 0; i < 5; ++i)
            TickFrom({GetSystemMetrics(SM_CXSCREEN) - 1, 5});
        if (restart) {
            DestroyWindow(MainWindow);
            ASSERT_TRUE(CreateMainWindow());
        } else {
            ToggleEffect();
            ToggleEffect();
        }
        EXPECT_EQ(TickFrom({0, 300}).x, 0) << restart;
        DestroyWindow(MainWindow);
    }
}

} // namespace
