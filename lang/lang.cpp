// Applying language files to the tray menu and the dialogs, and the list of languages shown
// on the Options dialog's General page.
#include "lang.h"

#include <commctrl.h>
#include <stddef.h>

#include "../app/app.h"
#include "../res/resource.h"

LanguageEntry* LanguageList;

// Texts read from a language file: long enough for any sentence a dialog can show.
const int kTextBufferSize = 2048;

enum TargetKind { kControlText, kWindowTitle, kMenuItem, kTabItem, kListItem };

struct TextTarget {
    int number; // row of the text table
    TargetKind kind;
    int id; // control id, menu command or tab position
};

static const TextTarget kTrayMenuTexts[] = {
    {0, kMenuItem, CMD_ABOUT},
    {1, kMenuItem, CMD_ENABLED},
    {2, kMenuItem, CMD_OPTIONS},
    {3, kMenuItem, CMD_EXIT},
};

static const TextTarget kOptionsTexts[] = {
    {10, kControlText, IDOK}, {11, kControlText, IDCANCEL},
    {30, kWindowTitle, 0},    {31, kTabItem, 0},
    {32, kTabItem, 1},        {33, kTabItem, 2},
};

static const TextTarget kGeneralTexts[] = {
    {40, kControlText, IDC_LANGUAGE_GROUP},       {41, kControlText, IDC_LANGUAGE_LABEL},
    {42, kControlText, IDC_HOTKEYS_GROUP},        {43, kControlText, IDC_TOGGLE_HOTKEY_LABEL},
    {44, kControlText, IDC_OPTIONS_HOTKEY_LABEL}, {45, kControlText, IDC_EXIT_HOTKEY_LABEL},
    {46, kControlText, IDC_STARTUP_GROUP},        {47, kControlText, IDC_RUN_AT_STARTUP},
};

static const TextTarget kBlockingTexts[] = {
    {50, kControlText, IDC_BLOCKING_GROUP},
    {51, kControlText, IDC_BUTTON_GATE},
    {52, kControlText, IDC_BUTTON_GATE_NOTE},
    {53, kControlText, IDC_BLOCKING_KEY_LABEL},
    {54, kListItem, IDC_BLOCKING_KEY},
    {55, kControlText, IDC_CORNER_GROUP},
    {56, kControlText, IDC_CORNER_WIDTH_LABEL},
    {57, kControlText, IDC_CORNER_HEIGHT_LABEL},
    {58, kControlText, IDC_CORNER_NOTE},
    {59, kControlText, IDC_GATING_GROUP},
    {60, kControlText, IDC_USE_KEY_TO_PASS},
    {61, kControlText, IDC_GATING_NOTE},
    {76, kControlText, IDC_PAUSE_IN_FULL_SCREEN},
    {79, kControlText, IDC_EXCLUDED_PROGRAMS_LABEL},
};

static const TextTarget kBordersTexts[] = {
    {65, kControlText, IDC_BORDERS_LABEL},
    {66, kControlText, IDC_BORDER_TOP},
    {67, kControlText, IDC_BORDER_LEFT},
    {68, kControlText, IDC_BORDER_RIGHT},
    {69, kControlText, IDC_BORDER_BOTTOM},
    {70, kControlText, IDC_WRAP_ACROSS_MONITORS},
    {71, kControlText, IDC_CORNERS_GROUP},
    {72, kControlText, IDC_CORNER_TOP_LEFT},
    {73, kControlText, IDC_CORNER_TOP_RIGHT},
    {74, kControlText, IDC_CORNER_BOTTOM_LEFT},
    {75, kControlText, IDC_CORNER_BOTTOM_RIGHT},
    {77, kControlText, IDC_WRAP_DELAY_LABEL},
    {78, kControlText, IDC_KEEP_TASKBAR_REACHABLE},
    {80, kControlText, IDC_ONLY_WITH_SEVERAL_MONITORS},
    {81, kControlText, IDC_WRAP_DISTANCE_LABEL},
};

static const TextTarget kAboutTexts[] = {
    {10, kControlText, IDOK},
    {20, kWindowTitle, 0},
    {21, kControlText, IDC_ABOUT_DESCRIPTION},
};

static void ApplyText(HWND window, const TextTarget& target, char* text) {
    switch (target.kind) {
    case kControlText: SetDlgItemTextA(window, target.id, text); break;
    case kWindowTitle: SetWindowTextA(window, text); break;
    case kMenuItem: {
        MENUITEMINFOA item;
        ZeroMemory(&item, sizeof(item));
        // The size without hbmpItem (44 bytes in 32-bit code): enough for MIIM_STRING and
        // accepted by every version.
        item.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
        item.fMask = MIIM_STRING;
        item.dwTypeData = text;
        SetMenuItemInfoA(TrayMenu, target.id, FALSE, &item);
        break;
    }
    case kTabItem: {
        TCITEMA tab;
        ZeroMemory(&tab, sizeof(tab));
        tab.mask = TCIF_TEXT;
        tab.pszText = text;
        SendDlgItemMessageA(window, IDC_TABS, TCM_INSERTITEMA, target.id, (LPARAM)&tab);
        break;
    }
    case kListItem: {
        // The key names after "None" are the keys' own names and stay untranslated.
        static const char* const kKeyNames[] = {"Shift", "Ctrl", "Alt"};
        SendDlgItemMessageA(window, target.id, CB_ADDSTRING, 0, (LPARAM)text);
        for (int i = 0; i < 3; ++i)
            SendDlgItemMessageA(window, target.id, CB_ADDSTRING, 0, (LPARAM)kKeyNames[i]);
        break;
    }
    }
}

