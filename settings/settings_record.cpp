#include "settings.h"

SettingsRecord Settings;
char ProgramDir[kPathSize];
char SettingsPath[kPathSize];

// Ctrl+Alt+F6/F7/F8 in the hotkey control's format: modifier byte 6 (Ctrl|Alt), VK_F6..VK_F8.
const uint32_t kDefaultToggleHotKey = 0x0675;
const uint32_t kDefaultOptionsHotKey = 0x0676;
const uint32_t kDefaultExitHotKey = 0x0677;

void SetDefaultSettings() {
    Settings.TimerInterval = 50;
    CopyText(Settings.LanguageFile, sizeof(Settings.LanguageFile), "Default");
    Settings.EnableDisableEffectHotKey = kDefaultToggleHotKey;
    Settings.ShowOptionsHotKey = kDefaultOptionsHotKey;
    Settings.ExitProgramHotKey = kDefaultExitHotKey;
    Settings.DoNotTranferIfLMBPressed = 1;
    Settings.BlockingKey = kBlockingKeyShift;
    Settings.IgnorableTRCornerWidth = 63;
    Settings.IgnorableTRCornerHeight = 63;
    Settings.UseKeyToPass = 1;
    Settings.DisabledBordersFlags = 0;
    Settings.WrapAcrossMonitors = 0;
    Settings.IgnorableCorners = kDefaultIgnorableCorners;
    Settings.PauseInFullScreen = 0;
    Settings.WrapDelay = 0;
    Settings.KeepTaskbarReachable = 0;
    Settings.ExcludedPrograms[0] = '\0';
    Settings.OnlyWithSeveralMonitors = 0;
    Settings.WrapDistance = 0;
}
