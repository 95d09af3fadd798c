// The Options dialog and the About box in-process: the real modal dialogs opened through
// ShowOptionsDialog / ShowAboutBox beside a real hidden main window, driven from thread timers
// that the dialogs' own modal loops dispatch. Each stage runs on its own tick, so whatever a
// stage posts (keys, clicks) goes through the modal loop's dialog-key handling before the next.
#include "app/app.h"
#include "dialogs/dialogs.h"
#include "hotkeys/hotkeys.h"
#include "lang/lang.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "test_support.h"
#include "wrap/wrap.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using Stage = std::function<void(HWND dialog)>;

// Ctrl+Shift+Alt with F9, F10, F11: combinations no other test or instance uses.
const uint32_t kToggleKey = 0x0778;
const uint32_t kOptionsKey = 0x0779;
const uint32_t kExitKey = 0x077A;
const uint32_t kNewOptionsKey = 0x074A; // Ctrl+Shift+Alt+J

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<Stage> Stages;
size_t NextStage;
const char* DialogTitle;

HWND FindOurDialog(const char* title) {
    HWND dialog = FindWindowA("#32770", title);
    DWORD pid = 0;
    if (dialog) GetWindowThreadProcessId(dialog, &pid);
    return pid == GetCurrentProcessId() ? dialog : NULL;
}

VOID CALLBACK RunNextStage(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindOurDialog(DialogTitle);
    if (!dialog || !IsWindowVisible(dialog)) return; // not up yet
    if (NextStage >= Stages.size()) {
        KillTimer(NULL, timer);
        return;
    }
    Stages[NextStage++](dialog);
}

// A dialog still open long after its last stage, or another one opened instead, would hang
// the test: end it and fail.
VOID CALLBACK Watchdog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(NULL, timer);
    HWND dialog = FindOurDialog(DialogTitle);
    if (dialog || (dialog = FindOurDialog(NULL))) {
        ADD_FAILURE() << "dialog \"" << DialogTitle << "\" or another was still open";
        EndDialog(dialog, 0);
    }
}

// Opens a dialog the way the program does and runs the stages while it is up; returns, once
// the dialog has ended, how many stages ran. Unless told otherwise, every stage must have run.
size_t Drive(const char* title, void (*open)(), std::vector<Stage> stages, bool allStages = true) {
    Stages = std::move(stages);
    NextStage = 0;
    DialogTitle = title;
    UINT_PTR ticks = SetTimer(NULL, 0, 60, RunNextStage);
    UINT_PTR watchdog = SetTimer(NULL, 0, 8000, Watchdog);
    open();
    KillTimer(NULL, ticks);
    KillTimer(NULL, watchdog);
    EXPECT_TRUE(LanguageList == NULL) << "the language list lives only as long as the dialog";
    if (allStages) {
        EXPECT_EQ(NextStage, Stages.size()) << "the dialog ended before every stage ran";
    }
    return NextStage;
}

// A page is a child dialog of the Options dialog; find it by a control only it holds.
HWND PageHolding(HWND dialog, int control) {
    for (HWND child = FindWindowExA(dialog, NULL, "#32770", NULL); child;
         child = FindWindowExA(dialog, child, "#32770", NULL))
        if (GetDlgItem(child, control)) return child;
    return NULL;
}

HWND Control(HWND dialog, int control) {
    if (HWND direct = GetDlgItem(dialog, control)) return direct;
    return GetDlgItem(PageHolding(dialog, control), control);
}

void Click(HWND dialog, int control) {
    SendMessageA(Control(dialog, control), BM_CLICK, 0, 0);
}

