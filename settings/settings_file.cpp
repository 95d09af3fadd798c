// The settings file: SettingsPath, section "Options", read and written only through the
// profile functions.
#include "settings.h"

#include <windows.h>

static const char kSection[] = "Options";

// Room for "4294967295" and its NUL; the 11-byte read buffer is deliberate: at most ten
// characters of a value are ever looked at.
const int kReadBufferSize = 11;
const int kWriteBufferSize = 12;

void InitPaths() {
    char module[kPathSize + 1];
    // One byte more than a path may hold: a result that fills kPathSize bytes was truncated.
    DWORD len = GetModuleFileNameA(NULL, module, sizeof(module));
    if (len == 0 || len >= kPathSize) {
        ProgramDir[0] = '\0';
        SettingsPath[0] = '\0';
        return;
    }
    module[len] = '\0';
    DeriveProgramPaths(module, ProgramDir, sizeof(ProgramDir), SettingsPath, sizeof(SettingsPath));
}

bool FileExists(const char* path) {
    // Sharing for reading only: a file another process holds open for writing counts as absent.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void ClearReadOnly(const char* path) {
    if (!FileExists(path)) return;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

void FlushProfileCache(const char* path) {
    // All-NULL arguments make the system drop its cached copy, so the next read sees the disk.
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
}

uint32_t ReadUIntSetting(const char* section, const char* key, uint32_t defaultValue,
                         const char* path) {
    char buffer[kReadBufferSize];
    GetPrivateProfileStringA(section, key, "", buffer, sizeof(buffer), path);
    return ParseDecimal(buffer, defaultValue);
}

void WriteUIntSetting(const char* section, const char* key, uint32_t value, const char* path) {
    char buffer[kWriteBufferSize];
    wsprintfA(buffer, "%lu", (unsigned long)value); // at most 10 digits + NUL
    WritePrivateProfileStringA(section, key, buffer, path);
}

// With no usable settings path (the program's path was too long to derive one) nothing is
// written: an empty or relative name would make the profile functions write into the Windows
// folder instead.
static bool HaveSettingsPath() {
    return SettingsPath[0] != '\0';
}

// One character more than ExcludedPrograms holds: a value that fills the buffer was longer
// than the setting may be, and keeps only the names that fit whole, never half a name that
// would match some other program.
static void ReadProgramList(const char* path) {
    char read[kProgramListSize + 1];
    GetPrivateProfileStringA(kSection, "ExcludedPrograms", "", read, sizeof(read), path);
    CopyWholeNames(Settings.ExcludedPrograms, sizeof(Settings.ExcludedPrograms), read);
}

void LoadSettings() {
    if (!HaveSettingsPath() || !FileExists(SettingsPath)) {
        SetDefaultSettings();
        return;
    }
    const char* path = SettingsPath;
    FlushProfileCache(path);
    Settings.TimerInterval = ReadUIntSetting(kSection, "TimerInterval", 50, path);
    GetPrivateProfileStringA(kSection, "LanguageFile", "Default", Settings.LanguageFile,
                             sizeof(Settings.LanguageFile), path);
    Settings.EnableDisableEffectHotKey =
        ReadUIntSetting(kSection, "EnableDisableEffectHotKey", 1653, path);
    Settings.ShowOptionsHotKey = ReadUIntSetting(kSection, "ShowOptionsHotKey", 1654, path);
    Settings.ExitProgramHotKey = ReadUIntSetting(kSection, "ExitProgramHotKey", 1655, path);
    Settings.DoNotTranferIfLMBPressed =
        ReadUIntSetting(kSection, "DoNotTranferIfLMBPressed", 1, path);
    Settings.BlockingKey = ReadUIntSetting(kSection, "BlockingKey", 1, path);
    if (Settings.BlockingKey > kBlockingKeyAlt) Settings.BlockingKey = kBlockingKeyShift;
    Settings.IgnorableTRCornerWidth = ReadUIntSetting(kSection, "IgnorableTRCornerWidth", 63, path);
    Settings.IgnorableTRCornerHeight =
        ReadUIntSetting(kSection, "IgnorableTRCornerHeight", 63, path);
    Settings.UseKeyToPass = ReadUIntSetting(kSection, "UseKeyToPass", 1, path);
    Settings.DisabledBordersFlags = ReadUIntSetting(kSection, "DisabledBordersFlags", 0, path);
    Settings.WrapAcrossMonitors = ReadUIntSetting(kSection, "WrapAcrossMonitors", 0, path);
    Settings.IgnorableCorners =
        ReadUIntSetting(kSection, "IgnorableCorners", kDefaultIgnorableCorners, path);
    Settings.PauseInFullScreen = ReadUIntSetting(kSection, "PauseInFullScreen", 0, path);
    Settings.WrapDelay = ReadUIntSetting(kSection, "WrapDelay", 0, path);
    Settings.KeepTaskbarReachable = ReadUIntSetting(kSection, "KeepTaskbarReachable", 0, path);
    ReadProgramList(path);
    Settings.OnlyWithSeveralMonitors =
        ReadUIntSetting(kSection, "OnlyWithSeveralMonitors", 0, path);
    Settings.WrapDistance = ReadUIntSetting(kSection, "WrapDistance", 0, path);
    FlushProfileCache(path);
}

uint32_t LoadGlobalEnabled() {
    if (!HaveSettingsPath() || !FileExists(SettingsPath)) return 1;
    FlushProfileCache(SettingsPath);
    uint32_t enabled = ReadUIntSetting(kSection, "GlobalEnabled", 1, SettingsPath);
    FlushProfileCache(SettingsPath);
    return enabled;
}

void SaveGlobalEnabled(bool effectEnabled) {
    if (!HaveSettingsPath()) return;
    ClearReadOnly(SettingsPath);
    WriteUIntSetting(kSection, "GlobalEnabled", effectEnabled ? 1 : 0, SettingsPath);
    FlushProfileCache(SettingsPath);
}

void SaveDisabledBorders() {
    if (!HaveSettingsPath()) return;
    ClearReadOnly(SettingsPath);
    WriteUIntSetting(kSection, "DisabledBordersFlags", Settings.DisabledBordersFlags, SettingsPath);
    FlushProfileCache(SettingsPath);
}

void SaveOptions() {
    if (!HaveSettingsPath()) return;
    const char* path = SettingsPath;
    ClearReadOnly(path);
    WritePrivateProfileStringA(kSection, "LanguageFile", Settings.LanguageFile, path);
    // Only the low 16 bits of a hotkey code mean anything; a hand-edited larger value is
    // written back trimmed.
    WriteUIntSetting(kSection, "EnableDisableEffectHotKey",
                     Settings.EnableDisableEffectHotKey & 0xFFFFu, path);
    WriteUIntSetting(kSection, "ShowOptionsHotKey", Settings.ShowOptionsHotKey & 0xFFFFu, path);
    WriteUIntSetting(kSection, "ExitProgramHotKey", Settings.ExitProgramHotKey & 0xFFFFu, path);
    WriteUIntSetting(kSection, "DoNotTranferIfLMBPressed", Settings.DoNotTranferIfLMBPressed, path);
    WriteUIntSetting(kSection, "BlockingKey", Settings.BlockingKey, path);
    WriteUIntSetting(kSection, "IgnorableTRCornerWidth", Settings.IgnorableTRCornerWidth, path);
    WriteUIntSetting(kSection, "IgnorableTRCornerHeight", Settings.IgnorableTRCornerHeight, path);
    WriteUIntSetting(kSection, "UseKeyToPass", Settings.UseKeyToPass, path);
    // Present only while on: the file of someone who never uses the mode stays as it was.
    WritePrivateProfileStringA(kSection, "WrapAcrossMonitors",
                               Settings.WrapAcrossMonitors ? "1" : NULL, path);
    // Likewise present only when the corners differ from the classic top right alone.
    if (Settings.IgnorableCorners == kDefaultIgnorableCorners)
        WritePrivateProfileStringA(kSection, "IgnorableCorners", NULL, path);
    else
        WriteUIntSetting(kSection, "IgnorableCorners", Settings.IgnorableCorners, path);
    // The two opt-in ways of keeping out of the user's way, likewise only while in use.
    WritePrivateProfileStringA(kSection, "PauseInFullScreen",
                               Settings.PauseInFullScreen ? "1" : NULL, path);
    if (Settings.WrapDelay == 0)
        WritePrivateProfileStringA(kSection, "WrapDelay", NULL, path);
    else
        WriteUIntSetting(kSection, "WrapDelay", Settings.WrapDelay, path);
    // The three situations the cursor is left alone in, likewise only while in use; the
    // program list exactly as typed.
    WritePrivateProfileStringA(kSection, "KeepTaskbarReachable",
                               Settings.KeepTaskbarReachable ? "1" : NULL, path);
    WritePrivateProfileStringA(kSection, "ExcludedPrograms",
                               Settings.ExcludedPrograms[0] ? Settings.ExcludedPrograms : NULL,
                               path);
    WritePrivateProfileStringA(kSection, "OnlyWithSeveralMonitors",
                               Settings.OnlyWithSeveralMonitors ? "1" : NULL, path);
    if (Settings.WrapDistance == 0)
        WritePrivateProfileStringA(kSection, "WrapDistance", NULL, path);
    else
        WriteUIntSetting(kSection, "WrapDistance", Settings.WrapDistance, path);
    FlushProfileCache(path);
}
