// Settings: the record of user-tunable values, the INI file beside the program, the paths
// derived from the program's location, and the per-user start-at-logon value.
//
// The first half is platform-free (it builds natively for the host tests and fuzzers); the
// second half talks to Windows and is only declared on Windows.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Every path, file name and list name lives in a buffer of this size (259 characters + NUL).
const size_t kPathSize = 260;

// ExcludedPrograms holds at most 1023 characters and its NUL.
const size_t kProgramListSize = 1024;

struct SettingsRecord {
    uint32_t TimerInterval;
    char LanguageFile[kPathSize];
    uint32_t EnableDisableEffectHotKey;
    uint32_t ShowOptionsHotKey;
    uint32_t ExitProgramHotKey;
    uint32_t DoNotTranferIfLMBPressed;
    uint32_t BlockingKey;
    uint32_t IgnorableTRCornerWidth;
    uint32_t IgnorableTRCornerHeight;
    uint32_t UseKeyToPass;
    uint32_t DisabledBordersFlags;
    uint32_t WrapAcrossMonitors;   // flag: borders at the desktop's outer edges, not the primary's
    uint32_t IgnorableCorners;     // corners holding the cursor back; low four bits, clockwise
    uint32_t PauseInFullScreen;    // flag: no wrap while a full-screen program is in front
    uint32_t WrapDelay;            // ms the cursor rests on a border before it wraps; 0 = at once
    uint32_t KeepTaskbarReachable; // flag: an auto-hidden taskbar's edge holds the cursor
    char ExcludedPrograms[kProgramListSize]; // "a.exe; b.exe": no wrap while one is in front
    uint32_t OnlyWithSeveralMonitors;        // flag: no wrap while one monitor is attached
    uint32_t WrapDistance; // mouse counts pushed on past a border before it wraps; 0 = off
};

// The classic single ignorable corner, the top right: the value a settings file never names.
const uint32_t kDefaultIgnorableCorners = 2;

// The longest resting delay that counts: a larger WrapDelay is kept as typed but waits this long.
const uint32_t kMaxWrapDelay = 5000;
// Likewise the longest push distance that counts, in the mouse's own counts.
const uint32_t kMaxWrapDistance = 20000;

// BorderFlags: a set bit disables wrapping at that border of the primary screen.
const uint32_t kBorderLeft = 1;
const uint32_t kBorderTop = 2;
const uint32_t kBorderRight = 4;
const uint32_t kBorderBottom = 8;
const uint32_t kAllBorders = 15;

// Blocking key codes as stored in the file and shown by the Options list.
const uint32_t kBlockingKeyNone = 0;
const uint32_t kBlockingKeyShift = 1;
const uint32_t kBlockingKeyCtrl = 2;
const uint32_t kBlockingKeyAlt = 3;

extern SettingsRecord Settings;
extern char ProgramDir[kPathSize];
extern char SettingsPath[kPathSize];

void SetDefaultSettings();

// Decimal text to an unsigned 32-bit number, wrapping modulo 2^32. Empty text, or text holding
// anything but the digits 0-9, gives defaultValue.
uint32_t ParseDecimal(const char* text, uint32_t defaultValue);

// Bounded string helpers: they never write past dstSize bytes and always leave a NUL when
// dstSize > 0. They return false (leaving dst empty) when the whole result would not fit.
bool CopyText(char* dst, size_t dstSize, const char* src);
bool AppendText(char* dst, size_t dstSize, const char* src);

// Copies a list of names separated by ';' ("mstsc.exe; Photoshop.exe") into dst: whole when
// it fits in dstSize - 1 characters, else cut back to the last ';' within that bound, so a
// name is kept whole or not at all. dstSize > 0.
void CopyWholeNames(char* dst, size_t dstSize, const char* src);

// Derives the program folder (with trailing backslash) and the settings path (extension
// replaced by ".ini") from the module path. Returns false, and leaves both outputs empty,
// when either derived path would not fit its buffer: the program then runs on defaults and
// never writes a settings file rather than one at a cut, wrong path.
bool DeriveProgramPaths(const char* modulePath, char* programDir, size_t programDirSize,
                        char* settingsPath, size_t settingsPathSize);

#ifdef _WIN32

void InitPaths();
bool FileExists(const char* path);
void ClearReadOnly(const char* path);
void FlushProfileCache(const char* path);
uint32_t ReadUIntSetting(const char* section, const char* key, uint32_t defaultValue,
                         const char* path);
void WriteUIntSetting(const char* section, const char* key, uint32_t value, const char* path);

void LoadSettings();
uint32_t LoadGlobalEnabled();
// The caller passes the effect's current state (the tray menu's Enabled check mark).
void SaveGlobalEnabled(bool effectEnabled);
void SaveDisabledBorders();
void SaveOptions();

// Start at logon: the "Quindlet" value under HKCU\...\CurrentVersion\Run.
bool ReflectStartupRegistration();
void ApplyStartupRegistration(bool wanted);
void RemoveStartupValue();

#endif