void SetCheck(HWND dialog, int control, bool checked) {
    SendMessageA(Control(dialog, control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetText(HWND dialog, int control, const char* text) {
    SetWindowTextA(Control(dialog, control), text);
}

std::string ControlText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// A key message's lParam: repeat count 1 and the key's scan code, as the keyboard sends it.
LPARAM KeyData(UINT key) {
    return 1 | (MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */) << 16);
}

void PostKey(HWND window, UINT key) {
    PostMessageA(window, WM_KEYDOWN, key, KeyData(key));
    PostMessageA(window, WM_KEYUP, key, KeyData(key) | 0xC0000000);
}

struct WindowCount {
    const char* title;
    int n;
};

BOOL CALLBACK CountIfOurDialog(HWND window, LPARAM data) {
    WindowCount* count = (WindowCount*)data;
    char cls[32], text[64];
    GetClassNameA(window, cls, sizeof(cls));
    GetWindowTextA(window, text, sizeof(text));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && !lstrcmpA(cls, "#32770") && !lstrcmpA(text, count->title))
        ++count->n;
    return TRUE;
}

// Top-level dialogs of this process with this title.
int CountOurWindows(const char* title) {
    WindowCount count = {title, 0};
    EnumWindows(CountIfOurDialog, (LPARAM)&count);
    return count.n;
}

std::string RunValue() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[MAX_PATH] = "";
    DWORD size = sizeof(data) - 1, type = 0;
    LONG result = RegQueryValueExA(key, "Quindlet", NULL, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? data : "<none>";
}

class Dialogs : public testing::Test {
  protected:
    void SetUp() override {
        Instance = GetModuleHandleA(NULL);
        RegisterMainWindowClass();
        // Creation derives the paths from the test exe and registers whatever hotkeys it
        // finds there; from here on the program lives in a scratch folder on our own keys.
        ASSERT_TRUE(CreateMainWindow());
        dir = UseScratchProgramDir();
        ini = SettingsPath;
        SetDefaultSettings();
        Settings.EnableDisableEffectHotKey = kToggleKey;
        Settings.ShowOptionsHotKey = kOptionsKey;
        Settings.ExitProgramHotKey = kExitKey;
        UnregisterHotKeys();
        RegisterHotKeys();
        RemoveStartupValue();
        if (!EffectEnabled()) ToggleEffect();
        DeleteFileA(ini.c_str());
    }
    void TearDown() override {
        RemoveStartupValue();
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        PumpMessages(20);
    }
    std::string IniValue(const char* key) {
        char value[64];
        FlushProfileCache(ini.c_str());
        GetPrivateProfileStringA("Options", key, "<missing>", value, sizeof(value), ini.c_str());
        return value;
    }
    void Options(std::vector<Stage> stages) {
        Drive("Options", ShowOptionsDialog, std::move(stages));
        EXPECT_FALSE(OptionsOpen);
        EXPECT_EQ(ShownPage, (HWND)NULL);
    }
    std::string dir, ini;
};

TEST_F(Dialogs, AllFourBordersCheckedSwitchTheEffectOffAndStoreFifteen) {
    struct {
        bool effectOn;
        bool boxes[4]; // Left, Top, Right, Bottom
        uint32_t stored;
        bool effectAfter;
    } cases[] = {
        {true, {true, true, true, true}, 15, false},
        {true, {true, false, true, false}, 5, true},
        {true, {false, false, false, false}, 0, true},
        // Already off: it stays off (toggling would switch it on and clear the borders).
        {false, {true, true, true, true}, 15, false},
    };
    const int ids[4] = {IDC_BORDER_LEFT, IDC_BORDER_TOP, IDC_BORDER_RIGHT, IDC_BORDER_BOTTOM};
    for (const auto& c : cases) {
        if (EffectEnabled() != c.effectOn) ToggleEffect();
        Options({[&](HWND dialog) {
            for (int i = 0; i < 4; ++i)
                SetCheck(dialog, ids[i], c.boxes[i]);
            Click(dialog, IDOK);
        }});
        EXPECT_EQ(Settings.DisabledBordersFlags, c.stored) << c.stored;
        EXPECT_EQ(IniValue("DisabledBordersFlags"), std::to_string(c.stored));
        EXPECT_EQ(EffectEnabled(), c.effectAfter) << c.stored;
        EXPECT_EQ(IniValue("GlobalEnabled"), c.effectAfter ? "1" : "0") << c.stored;
    }
}

TEST_F(Dialogs, PagesShowTheSettingsAndOkStoresEveryControl) {
    Settings.DoNotTranferIfLMBPressed = 0;
    Settings.BlockingKey = kBlockingKeyAlt;
    Settings.IgnorableTRCornerWidth = 4000000000u;
    Settings.IgnorableTRCornerHeight = 7;
    Settings.UseKeyToPass = 0;
    Settings.DisabledBordersFlags = kBorderTop | kBorderBottom;
    Settings.IgnorableCorners = kCornerTopRight | kCornerBottomLeft;
    Settings.WrapDelay = Settings.WrapDistance = 250;
    Settings.PauseInFullScreen = Settings.KeepTaskbarReachable = 2; // non-zero is on; OK writes 1
    CopyText(Settings.ExcludedPrograms, kProgramListSize, "mstsc.exe; Photoshop.exe");
    Options({[&](HWND dialog) {
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_TOGGLE_HOTKEY), HKM_GETHOTKEY, 0, 0),
                  (LRESULT)kToggleKey);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_EXIT_HOTKEY), HKM_GETHOTKEY, 0, 0),
                  (LRESULT)kExitKey);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_BUTTON_GATE), BM_GETCHECK, 0, 0), 0);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_BLOCKING_KEY), CB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(ControlText(Control(dialog, IDC_CORNER_WIDTH)), "4000000000");
        EXPECT_EQ(ControlText(Control(dialog, IDC_CORNER_HEIGHT)), "7");
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_BORDER_TOP), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_BORDER_LEFT), BM_GETCHECK, 0, 0), 0);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_BORDER_BOTTOM), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_RUN_AT_STARTUP), BM_GETCHECK, 0, 0), 0);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_WRAP_ACROSS_MONITORS), BM_GETCHECK, 0, 0), 0);
        EXPECT_EQ(ControlText(Control(dialog, IDC_WRAP_DELAY)), "250");
        EXPECT_EQ(ControlText(Control(dialog, IDC_WRAP_DISTANCE)), "250");
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_PAUSE_IN_FULL_SCREEN), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_KEEP_TASKBAR_REACHABLE), BM_GETCHECK, 0, 0), 1);
        HWND programs = Control(dialog, IDC_EXCLUDED_PROGRAMS);
        EXPECT_EQ(ControlText(programs), "mstsc.exe; Photoshop.exe");
        SendMessageA(programs, EM_REPLACESEL, FALSE, (LPARAM)std::string(1100, 'n').c_str());
        EXPECT_EQ(GetWindowTextLengthA(programs), 1023); // typing stops where the file would cut
        SetText(dialog, IDC_EXCLUDED_PROGRAMS, " vlc.exe;game.exe ");
        const int cornerBoxes[4] = {IDC_CORNER_TOP_LEFT, IDC_CORNER_TOP_RIGHT,
                                    IDC_CORNER_BOTTOM_LEFT, IDC_CORNER_BOTTOM_RIGHT};
        const LRESULT cornersShown[4] = {0, 1, 1, 0};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(SendMessageA(Control(dialog, cornerBoxes[i]), BM_GETCHECK, 0, 0),
                      cornersShown[i])
                << cornerBoxes[i];

        SetCheck(dialog, IDC_BUTTON_GATE, true);
        SetCheck(dialog, IDC_WRAP_ACROSS_MONITORS, true);
        SetCheck(dialog, IDC_ONLY_WITH_SEVERAL_MONITORS, true);
        SetText(dialog, IDC_WRAP_DELAY, "9000"); // stored as typed, above what counts
        SetText(dialog, IDC_WRAP_DISTANCE, "25000");
        SetCheck(dialog, IDC_CORNER_TOP_LEFT, true);
        SetCheck(dialog, IDC_CORNER_TOP_RIGHT, false);
        SetCheck(dialog, IDC_CORNER_BOTTOM_RIGHT, true);
        SendMessageA(Control(dialog, IDC_BLOCKING_KEY), CB_SETCURSEL, 2, 0);
        SetText(dialog, IDC_CORNER_WIDTH, "120");
        SetText(dialog, IDC_CORNER_HEIGHT, "45");
        SetCheck(dialog, IDC_USE_KEY_TO_PASS, true);
        SetCheck(dialog, IDC_BORDER_BOTTOM, false);
        SetCheck(dialog, IDC_RUN_AT_STARTUP, true);
        Monitors.count = 0; // switching the mode on reads the layout as it is now
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(Monitors.count, 1u);
    struct {
        const char* key;
        uint32_t field;
        const char* file;
    } expected[] = {
        {"DoNotTranferIfLMBPressed", Settings.DoNotTranferIfLMBPressed, "1"},
        {"BlockingKey", Settings.BlockingKey, "2"},
        {"IgnorableTRCornerWidth", Settings.IgnorableTRCornerWidth, "120"},
        {"IgnorableTRCornerHeight", Settings.IgnorableTRCornerHeight, "45"},
        {"UseKeyToPass", Settings.UseKeyToPass, "1"},
        {"DisabledBordersFlags", Settings.DisabledBordersFlags, "2"},
        {"EnableDisableEffectHotKey", Settings.EnableDisableEffectHotKey, "1912"},
        {"WrapAcrossMonitors", Settings.WrapAcrossMonitors, "1"},
        {"IgnorableCorners", Settings.IgnorableCorners, "13"}, // top left, bottom right and left
        {"PauseInFullScreen", Settings.PauseInFullScreen, "1"},
        {"WrapDelay", Settings.WrapDelay, "9000"},
        {"KeepTaskbarReachable", Settings.KeepTaskbarReachable, "1"},
        {"OnlyWithSeveralMonitors", Settings.OnlyWithSeveralMonitors, "1"},
        {"WrapDistance", Settings.WrapDistance, "25000"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(std::to_string(e.field), e.file) << e.key;
        EXPECT_EQ(IniValue(e.key), e.file) << e.key;
    }
    // The borders are written first, then the other options, in the file's own order.
    EXPECT_EQ(ReadTextFile(ini).find("[Options]\r\nDisabledBordersFlags=2\r\nLanguageFile="), 0u);
    EXPECT_EQ(RunValue(), ModulePath());
    EXPECT_STREQ(Settings.ExcludedPrograms, " vlc.exe;game.exe "); // as typed

    // The boxes now show the values; back to the defaults, OK deletes the value and the keys.
    Options({[&](HWND dialog) {
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_RUN_AT_STARTUP), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_WRAP_ACROSS_MONITORS), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_PAUSE_IN_FULL_SCREEN), BM_GETCHECK, 0, 0), 1);
        EXPECT_EQ(SendMessageA(Control(dialog, IDC_ONLY_WITH_SEVERAL_MONITORS), BM_GETCHECK, 0, 0),
                  1);
        SetCheck(dialog, IDC_RUN_AT_STARTUP, false);
        SetCheck(dialog, IDC_WRAP_ACROSS_MONITORS, false);
        SetCheck(dialog, IDC_PAUSE_IN_FULL_SCREEN, false);
        SetCheck(dialog, IDC_KEEP_TASKBAR_REACHABLE, false);
        SetCheck(dialog, IDC_ONLY_WITH_SEVERAL_MONITORS, false);
        SetText(dialog, IDC_EXCLUDED_PROGRAMS, "");
        SetText(dialog, IDC_WRAP_DELAY, "abc"); // not a number: 0, no delay
        SetText(dialog, IDC_WRAP_DISTANCE, "-1");
        SetCheck(dialog, IDC_CORNER_TOP_LEFT, false);
        SetCheck(dialog, IDC_CORNER_TOP_RIGHT, true);
        SetCheck(dialog, IDC_CORNER_BOTTOM_LEFT, false);
        SetCheck(dialog, IDC_CORNER_BOTTOM_RIGHT, false);
        Click(dialog, IDOK);
    }});
    EXPECT_EQ(RunValue(), "<none>");
    EXPECT_EQ(Settings.IgnorableCorners, kCornerTopRight);
    EXPECT_EQ(IniValue("WrapAcrossMonitors"), "<missing>");
    EXPECT_EQ(IniValue("IgnorableCorners"), "<missing>");
    EXPECT_EQ(IniValue("PauseInFullScreen"), "<missing>");
    EXPECT_EQ(IniValue("WrapDelay"), "<missing>");
    // Every opt-in key follows UseKeyToPass: with all off the file ends there, as it always did.
    std::string text = ReadTextFile(ini);
    EXPECT_EQ(text.substr(text.rfind("\nUseKeyToPass=")), "\nUseKeyToPass=1\r\n");
}

