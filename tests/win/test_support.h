// Helpers shared by the in-process tests: scratch folders and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <string>

// A new empty folder under the user's temp folder, with a trailing backslash.
std::string MakeScratchDir();
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
// Points SettingsPath and ProgramDir at a scratch folder, as if the program lived there.
std::string UseScratchProgramDir();
// Runs the thread's message loop for about ms milliseconds.
void PumpMessages(DWORD ms);
