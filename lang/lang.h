// Localization: the table of user-interface texts and the language files that replace them.
//
// Language files are INI files in ProgramDir + "Lngs\", extension ".lng", in the system's ANSI
// code page: section "Info", key "Language" (the name shown in the list) and section "Data",
// one key per text number.
#pragma once

#include <stddef.h>
#include <stdint.h>

// One row of the text table: the text number (the key in a language file's "Data" section)
// and the built-in American English text.
struct UiText {
    int number;
    const char* text;
};

extern const UiText UiTexts[];
extern const size_t UiTextCount;

// The built-in text of a number, or NULL when the table has no such number.
const char* BuiltInText(int number);

// ProgramDir + "Lngs\" + fileName into out; false (out left empty) when it would not fit or
// when programDir is empty (the program's folder is unknown).
bool BuildLanguagePath(char* out, size_t outSize, const char* programDir, const char* fileName);
// The file name up to its last '.', or the whole name when it has none; cut to fit outSize.
void LanguageBaseName(char* out, size_t outSize, const char* fileName);

#ifdef _WIN32

#include <windows.h>

#include "../settings/settings.h"

// A node of the language list, in its own zero-filled movable global memory block.
struct LanguageEntry {
    LanguageEntry* next;
    char fileName[kPathSize];
    HGLOBAL memory;
};

extern LanguageEntry* LanguageList;

// Fills the language combo box (item 0 "English (USA)" already added) from the "Lngs"
// folder and returns the index to select.
int BuildLanguageList(HWND languageCombo);
// On Options OK: sets Settings.LanguageFile from the combo box's selection.
void SelectedLanguage(HWND languageCombo);
void FreeLanguageList();

// Text-applying operations, one per window, called from each window's set-up.
void LocalizeTrayMenu();
void LocalizeOptionsDialog(HWND dialog); // OK, Cancel, title, and inserts the three tabs
void LocalizeGeneralPage(HWND page);
void LocalizeBlockingPage(HWND page); // also fills the blocking-key list
void LocalizeBordersPage(HWND page);
void LocalizeAboutBox(HWND dialog);

#endif