TEST_F(Dialogs, CornerSizeTextThatIsNotANumberBecomesSixtyThree) {
    struct {
        const char* text;
        uint32_t stored;
    } cases[] = {
        {"abc", 63},
        {"-5", 63},
        {"", 63},
        {"12a", 63},
        {"0", 0},
        {"250", 250},
        // Ten characters are read, as from the settings file.
        {"12345678901", 1234567890u},
    };
    for (const auto& c : cases) {
        Options({[&](HWND dialog) {
            SetText(dialog, IDC_CORNER_WIDTH, c.text);
            SetText(dialog, IDC_CORNER_HEIGHT, "0");
            Click(dialog, IDOK);
        }});
        EXPECT_EQ(Settings.IgnorableTRCornerWidth, c.stored) << c.text;
        EXPECT_EQ(IniValue("IgnorableTRCornerWidth"), std::to_string(c.stored)) << c.text;
        EXPECT_EQ(Settings.IgnorableTRCornerHeight, 0u) << c.text;
    }
}

TEST_F(Dialogs, CancelAndCloseKeepTheOldHotKeyAndLeaveTheFileUntouched) {
    const std::string before = "[Options]\r\nShowOptionsHotKey=1913\r\n";
    WriteTextFile(ini, before);
    struct {
        const char* how;
        std::function<void(HWND)> end;
    } cases[] = {
        {"Cancel button", [](HWND dialog) { Click(dialog, IDCANCEL); }},
        {"Escape", [](HWND dialog) { PostKey(Control(dialog, IDC_LANGUAGE), VK_ESCAPE); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        Options({[&](HWND dialog) {
            SendMessageA(Control(dialog, IDC_OPTIONS_HOTKEY), HKM_SETHOTKEY, kNewOptionsKey, 0);
            SetCheck(dialog, IDC_BORDER_LEFT, true);
            c.end(dialog);
        }});
        EXPECT_EQ(Settings.ShowOptionsHotKey, kOptionsKey) << c.how;
        EXPECT_EQ(Settings.DisabledBordersFlags, 0u) << c.how;
        EXPECT_FALSE(CombinationFree(kOptionsKey)) << c.how;
        EXPECT_TRUE(CombinationFree(kNewOptionsKey)) << c.how;
        EXPECT_EQ(ReadTextFile(ini), before) << c.how;
    }
}

// Cancel writes nothing to the registry; a value naming another file is gone already, because
// setting up the General page removed it.
TEST_F(Dialogs, CancelLeavesOurRunValueButNotAForeignOne) {
    const std::string quoted = "\"" + ModulePath() + "\"";
    struct {
        const char* stored; // NULL: our own value, written by the program
        std::string after;
    } cases[] = {{NULL, ModulePath()}, {quoted.c_str(), "<none>"}};
    for (const auto& c : cases) {
        if (c.stored) {
            HKEY key;
            ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, NULL, 0, KEY_SET_VALUE, NULL,
                                      &key, NULL),
                      ERROR_SUCCESS);
            RegSetValueExA(key, "Quindlet", 0, REG_SZ, (const BYTE*)c.stored,
                           (DWORD)strlen(c.stored) + 1);
            RegCloseKey(key);
        } else {
            ApplyStartupRegistration(true);
        }
        Options({[&](HWND dialog) {
            SetCheck(dialog, IDC_RUN_AT_STARTUP, false);
            Click(dialog, IDCANCEL);
        }});
        EXPECT_EQ(RunValue(), c.after) << (c.stored ? c.stored : "own value");
    }
}

