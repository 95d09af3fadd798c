// The settings file through the real profile functions, on real files.
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class SettingsFile : public testing::Test {
  protected:
    void SetUp() override {
        dir = UseScratchProgramDir();
        ini = SettingsPath;
    }
    void WriteIni(const std::string& body) {
        WriteTextFile(ini, "[Options]\r\n" + body);
    }
    std::string dir, ini;
};

TEST_F(SettingsFile, MissingFileGivesDefaultsAndEffectOn) {
    memset(&Settings, 0xAB, sizeof(Settings));
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 50u);
    EXPECT_STREQ(Settings.LanguageFile, "Default");
    EXPECT_EQ(Settings.EnableDisableEffectHotKey, 1653u);
    EXPECT_EQ(Settings.BlockingKey, 1u);
    EXPECT_EQ(Settings.IgnorableTRCornerWidth, 63u);
    EXPECT_EQ(Settings.DisabledBordersFlags, 0u);
    EXPECT_EQ(Settings.WrapAcrossMonitors, 0u);
    EXPECT_EQ(Settings.IgnorableCorners, 2u);
    EXPECT_STREQ(Settings.ExcludedPrograms, "");
    EXPECT_EQ(LoadGlobalEnabled(), 1u);
}

TEST_F(SettingsFile, EveryKeyLoadsFromTheFile) {
    WriteIni("TimerInterval=10\r\nLanguageFile=Deutsch.lng\r\nEnableDisableEffectHotKey=1601\r\n"
             "ShowOptionsHotKey=1602\r\nExitProgramHotKey=1603\r\nDoNotTranferIfLMBPressed=0\r\n"
             "BlockingKey=3\r\nIgnorableTRCornerWidth=100\r\nIgnorableTRCornerHeight=0\r\n"
             "UseKeyToPass=0\r\nDisabledBordersFlags=5\r\nGlobalEnabled=0\r\n"
             "WrapAcrossMonitors=1\r\nIgnorableCorners=13\r\n"
             "PauseInFullScreen=1\r\nWrapDelay=200\r\nKeepTaskbarReachable=1\r\n"
             "OnlyWithSeveralMonitors=1\r\nWrapDistance=25000\r\n"
             "ExcludedPrograms=mstsc.exe; Photoshop.exe;" +
             std::string(1000, 'n') + "\r\n"); // too long: the names that fit whole stay
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 10u);
    EXPECT_STREQ(Settings.LanguageFile, "Deutsch.lng");
    EXPECT_EQ(Settings.EnableDisableEffectHotKey, 1601u);
    EXPECT_EQ(Settings.ShowOptionsHotKey, 1602u);
    EXPECT_EQ(Settings.ExitProgramHotKey, 1603u);
    EXPECT_EQ(Settings.DoNotTranferIfLMBPressed, 0u);
    EXPECT_EQ(Settings.BlockingKey, 3u);
    EXPECT_EQ(Settings.IgnorableTRCornerWidth, 100u);
    EXPECT_EQ(Settings.IgnorableTRCornerHeight, 0u);
    EXPECT_EQ(Settings.UseKeyToPass, 0u);
    EXPECT_EQ(Settings.DisabledBordersFlags, 5u);
    EXPECT_EQ(Settings.WrapAcrossMonitors, 1u);
    EXPECT_EQ(Settings.IgnorableCorners, 13u);
    EXPECT_EQ(Settings.PauseInFullScreen, 1u);
    EXPECT_EQ(Settings.WrapDelay, 200u);
    EXPECT_EQ(Settings.KeepTaskbarReachable, 1u);
    EXPECT_STREQ(Settings.ExcludedPrograms, "mstsc.exe; Photoshop.exe");
    EXPECT_EQ(Settings.OnlyWithSeveralMonitors, 1u);
    EXPECT_EQ(Settings.WrapDistance, 25000u); // kept as typed
    EXPECT_EQ(LoadGlobalEnabled(), 0u);
}

