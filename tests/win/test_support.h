// Helpers shared by the in-process tests: scratch folders and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>

// A new empty folder under the user's temp folder, with a trailing backslash.
std::string MakeScratchDir();
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
// Points SettingsPath and ProgramDir at a scratch folder, as if the program lived there.
std::string UseScratchProgramDir();
// Runs the thread's message loop for about ms milliseconds.
void PumpMessages(DWORD ms);
// The running exe's full path, as GetModuleFileNameA gives it.
std::string ModulePath();
// The text of a tray-menu item (by command), as the program set it.
std::string TrayMenuText(UINT command);
// True when nobody holds the combination of this HotKeyCode: RegisterHotKey succeeds for it.
// While someone holds it, registration must fail with ERROR_HOTKEY_ALREADY_REGISTERED.
bool CombinationFree(uint32_t hotKeyCode);