TEST_F(Dialogs, OkReregistersAllThreeHotKeys) {
    struct {
        const char* what;
        std::function<void(HWND)> change;
        uint32_t optionsKey; // what the Show Options control holds after the change
    } cases[] = {
        {"nothing changed", [](HWND) {}, kOptionsKey},
        {"set in the control",
         [](HWND dialog) {
             SendMessageA(Control(dialog, IDC_OPTIONS_HOTKEY), HKM_SETHOTKEY, kNewOptionsKey, 0);
         },
         kNewOptionsKey},
    };
    for (const auto& c : cases) {
        const uint32_t before = Settings.ShowOptionsHotKey;
        // Another program let go of a key we could not take at start: OK takes it now.
        UnregisterHotKeys();
        Options({[&](HWND dialog) {
            c.change(dialog);
            Click(dialog, IDOK);
        }});
        EXPECT_EQ(Settings.ShowOptionsHotKey, c.optionsKey) << c.what;
        EXPECT_EQ(IniValue("ShowOptionsHotKey"), std::to_string(c.optionsKey)) << c.what;
        EXPECT_TRUE(HotKeysRegistered) << c.what;
        for (int i = 0; i < 3; ++i)
            EXPECT_NE(HotKeyIds[i], 0) << c.what << " " << i;
        for (uint32_t held : {kToggleKey, c.optionsKey, kExitKey})
            EXPECT_FALSE(CombinationFree(held)) << c.what << " " << held;
        if (before != c.optionsKey) {
            EXPECT_TRUE(CombinationFree(before)) << c.what;
        }
    }
}