TEST_F(SettingsFile, BadValuesFallBackToTheirDefaults) {
    struct {
        const char* line;
        uint32_t (*field)();
        uint32_t expected;
    } cases[] = {
        {"BlockingKey=7", [] { return Settings.BlockingKey; }, 1},
        {"BlockingKey=abc", [] { return Settings.BlockingKey; }, 1},
        {"BlockingKey=0", [] { return Settings.BlockingKey; }, 0},
        {"IgnorableTRCornerWidth=", [] { return Settings.IgnorableTRCornerWidth; }, 63},
        {"IgnorableTRCornerWidth=-5", [] { return Settings.IgnorableTRCornerWidth; }, 63},
        // Only the first ten characters are read: 12345678901 becomes 1234567890.
        {"IgnorableTRCornerWidth=12345678901", [] { return Settings.IgnorableTRCornerWidth; },
         1234567890u},
        {"TimerInterval=00000000012", [] { return Settings.TimerInterval; }, 1},
        {"TimerInterval=0", [] { return Settings.TimerInterval; }, 0},
        {"DisabledBordersFlags=31", [] { return Settings.DisabledBordersFlags; }, 31},
        {"UseKeyToPass=x1", [] { return Settings.UseKeyToPass; }, 1},
        {"WrapAcrossMonitors=on", [] { return Settings.WrapAcrossMonitors; }, 0},
        {"WrapAcrossMonitors=7", [] { return Settings.WrapAcrossMonitors; }, 7},
        {"IgnorableCorners=", [] { return Settings.IgnorableCorners; }, 2},
        {"IgnorableCorners=all", [] { return Settings.IgnorableCorners; }, 2},
        {"IgnorableCorners=0", [] { return Settings.IgnorableCorners; }, 0},
        {"PauseInFullScreen=yes", [] { return Settings.PauseInFullScreen; }, 0},
        {"WrapDelay=1s", [] { return Settings.WrapDelay; }, 0},
        {"KeepTaskbarReachable=yes", [] { return Settings.KeepTaskbarReachable; }, 0},
        {"OnlyWithSeveralMonitors=2", [] { return Settings.OnlyWithSeveralMonitors; }, 2},
        {"WrapDistance=-100", [] { return Settings.WrapDistance; }, 0},
    };
    for (const auto& c : cases) {
        WriteIni(std::string(c.line) + "\r\n");
        LoadSettings();
        EXPECT_EQ(c.field(), c.expected) << c.line;
    }
}

TEST_F(SettingsFile, GlobalEnabledCountsAnyNonZeroAsOnAndJunkAsDefault) {
    struct {
        const char* value;
        uint32_t expected;
    } cases[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"on", 1}, {"", 1}};
    for (const auto& c : cases) {
        WriteIni(std::string("GlobalEnabled=") + c.value + "\r\n");
        EXPECT_EQ(LoadGlobalEnabled(), c.expected) << c.value;
    }
}

TEST_F(SettingsFile, EmptyLanguageFileValueLoadsAsEmpty) {
    WriteIni("LanguageFile=\r\n");
    LoadSettings();
    EXPECT_STREQ(Settings.LanguageFile, "");
}

TEST_F(SettingsFile, ExternalEditIsSeenAfterAnEarlierRead) {
    WriteIni("TimerInterval=20\r\n");
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 20u);
    WriteIni("TimerInterval=30\r\n");
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 30u);
}

TEST_F(SettingsFile, FirstToggleCreatesFileHoldingOnlyGlobalEnabled) {
    SaveGlobalEnabled(false);
    EXPECT_EQ(ReadTextFile(ini), "[Options]\r\nGlobalEnabled=0\r\n");
    SaveGlobalEnabled(true);
    EXPECT_EQ(ReadTextFile(ini), "[Options]\r\nGlobalEnabled=1\r\n");
}

TEST_F(SettingsFile, SavesWriteKeysInTheirOrderAndTrimHotKeysTo16Bits) {
    SetDefaultSettings();
    Settings.DisabledBordersFlags = 6;
    Settings.EnableDisableEffectHotKey = 0x10675; // a hand-edited value with bit 16 set
    lstrcpynA(Settings.LanguageFile, "Deutsch.lng", sizeof(Settings.LanguageFile));
    SaveDisabledBorders();
    SaveOptions();
    const std::string classic = "[Options]\r\n"
                                "DisabledBordersFlags=6\r\n"
                                "LanguageFile=Deutsch.lng\r\n"
                                "EnableDisableEffectHotKey=1653\r\n"
                                "ShowOptionsHotKey=1654\r\n"
                                "ExitProgramHotKey=1655\r\n"
                                "DoNotTranferIfLMBPressed=1\r\n"
                                "BlockingKey=1\r\n"
                                "IgnorableTRCornerWidth=63\r\n"
                                "IgnorableTRCornerHeight=63\r\n"
                                "UseKeyToPass=1\r\n";
    EXPECT_EQ(ReadTextFile(ini), classic);
    // The opt-in keys follow the others while in use, and leave no trace once back at their
    // defaults: a file of someone who tried them and went back is the classic file again.
    Settings.WrapAcrossMonitors = 1;
    Settings.IgnorableCorners = 13;
    SaveOptions();
    EXPECT_EQ(ReadTextFile(ini), classic + "WrapAcrossMonitors=1\r\nIgnorableCorners=13\r\n");
    Settings.IgnorableCorners = 0;
    Settings.PauseInFullScreen = Settings.KeepTaskbarReachable = Settings.WrapDelay = 1;
    Settings.OnlyWithSeveralMonitors = Settings.WrapDistance = 1;
    CopyText(Settings.ExcludedPrograms, kProgramListSize, "a.exe; b.exe");
    SaveOptions();
    EXPECT_EQ(ReadTextFile(ini),
              classic + "WrapAcrossMonitors=1\r\nIgnorableCorners=0\r\n"
                        "PauseInFullScreen=1\r\nWrapDelay=1\r\nKeepTaskbarReachable=1\r\n"
                        "ExcludedPrograms=a.exe; b.exe\r\nOnlyWithSeveralMonitors=1\r\n"
                        "WrapDistance=1\r\n");
    Settings.WrapAcrossMonitors = Settings.PauseInFullScreen = Settings.WrapDelay = 0;
    Settings.KeepTaskbarReachable = Settings.OnlyWithSeveralMonitors = Settings.WrapDistance = 0;
    Settings.ExcludedPrograms[0] = '\0';
    Settings.IgnorableCorners = 2;
    SaveOptions();
    EXPECT_EQ(ReadTextFile(ini), classic);
}