// The chosen language file's path, or false for the built-in texts: "Default" (compared
// case-sensitively), or a hand-edited name too long for a path, which is treated as Default
// rather than read from a cut-off path.
static bool ChosenLanguagePath(char* path, size_t pathSize) {
    if (lstrcmpA(Settings.LanguageFile, "Default") == 0) return false;
    return BuildLanguagePath(path, pathSize, ProgramDir, Settings.LanguageFile);
}

static void ApplyTexts(HWND window, const TextTarget* targets, size_t count) {
    char path[kPathSize];
    bool fromFile = ChosenLanguagePath(path, sizeof(path));
    if (fromFile) FlushProfileCache(path);
    for (size_t i = 0; i < count; ++i) {
        char text[kTextBufferSize];
        const char* builtIn = BuiltInText(targets[i].number);
        if (fromFile) {
            char key[12];
            wsprintfA(key, "%d", targets[i].number); // at most 11 characters + NUL
            GetPrivateProfileStringA("Data", key, builtIn, text, sizeof(text), path);
        } else {
            lstrcpynA(text, builtIn, sizeof(text));
        }
        ApplyText(window, targets[i], text);
    }
    if (fromFile) FlushProfileCache(path);
}

#define APPLY_TEXTS(window, table) ApplyTexts(window, table, sizeof(table) / sizeof(table[0]))

void LocalizeTrayMenu() {
    APPLY_TEXTS(NULL, kTrayMenuTexts);
}

void LocalizeOptionsDialog(HWND dialog) {
    APPLY_TEXTS(dialog, kOptionsTexts);
}

void LocalizeGeneralPage(HWND page) {
    APPLY_TEXTS(page, kGeneralTexts);
}

void LocalizeBlockingPage(HWND page) {
    APPLY_TEXTS(page, kBlockingTexts);
}

void LocalizeBordersPage(HWND page) {
    APPLY_TEXTS(page, kBordersTexts);
}

void LocalizeAboutBox(HWND dialog) {
    APPLY_TEXTS(dialog, kAboutTexts);
}

static LanguageEntry* AppendLanguageEntry(LanguageEntry** tail, const char* fileName) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(LanguageEntry));
    LanguageEntry* entry = memory ? (LanguageEntry*)GlobalLock(memory) : NULL;
    if (!entry) {
        if (memory) GlobalFree(memory);
        return NULL;
    }
    entry->memory = memory;
    lstrcpynA(entry->fileName, fileName, sizeof(entry->fileName));
    *tail = entry;
    return entry;
}

int BuildLanguageList(HWND languageCombo) {
    // A list left from before is freed, not appended to: each list matches one combo box.
    FreeLanguageList();
    int result = lstrcmpA(Settings.LanguageFile, "Default") == 0 ? 0 : -1;
    int position = 1;
    char pattern[kPathSize];
    if (!BuildLanguagePath(pattern, sizeof(pattern), ProgramDir, "*.lng")) return 0;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return result < 0 ? 0 : result;
    LanguageEntry** tail = &LanguageList;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        char path[kPathSize];
        // A name too long for its path could never be read; it takes no place in the list,
        // so list positions and combo-box items stay in step.
        if (!BuildLanguagePath(path, sizeof(path), ProgramDir, found.cFileName)) continue;
        LanguageEntry* entry = AppendLanguageEntry(tail, found.cFileName);
        if (!entry) break;
        tail = &entry->next;
        if (lstrcmpA(found.cFileName, Settings.LanguageFile) == 0) result = position;
        ++position;

        char baseName[kPathSize];
        char name[kPathSize];
        LanguageBaseName(baseName, sizeof(baseName), found.cFileName);
        FlushProfileCache(path);
        GetPrivateProfileStringA("Info", "Language", baseName, name, sizeof(name), path);
        if (name[0] == '\0') lstrcpynA(name, baseName, sizeof(name));
        SendMessageA(languageCombo, CB_ADDSTRING, 0, (LPARAM)name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return result < 0 ? 0 : result;
}

void SelectedLanguage(HWND languageCombo) {
    LRESULT n = SendMessageA(languageCombo, CB_GETCURSEL, 0, 0);
    if (n <= 0) { // 0 is "English (USA)"; CB_ERR (no selection) is treated the same way
        lstrcpynA(Settings.LanguageFile, "Default", sizeof(Settings.LanguageFile));
        return;
    }
    LanguageEntry* entry = LanguageList;
    for (LRESULT i = 1; entry && i < n; ++i)
        entry = entry->next;
    if (entry) lstrcpynA(Settings.LanguageFile, entry->fileName, sizeof(Settings.LanguageFile));
}

void FreeLanguageList() {
    LanguageEntry* entry = LanguageList;
    while (entry) {
        LanguageEntry* next = entry->next;
        HGLOBAL memory = entry->memory;
        GlobalUnlock(memory);
        GlobalFree(memory);
        entry = next;
    }
    LanguageList = NULL;
}