TEST_F(Dialogs, KeysTypedWithoutAModifierOrWithShiftAloneTakeAltInstead) {
    struct {
        std::vector<UINT> keys; // pressed in order, released in reverse
        LRESULT shown;
    } cases[] = {
        {{'Q'}, (HOTKEYF_ALT << 8) | 'Q'},
        // Windows documents Alt as joining the invalid Shift; Wine's control replaces it. Either
        // way Alt must be there, which is what the rules set up (checked below, Shift masked).
        {{VK_SHIFT, 'Q'}, (HOTKEYF_ALT << 8) | 'Q'},
        {{VK_CONTROL, 'Q'}, (HOTKEYF_CONTROL << 8) | 'Q'},
        {{VK_CONTROL, VK_SHIFT, 'Q'}, ((HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8) | 'Q'},
    };
    for (const auto& c : cases) {
        // Sent straight to the control and read back at once: under Xvfb, Wine feeds a
        // stray key-down (VK_VOLUME_MUTE) to the focused control soon after it gains focus.
        Options({[&](HWND dialog) {
            HWND control = Control(dialog, IDC_EXIT_HOTKEY);
            for (UINT key : c.keys)
                SendMessageA(control, WM_KEYDOWN, key, KeyData(key));
            for (size_t i = c.keys.size(); i-- > 0;)
                SendMessageA(control, WM_KEYUP, c.keys[i], KeyData(c.keys[i]) | 0xC0000000);
            LRESULT shown = SendMessageA(control, HKM_GETHOTKEY, 0, 0);
            if (c.keys.size() == 2 && c.keys[0] == VK_SHIFT) shown &= ~(HOTKEYF_SHIFT << 8);
            EXPECT_EQ(shown, c.shown) << c.keys.size();
            Click(dialog, IDCANCEL);
        }});
    }
}

TEST_F(Dialogs, ChosenLanguageIsStoredByFileNameAndRetranslatesTheTrayMenu) {
    CreateDirectoryA((dir + "Lngs").c_str(), NULL);
    WriteTextFile(dir + "Lngs\\Test.lng",
                  "[Info]\r\nLanguage=Testish\r\n[Data]\r\n1=&Aan\r\n30=Opties\r\n");
    struct {
        int item;
        const char* stored;
        const char* enabledText;
        const char* nextTitle; // the dialog's title when it opens next
    } cases[] = {
        {1, "Test.lng", "&Aan", "Opties"},
        {0, "Default", "&Enabled", "Options"},
    };
    const char* title = "Options";
    for (const auto& c : cases) {
        Drive(title, ShowOptionsDialog, {[&](HWND dialog) {
                  HWND list = Control(dialog, IDC_LANGUAGE);
                  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
                  char name[64];
                  SendMessageA(list, CB_GETLBTEXT, 1, (LPARAM)name);
                  EXPECT_STREQ(name, "Testish");
                  SendMessageA(list, CB_SETCURSEL, c.item, 0);
                  Click(dialog, IDOK);
              }});
        EXPECT_STREQ(Settings.LanguageFile, c.stored);
        EXPECT_EQ(IniValue("LanguageFile"), c.stored);
        char text[64] = "";
        GetMenuStringA(TrayMenu, CMD_ENABLED, text, sizeof(text), MF_BYCOMMAND);
        EXPECT_STREQ(text, c.enabledText);
        title = c.nextTitle;
    }
    EXPECT_EQ(CountOurWindows("Options"), 0);
}

TEST_F(Dialogs, FocusStartsOnTheLanguageListAndStaysOnTheTabsWhenSwitchingByKeyboard) {
    // Where the focus is before the tab changes, how the tab changes, and where it must end.
    enum Start { kOnTabs, kOnOk, kInPage };
    struct {
        const char* what;
        Start start;
        bool byKeyboard; // arrow key on the tabs, else TCM_SETCURSEL and the notification
        int tab;
        int focus; // control id that has the focus afterwards
    } cases[] = {
        {"right arrow on the tabs", kOnTabs, true, 1, IDC_TABS},
        {"notification with focus on the tabs", kOnTabs, false, 2, IDC_TABS},
        {"notification with focus on OK", kOnOk, false, 1, IDOK},
        {"notification with focus in the page", kInPage, false, 2, IDC_BORDER_TOP},
        {"back to General from inside the page", kInPage, false, 0, IDC_LANGUAGE},
    };
    for (const auto& c : cases) {
        Options(
            {[&](HWND dialog) {
                 HWND general = PageHolding(dialog, IDC_LANGUAGE);
                 EXPECT_EQ(GetFocus(), GetDlgItem(general, IDC_LANGUAGE)) << c.what;
                 EXPECT_TRUE(IsWindowVisible(general));
                 HWND tabs = GetDlgItem(dialog, IDC_TABS);
                 if (c.start == kInPage) {
                     // Start from the Blocking page, focus on its first control.
                     TabCtrl_SetCurSel(tabs, 1);
                     NMHDR header = {tabs, IDC_TABS, (UINT)TCN_SELCHANGE};
                     SendMessageA(dialog, WM_NOTIFY, IDC_TABS, (LPARAM)&header);
                     EXPECT_EQ(GetFocus(), Control(dialog, IDC_BUTTON_GATE)) << c.what;
                 } else {
                     SetFocus(GetDlgItem(dialog, c.start == kOnTabs ? IDC_TABS : IDOK));
                 }
                 if (c.byKeyboard) {
                     PostKey(tabs, VK_RIGHT);
                 } else {
                     TabCtrl_SetCurSel(tabs, c.tab);
                     NMHDR header = {tabs, IDC_TABS, (UINT)TCN_SELCHANGE};
                     SendMessageA(dialog, WM_NOTIFY, IDC_TABS, (LPARAM)&header);
                 }
             },
             [&](HWND dialog) {
                 const int firstOf[3] = {IDC_LANGUAGE, IDC_BUTTON_GATE, IDC_BORDER_TOP};
                 EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_TABS)), c.tab) << c.what;
                 for (int t = 0; t < 3; ++t)
                     EXPECT_EQ(IsWindowVisible(PageHolding(dialog, firstOf[t])) != 0, t == c.tab)
                         << c.what << " page " << t;
                 EXPECT_EQ(GetFocus(), Control(dialog, c.focus)) << c.what;
                 Click(dialog, IDCANCEL);
             }});
    }
}

TEST_F(Dialogs, PagesLieOverTheTabsDisplayArea) {
    Options({[&](HWND dialog) {
        HWND tabs = GetDlgItem(dialog, IDC_TABS);
        RECT area;
        GetClientRect(tabs, &area);
        TabCtrl_AdjustRect(tabs, FALSE, &area);
        MapWindowPoints(tabs, NULL, (POINT*)&area, 2);
        for (int id : {IDC_LANGUAGE, IDC_BUTTON_GATE, IDC_BORDER_TOP}) {
            HWND page = PageHolding(dialog, id);
            ASSERT_TRUE(page) << id;
            EXPECT_EQ(GetParent(page), dialog) << id;
            RECT at;
            GetWindowRect(page, &at);
            EXPECT_TRUE(EqualRect(&at, &area)) << id;
        }
        Click(dialog, IDCANCEL);
    }});
}

// Opened the way the user opens them: the tray menu's command, then the hotkey or the command
// again.
TEST_F(Dialogs, SecondRequestBringsTheOpenDialogForwardAndOpensNoCopy) {
    struct {
        const char* title;
        void (*open)();
        void (*again)();
        bool* flag;
        HWND* handle;
    } cases[] = {
        {"Options", [] { SendMessageA(MainWindow, WM_COMMAND, CMD_OPTIONS, 0); },
         [] { SendMessageA(MainWindow, WM_HOTKEY, HotKeyIds[1], 0); }, &OptionsOpen,
         &OptionsDialog},
        {"About Quindlet", [] { SendMessageA(MainWindow, WM_COMMAND, CMD_ABOUT, 0); },
         [] { SendMessageA(MainWindow, WM_COMMAND, CMD_ABOUT, 0); }, &AboutOpen, &AboutBox},
    };
    for (const auto& c : cases) {
        Drive(c.title, c.open, {[&](HWND dialog) {
                  EXPECT_EQ(*c.handle, dialog) << c.title;
                  EXPECT_TRUE(*c.flag) << c.title;
                  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0,
                                               50, 50, NULL, NULL, Instance, NULL);
                  SetForegroundWindow(other);
                  EXPECT_EQ(GetForegroundWindow(), other) << c.title;
                  c.again(); // returns at once
                  EXPECT_TRUE(EffectEnabled()) << c.title;
                  EXPECT_EQ(CountOurWindows(c.title), 1) << c.title;
                  EXPECT_EQ(GetForegroundWindow(), dialog) << c.title;
                  DestroyWindow(other);
                  Click(dialog, IDOK);
              }});
        EXPECT_FALSE(*c.flag) << c.title;
        EXPECT_EQ(CountOurWindows(c.title), 0) << c.title;
    }
}