TEST_F(SettingsFile, SaveKeepsTimerIntervalAndForeignKeys) {
    WriteIni("TimerInterval=10\r\nBlockingKey=2\r\n[Other]\r\nKeep=yes\r\n");
    LoadSettings();
    Settings.BlockingKey = 0;
    SaveOptions();
    std::string text = ReadTextFile(ini);
    EXPECT_NE(text.find("TimerInterval=10\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BlockingKey=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Other]\r\nKeep=yes"), std::string::npos) << text;
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 10u);
}

// Running as root, Wine writes a read-only file anyway: the attribute is what shows the clearing.
TEST_F(SettingsFile, EverySaveMakesAReadOnlyFileWritableKeepingItsOtherAttributes) {
    struct {
        const char* what;
        void (*save)();
        const char* written;
    } cases[] = {
        {"GlobalEnabled", [] { SaveGlobalEnabled(false); }, "GlobalEnabled=0"},
        {"DisabledBordersFlags", SaveDisabledBorders, "DisabledBordersFlags=9"},
        {"Options", SaveOptions, "UseKeyToPass=1"},
    };
    for (const auto& c : cases) {
        WriteIni("GlobalEnabled=1\r\n");
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        SetDefaultSettings();
        Settings.DisabledBordersFlags = 9;
        c.save();
        DWORD attributes = GetFileAttributesA(ini.c_str());
        EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << c.what;
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN) << c.what;
        EXPECT_NE(ReadTextFile(ini).find(c.written), std::string::npos) << c.what;
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SettingsFile, FileHeldOpenForWritingCountsAsMissing) {
    WriteIni("GlobalEnabled=0\r\nTimerInterval=10\r\n");
    HANDLE writer = CreateFileA(ini.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(ini.c_str()));
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 50u);
    EXPECT_EQ(LoadGlobalEnabled(), 1u);
    CloseHandle(writer);
    EXPECT_TRUE(FileExists(ini.c_str()));
}

// A program path too long to derive a settings path from leaves SettingsPath empty: the
// program runs on defaults and writes no file anywhere, least of all into the Windows folder.
TEST_F(SettingsFile, NoSettingsPathMeansDefaultsAndNoWrites) {
    SettingsPath[0] = '\0';
    char windowsIni[MAX_PATH];
    GetWindowsDirectoryA(windowsIni, sizeof(windowsIni));
    lstrcatA(windowsIni, "\\win.ini");
    std::string before = ReadTextFile(windowsIni);
    LoadSettings();
    EXPECT_EQ(Settings.TimerInterval, 50u);
    EXPECT_EQ(LoadGlobalEnabled(), 1u);
    SaveGlobalEnabled(false);
    SaveDisabledBorders();
    SaveOptions();
    EXPECT_EQ(ReadTextFile(windowsIni), before);
    EXPECT_EQ(GetFileAttributesA((dir + ".ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(InitPaths, DerivesFromTheRunningExe) {
    InitPaths();
    char module[MAX_PATH];
    GetModuleFileNameA(NULL, module, sizeof(module));
    std::string exe = module;
    EXPECT_EQ(std::string(ProgramDir), exe.substr(0, exe.rfind('\\') + 1));
    EXPECT_EQ(std::string(SettingsPath), exe.substr(0, exe.rfind('.')) + ".ini");
}

} // namespace