TEST_F(Dialogs, AboutBoxIgnoresEscapeAndClosesWithOkEnterOrTheCloseBox) {
    struct {
        const char* how;
        std::function<void(HWND)> act;
        bool closes;
    } cases[] = {
        {"Escape", [](HWND dialog) { PostKey(GetDlgItem(dialog, IDOK), VK_ESCAPE); }, false},
        {"IDCANCEL with no control",
         [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }, false},
        {"OK from the menu, not a control",
         [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }, false},
        {"Enter", [](HWND dialog) { PostKey(GetDlgItem(dialog, IDOK), VK_RETURN); }, true},
        {"OK button", [](HWND dialog) { Click(dialog, IDOK); }, true},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }, true},
    };
    for (const auto& c : cases) {
        size_t ran =
            Drive("About Quindlet", ShowAboutBox,
                  {[&](HWND dialog) {
                       // The first control shows the program's icon.
                       EXPECT_TRUE(SendMessageA(GetWindow(dialog, GW_CHILD), STM_GETICON, 0, 0));
                       EXPECT_EQ(ControlText(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION)),
                                 "Allows your cursor to move continuously on reaching borders of "
                                 "the screen.");
                       c.act(dialog);
                   },
                   // Reached only while the box is still up.
                   [](HWND dialog) { Click(dialog, IDOK); }},
                  false);
        EXPECT_EQ(ran == 1, c.closes) << c.how;
        EXPECT_FALSE(AboutOpen) << c.how;
        EXPECT_EQ(CountOurWindows("About Quindlet"), 0) << c.how;
    }
}

TEST_F(Dialogs, DialogThatCannotBeCreatedLeavesItsOpenFlagClear) {
    // A module without the program's templates: DialogBoxParamA fails and returns -1.
    Instance = GetModuleHandleA("kernel32.dll");
    ShowOptionsDialog();
    EXPECT_FALSE(OptionsOpen);
    ShowAboutBox();
    EXPECT_FALSE(AboutOpen);
    Instance = GetModuleHandleA(NULL);
    // Neither flag is stuck: both open again.
    Options({[](HWND dialog) { Click(dialog, IDCANCEL); }});
    Drive("About Quindlet", ShowAboutBox, {[](HWND dialog) { Click(dialog, IDOK); }});
    EXPECT_FALSE(AboutOpen);
}

// ---- the compiled templates ------------------------------------------------------------

// One item of a DIALOG template (DLGTEMPLATE / DLGITEMTEMPLATE) as the resource compiler left
// it in the exe. A class given by ordinal is named as the dialog manager names it.
struct TemplateItem {
    int id;
    std::string cls;
    DWORD style;
    short x, y, cx, cy;
    std::string text;
};

struct Template {
    DWORD style;
    short cx, cy;
    std::string caption, font;
    WORD pointSize;
    std::vector<TemplateItem> items;
};

const WORD* ReadSzOrOrd(const WORD* p, std::string* out) {
    static const char* const kOrdinals[] = {"Button",  "Edit",      "Static",
                                            "ListBox", "ScrollBar", "ComboBox"};
    if (*p == 0xFFFF) {
        WORD ord = p[1];
        *out = ord >= 0x80 && ord <= 0x85 ? kOrdinals[ord - 0x80] : "#" + std::to_string(ord);
        return p + 2;
    }
    out->clear();
    for (; *p; ++p)
        *out += (char)*p; // the templates are ASCII
    return p + 1;
}

Template LoadTemplate(int id) {
    Template t = {};
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    if (!found) return t;
    const BYTE* base = (const BYTE*)LockResource(LoadResource(module, found));
    const DLGTEMPLATE* head = (const DLGTEMPLATE*)base;
    t.style = head->style;
    t.cx = head->cx;
    t.cy = head->cy;
    std::string menu, cls;
    const WORD* p = ReadSzOrOrd((const WORD*)(head + 1), &menu);
    p = ReadSzOrOrd(p, &cls);
    p = ReadSzOrOrd(p, &t.caption);
    if (t.style & DS_SETFONT) {
        t.pointSize = *p++;
        p = ReadSzOrOrd(p, &t.font);
    }
    for (WORD i = 0; i < head->cdit; ++i) {
        // Each item starts on a DWORD boundary.
        const BYTE* at = (const BYTE*)p;
        at += (4 - ((at - base) & 3)) & 3;
        const DLGITEMTEMPLATE* item = (const DLGITEMTEMPLATE*)at;
        TemplateItem ti = {(short)item->id, "",       item->style, item->x,
                           item->y,         item->cx, item->cy,    ""};
        p = ReadSzOrOrd((const WORD*)(item + 1), &ti.cls);
        p = ReadSzOrOrd(p, &ti.text);
        p = (const WORD*)((const BYTE*)(p + 1) + *p); // creation data
        t.items.push_back(ti);
    }
    return t;
}

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
const DWORD kGroup = kChild | BS_GROUPBOX;
const DWORD kCheck = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;
const DWORD kList = kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD kHotKeyBox = kChild | WS_BORDER | WS_TABSTOP;
const DWORD kTopDialog =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
const DWORD kPage = WS_CHILD | DS_CONTROL | DS_SETFONT;

// The dialogs, then every control of each in template order (which is tab order). The stored
// BlockingKey and the language list's positions are list indexes: neither list may sort.
const struct {
    int dialog;
    DWORD style;
    short cx, cy;
} kDialogTemplates[] = {
    {IDD_OPTIONS, kTopDialog, 202, 285},  {IDD_PAGE_GENERAL, kPage | WS_VISIBLE, 186, 158},
    {IDD_PAGE_BLOCKING, kPage, 186, 238}, {IDD_PAGE_BORDERS, kPage, 186, 192},
    {IDD_ABOUT, kTopDialog, 236, 111},
};

const struct {
    int dialog, id;
    const char* cls;
    DWORD style;
    short x, y, cx, cy;
} kTemplateControls[] = {
    {IDD_OPTIONS, IDOK, "Button", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 90, 266, 50, 14},
    {IDD_OPTIONS, IDCANCEL, "Button", kChild | BS_PUSHBUTTON | WS_TABSTOP, 147, 266, 50, 14},
    {IDD_OPTIONS, IDC_TABS, "SysTabControl32", kChild | WS_TABSTOP, 5, 5, 192, 254},

    {IDD_PAGE_GENERAL, IDC_LANGUAGE_GROUP, "Button", kGroup, 5, 6, 176, 30},
    {IDD_PAGE_GENERAL, IDC_LANGUAGE_LABEL, "Static", kLabel, 12, 19, 61, 8},
    {IDD_PAGE_GENERAL, IDC_LANGUAGE, "ComboBox", kList, 82, 17, 92, 80},
    {IDD_PAGE_GENERAL, IDC_HOTKEYS_GROUP, "Button", kGroup, 5, 43, 176, 62},
    {IDD_PAGE_GENERAL, IDC_TOGGLE_HOTKEY_LABEL, "Static", kLabel, 12, 56, 88, 8},
    {IDD_PAGE_GENERAL, IDC_TOGGLE_HOTKEY, "msctls_hotkey32", kHotKeyBox, 107, 54, 66, 12},
    {IDD_PAGE_GENERAL, IDC_OPTIONS_HOTKEY_LABEL, "Static", kLabel, 12, 72, 88, 8},
    {IDD_PAGE_GENERAL, IDC_OPTIONS_HOTKEY, "msctls_hotkey32", kHotKeyBox, 107, 70, 66, 12},
    {IDD_PAGE_GENERAL, IDC_EXIT_HOTKEY_LABEL, "Static", kLabel, 12, 88, 88, 8},
    {IDD_PAGE_GENERAL, IDC_EXIT_HOTKEY, "msctls_hotkey32", kHotKeyBox, 107, 86, 66, 12},
    {IDD_PAGE_GENERAL, IDC_STARTUP_GROUP, "Button", kGroup, 5, 112, 176, 30},
    {IDD_PAGE_GENERAL, IDC_RUN_AT_STARTUP, "Button", kCheck, 12, 125, 161, 10},

    {IDD_PAGE_BLOCKING, IDC_BLOCKING_GROUP, "Button", kGroup, 5, 6, 176, 65},
    {IDD_PAGE_BLOCKING, IDC_BUTTON_GATE, "Button", kCheck, 12, 19, 162, 8},
    {IDD_PAGE_BLOCKING, IDC_BUTTON_GATE_NOTE, "Static", kLabel, 12, 30, 162, 16},
    {IDD_PAGE_BLOCKING, IDC_BLOCKING_KEY_LABEL, "Static", kLabel, 12, 54, 104, 8},
    {IDD_PAGE_BLOCKING, IDC_BLOCKING_KEY, "ComboBox", kList, 126, 52, 48, 80},
    {IDD_PAGE_BLOCKING, IDC_CORNER_GROUP, "Button", kGroup, 5, 78, 176, 38},
    {IDD_PAGE_BLOCKING, IDC_CORNER_WIDTH_LABEL, "Static", kLabel, 12, 91, 30, 8},
    {IDD_PAGE_BLOCKING, IDC_CORNER_WIDTH, "Edit", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     48, 89, 34, 12},
    {IDD_PAGE_BLOCKING, IDC_CORNER_HEIGHT_LABEL, "Static", kLabel, 104, 91, 30, 8},
    {IDD_PAGE_BLOCKING, IDC_CORNER_HEIGHT, "Edit", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     140, 89, 34, 12},
    {IDD_PAGE_BLOCKING, IDC_CORNER_NOTE, "Static", kLabel, 12, 102, 162, 8},
    {IDD_PAGE_BLOCKING, IDC_GATING_GROUP, "Button", kGroup, 5, 123, 176, 46},
    {IDD_PAGE_BLOCKING, IDC_USE_KEY_TO_PASS, "Button", kCheck, 12, 136, 162, 8},
    {IDD_PAGE_BLOCKING, IDC_GATING_NOTE, "Static", kLabel, 12, 147, 162, 16},
    {IDD_PAGE_BLOCKING, IDC_PAUSE_IN_FULL_SCREEN, "Button", kCheck | BS_MULTILINE | BS_TOP, 12, 174,
     162, 18},
    {IDD_PAGE_BLOCKING, IDC_EXCLUDED_PROGRAMS_LABEL, "Static", kLabel, 12, 198, 162, 16},
    {IDD_PAGE_BLOCKING, IDC_EXCLUDED_PROGRAMS, "Edit",
     kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 12, 216, 162, 12},

    {IDD_PAGE_BORDERS, IDC_BORDERS_LABEL, "Static", kLabel, 5, 6, 176, 8},
    {IDD_PAGE_BORDERS, IDC_BORDER_TOP, "Button", kCheck, 61, 23, 56, 10},
    {IDD_PAGE_BORDERS, IDC_BORDER_LEFT, "Button", kCheck, 12, 34, 56, 10},
    {IDD_PAGE_BORDERS, IDC_BORDER_RIGHT, "Button", kCheck, 104, 34, 56, 10},
    {IDD_PAGE_BORDERS, IDC_BORDER_BOTTOM, "Button", kCheck, 61, 47, 56, 10},
    {IDD_PAGE_BORDERS, IDC_WRAP_ACROSS_MONITORS, "Button", kCheck, 12, 66, 162, 10},
    {IDD_PAGE_BORDERS, IDC_ONLY_WITH_SEVERAL_MONITORS, "Button", kCheck, 12, 80, 162, 10},
    {IDD_PAGE_BORDERS, IDC_CORNERS_GROUP, "Button", kGroup, 5, 96, 176, 42},
    {IDD_PAGE_BORDERS, IDC_CORNER_TOP_LEFT, "Button", kCheck, 12, 109, 78, 10},
    {IDD_PAGE_BORDERS, IDC_CORNER_TOP_RIGHT, "Button", kCheck, 96, 109, 78, 10},
    {IDD_PAGE_BORDERS, IDC_CORNER_BOTTOM_LEFT, "Button", kCheck, 12, 123, 78, 10},
    {IDD_PAGE_BORDERS, IDC_CORNER_BOTTOM_RIGHT, "Button", kCheck, 96, 123, 78, 10},
    {IDD_PAGE_BORDERS, IDC_WRAP_DELAY_LABEL, "Static", kLabel, 12, 147, 124, 8},
    {IDD_PAGE_BORDERS, IDC_WRAP_DELAY, "Edit", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     140, 145, 34, 12},
    {IDD_PAGE_BORDERS, IDC_WRAP_DISTANCE_LABEL, "Static", kLabel, 12, 163, 124, 8},
    {IDD_PAGE_BORDERS, IDC_WRAP_DISTANCE, "Edit", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     140, 161, 34, 12},
    {IDD_PAGE_BORDERS, IDC_KEEP_TASKBAR_REACHABLE, "Button", kCheck, 12, 179, 162, 10},

    {IDD_ABOUT, IDC_STATIC, "Static", kChild | SS_ICON, 7, 7, 20, 20},
    {IDD_ABOUT, IDC_STATIC, "Static", kLabel, 94, 12, 47, 8},
    {IDD_ABOUT, IDC_ABOUT_DESCRIPTION, "Static", kLabel, 18, 34, 199, 16},
    {IDD_ABOUT, IDC_STATIC, "Static", kLabel, 18, 54, 199, 8},
    {IDD_ABOUT, IDC_STATIC, "Static", kChild | SS_CENTER | WS_GROUP, 18, 70, 199, 8},
    {IDD_ABOUT, IDOK, "Button", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 92, 90, 50, 14},
};

TEST(DialogTemplates, ControlsStylesOrderAndPlacesAreAsDesigned) {
    for (const auto& d : kDialogTemplates) {
        Template t = LoadTemplate(d.dialog);
        EXPECT_EQ(t.style, d.style) << d.dialog;
        EXPECT_EQ(t.cx, d.cx) << d.dialog;
        EXPECT_EQ(t.cy, d.cy) << d.dialog;
        // Dialog units, and so every position below, are measured in this font.
        EXPECT_EQ(t.font, "MS Sans Serif") << d.dialog;
        EXPECT_EQ(t.pointSize, 8) << d.dialog;
        size_t n = 0;
        for (const auto& c : kTemplateControls) {
            if (c.dialog != d.dialog) continue;
            ASSERT_LT(n, t.items.size()) << d.dialog << " has too few controls";
            const TemplateItem& got = t.items[n++];
            EXPECT_EQ(got.id, c.id) << d.dialog << " control " << n;
            // windres stores class names in capitals; the dialog manager ignores case.
            EXPECT_EQ(lstrcmpiA(got.cls.c_str(), c.cls), 0) << got.cls << " for " << c.cls;
            EXPECT_EQ(got.style, c.style) << d.dialog << " control " << c.id << std::hex
                                          << " differs by 0x" << (got.style ^ c.style);
            EXPECT_EQ(std::vector<short>({got.x, got.y, got.cx, got.cy}),
                      std::vector<short>({c.x, c.y, c.cx, c.cy}))
                << d.dialog << " control " << c.id;
        }
        EXPECT_EQ(t.items.size(), n) << d.dialog << " has controls the table does not list";
    }
}

// With a language file giving every number the text "T<number>", each control and title
// shows "T<n>" exactly where its template holds text n in English: the template, not the
// program's own table, says where each text belongs. Only the About box's version, copyright
// and address lines (IDC_STATIC) keep their template text.
void ExpectEveryTextTranslated(HWND window, int templateId) {
    Template t = LoadTemplate(templateId);
    ASSERT_FALSE(t.items.empty()) << templateId;
    std::vector<std::string> statics;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetDlgCtrlID(child) & 0xFFFF) == 0xFFFF) statics.push_back(ControlText(child));
    std::vector<std::pair<HWND, std::string>> translated;
    if (!t.caption.empty()) translated.push_back({window, t.caption});
    for (const TemplateItem& item : t.items) {
        if (item.id != IDC_STATIC) {
            if (!item.text.empty()) translated.push_back({GetDlgItem(window, item.id), item.text});
        } else if (item.text[0] != '#') { // "#102": an icon by number
            EXPECT_NE(std::find(statics.begin(), statics.end(), item.text), statics.end())
                << templateId << ": " << item.text;
        }
    }
    for (const auto& [control, english] : translated) {
        std::string shown = ControlText(control);
        const char* text = shown.size() > 1 && shown[0] == 'T' ? BuiltInText(atoi(&shown[1])) : 0;
        EXPECT_EQ(text ? text : "(not from the file: " + shown + ")", english) << templateId;
    }
}

TEST_F(Dialogs, EveryTextOfTheDialogsComesFromTheChosenLanguage) {
    CreateDirectoryA((dir + "Lngs").c_str(), NULL);
    std::string numbered = "[Data]\r\n";
    for (size_t i = 0; i < UiTextCount; ++i)
        numbered +=
            std::to_string(UiTexts[i].number) + "=T" + std::to_string(UiTexts[i].number) + "\r\n";
    WriteTextFile(dir + "Lngs\\Numbered.lng", numbered);
    lstrcpynA(Settings.LanguageFile, "Numbered.lng", sizeof(Settings.LanguageFile));
    Drive("T30", ShowOptionsDialog, {[](HWND dialog) {
              ExpectEveryTextTranslated(dialog, IDD_OPTIONS);
              ExpectEveryTextTranslated(PageHolding(dialog, IDC_LANGUAGE), IDD_PAGE_GENERAL);
              ExpectEveryTextTranslated(PageHolding(dialog, IDC_BUTTON_GATE), IDD_PAGE_BLOCKING);
              ExpectEveryTextTranslated(PageHolding(dialog, IDC_BORDER_TOP), IDD_PAGE_BORDERS);
              Click(dialog, IDCANCEL);
          }});
    Drive("T20", ShowAboutBox, {[](HWND dialog) {
              ExpectEveryTextTranslated(dialog, IDD_ABOUT);
              Click(dialog, IDOK);
          }});
}

} // namespace
