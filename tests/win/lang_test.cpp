// Language files on real files in a scratch "Lngs" folder, applied to the real tray menu
// resource and to real windows and combo boxes.
#include "app/app.h"
#include "lang/lang.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "test_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[kPathSize] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> ListFileNames() {
    std::vector<std::string> names;
    for (LanguageEntry* e = LanguageList; e; e = e->next)
        names.push_back(e->fileName);
    return names;
}

class Lang : public testing::Test {
  protected:
    void SetUp() override {
        dir = UseScratchProgramDir();
        lngs = dir + "Lngs\\";
        SetDefaultSettings();
        InitCommonControls();
        host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(host != NULL);
    }
    void TearDown() override {
        FreeLanguageList();
        if (host) DestroyWindow(host);
        if (MenuResource) DestroyMenu(MenuResource);
        MenuResource = TrayMenu = NULL;
    }
    HWND AddChild(const char* cls, int id, DWORD style = 0) {
        return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, 200, 200, host,
                               (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
    }
    // The General page's language list as the page sets it up: "English (USA)" first.
    HWND NewLanguageCombo() {
        if (languageCombo) DestroyWindow(languageCombo);
        languageCombo = AddChild("ComboBox", IDC_LANGUAGE, CBS_DROPDOWNLIST | WS_VSCROLL);
        SendMessageA(languageCombo, CB_ADDSTRING, 0, (LPARAM) "English (USA)");
        return languageCombo;
    }
    void MakeLngs() {
        ASSERT_TRUE(CreateDirectoryA(lngs.c_str(), NULL));
    }
    void WriteLng(const std::string& name, const std::string& body) {
        WriteTextFile(lngs + name, body);
    }
    void UseLanguage(const std::string& name) {
        lstrcpynA(Settings.LanguageFile, name.c_str(), sizeof(Settings.LanguageFile));
    }
    void LoadTrayMenu() {
        MenuResource = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TRAYMENU));
        ASSERT_TRUE(MenuResource != NULL);
        TrayMenu = GetSubMenu(MenuResource, 0);
        ASSERT_TRUE(TrayMenu != NULL);
    }
    std::vector<std::string> TrayTexts() {
        return {TrayMenuText(CMD_ABOUT), TrayMenuText(CMD_ENABLED), TrayMenuText(CMD_OPTIONS),
                TrayMenuText(CMD_EXIT)};
    }

    std::string dir, lngs;
    HWND host = NULL;
    HWND languageCombo = NULL;
};

const std::vector<std::string> kEnglishTray = {"&About...", "&Enabled", "&Options...", "E&xit"};

// The files of the listing tests, with the name each must be shown under.
struct ListedFile {
    const char* fileName;
    const char* body;
    const char* shownAs;
};
const ListedFile kListedFiles[] = {
    {"Deutsch.lng", "[Info]\r\nLanguage=Deutsch (DE)\r\n[Data]\r\n1=&Aktiv\r\n", "Deutsch (DE)"},
    {"NoInfo.lng", "[Data]\r\n1=&On\r\n", "NoInfo"},
    {"pt.BR.lng", "[Data]\r\n1=&Ligado\r\n", "pt.BR"},
    {"EmptyName.lng", "[Info]\r\nLanguage=\r\n", "EmptyName"},
};

TEST_F(Lang, ListShowsInfoNameOrBaseNameAndSkipsFolders) {
    MakeLngs();
    for (const auto& f : kListedFiles)
        WriteLng(f.fileName, f.body);
    ASSERT_TRUE(CreateDirectoryA((lngs + "x.lng").c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA((lngs + "a.lng").c_str(), NULL));
    WriteLng("notes.txt", "[Info]\r\nLanguage=Not a language\r\n");

    HWND combo = NewLanguageCombo();
    EXPECT_EQ(BuildLanguageList(combo), 0);
    std::vector<std::string> files = ListFileNames();
    std::vector<std::string> items = ComboItems(combo);
    ASSERT_EQ(files.size(), std::size(kListedFiles));
    ASSERT_EQ(items.size(), files.size() + 1);
    EXPECT_EQ(items[0], "English (USA)");
    std::map<std::string, std::string> shownAs;
    for (const auto& f : kListedFiles)
        shownAs[f.fileName] = f.shownAs;
    for (size_t k = 0; k < files.size(); ++k) {
        ASSERT_TRUE(shownAs.count(files[k])) << files[k];
        EXPECT_EQ(items[k + 1], shownAs[files[k]]) << files[k];
    }
}

TEST_F(Lang, SavedFileSelectsItsPositionOtherwiseEnglish) {
    MakeLngs();
    for (const auto& f : kListedFiles)
        WriteLng(f.fileName, f.body);
    // Folders named like language files take no position, wherever the search returns them.
    ASSERT_TRUE(CreateDirectoryA((lngs + "x.lng").c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA((lngs + "a.lng").c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA((lngs + "m.lng").c_str(), NULL));

    // The search order is the file system's: learn it from a first listing.
    BuildLanguageList(NewLanguageCombo());
    const std::vector<std::string> order = ListFileNames();
    FreeLanguageList();
    ASSERT_EQ(order.size(), std::size(kListedFiles));

    for (size_t k = 0; k < order.size(); ++k) {
        UseLanguage(order[k]);
        HWND combo = NewLanguageCombo();
        EXPECT_EQ(BuildLanguageList(combo), (int)k + 1) << order[k];
        EXPECT_EQ(ListFileNames(), order);
        FreeLanguageList();
    }

    struct {
        const char* languageFile;
    } english[] = {{"Default"}, {"Gone.lng"}, {"DEUTSCH.LNG"}, {"deutsch.lng"}, {"default"}, {""}};
    for (const auto& c : english) {
        UseLanguage(c.languageFile);
        EXPECT_EQ(BuildLanguageList(NewLanguageCombo()), 0) << c.languageFile;
        EXPECT_EQ(ListFileNames().size(), order.size()) << c.languageFile;
        FreeLanguageList();
    }
}

TEST_F(Lang, MissingOrEmptyFolderLeavesOnlyEnglish) {
    for (int withFolder = 0; withFolder < 2; ++withFolder) {
        if (withFolder) MakeLngs();
        for (const char* saved : {"Default", "Deutsch.lng"}) {
            UseLanguage(saved);
            HWND combo = NewLanguageCombo();
            EXPECT_EQ(BuildLanguageList(combo), 0) << saved << " folder " << withFolder;
            EXPECT_EQ(ComboItems(combo), std::vector<std::string>{"English (USA)"});
            EXPECT_TRUE(LanguageList == NULL);
        }
    }
}

TEST_F(Lang, SelectedItemStoresDefaultOrThatFilesFullName) {
    MakeLngs();
    for (const auto& f : kListedFiles)
        WriteLng(f.fileName, f.body);
    HWND combo = NewLanguageCombo();
    BuildLanguageList(combo);
    const std::vector<std::string> files = ListFileNames();
    ASSERT_EQ(files.size(), std::size(kListedFiles));

    for (size_t k = 0; k <= files.size(); ++k) {
        // Start from another choice each time, so a stale value cannot pass.
        UseLanguage(k == 0 ? files[0] : "Default");
        ASSERT_EQ(SendMessageA(combo, CB_SETCURSEL, k, 0), (LRESULT)k);
        SelectedLanguage(combo);
        EXPECT_STREQ(Settings.LanguageFile, k == 0 ? "Default" : files[k - 1].c_str()) << k;
    }
}

TEST_F(Lang, FreeEmptiesTheListAndANewListHoldsOnlyNewNodes) {
    MakeLngs();
    for (const auto& f : kListedFiles)
        WriteLng(f.fileName, f.body);
    BuildLanguageList(NewLanguageCombo());
    ASSERT_TRUE(LanguageList != NULL);
    FreeLanguageList();
    EXPECT_TRUE(LanguageList == NULL);
    FreeLanguageList(); // the Options dialog may be destroyed with no list built
    EXPECT_TRUE(LanguageList == NULL);

    // Built again over a list still there: the old nodes go, the list matches the new box.
    BuildLanguageList(NewLanguageCombo());
    DeleteFileA((lngs + "NoInfo.lng").c_str());
    HWND combo = NewLanguageCombo();
    BuildLanguageList(combo);
    EXPECT_EQ(ListFileNames().size(), std::size(kListedFiles) - 1);
    EXPECT_EQ(ComboItems(combo).size(), std::size(kListedFiles));
}

TEST_F(Lang, TrayMenuTakesEachTextFromTheFileOrKeepsEnglish) {
    MakeLngs();
    WriteLng("OnlyOne.lng", "[Data]\r\n1=&Aktiv\r\n");
    WriteLng("EmptyOne.lng", "[Data]\r\n1=\r\n3=&Ende\r\n");
    WriteLng("Full.lng", "[Data]\r\n0=&Info\r\n1=&An\r\n2=&Optionen\r\n3=&Beenden\r\n");
    const std::vector<std::string> full = {"&Info", "&An", "&Optionen", "&Beenden"};
    // Only "Default" exactly means the built-in texts; any other spelling names a file.
    WriteLng("default", "[Data]\r\n1=&Lower\r\n");
    struct {
        const char* languageFile;
        std::vector<std::string> texts;
    } cases[] = {
        {"OnlyOne.lng", {"&About...", "&Aktiv", "&Options...", "E&xit"}},
        {"EmptyOne.lng", {"&About...", "", "&Options...", "&Ende"}},
        // The file is found by path, so a different letter case still translates.
        {"FULL.LNG", full},
        {"full.lng", full},
        {"Gone.lng", kEnglishTray},
        {"Default", kEnglishTray},
        {"default", {"&About...", "&Lower", "&Options...", "E&xit"}},
    };
    LoadTrayMenu();
    for (const auto& c : cases) {
        // Another language first: every case must set all four texts itself.
        UseLanguage("Full.lng");
        LocalizeTrayMenu();
        ASSERT_EQ(TrayTexts(), full);

        UseLanguage(c.languageFile);
        LocalizeTrayMenu();
        EXPECT_EQ(TrayTexts(), c.texts) << c.languageFile;
        // The Enabled check mark is the effect's state: a new text must not clear it.
        EXPECT_TRUE(GetMenuState(TrayMenu, CMD_ENABLED, MF_BYCOMMAND) & MF_CHECKED)
            << c.languageFile;
    }
    // The separators stay where they are.
    EXPECT_EQ(GetMenuItemCount(TrayMenu), 6);
    EXPECT_EQ(GetMenuItemID(TrayMenu, 1), 0u);
    EXPECT_EQ(GetMenuItemID(TrayMenu, 4), 0u);
}

TEST_F(Lang, LanguageFileTooLongForAPathIsTreatedAsDefault) {
    MakeLngs();
    WriteLng("Full.lng", "[Data]\r\n0=&Info\r\n1=&An\r\n2=&Optionen\r\n3=&Beenden\r\n");
    const std::string longName(250, 'a');
    // The file a path cut at 259 characters would name: a cut path must not be read.
    const size_t room = kPathSize - 1 - lngs.size();
    ASSERT_LT(room, longName.size());
    ASSERT_GT(room, 0u);
    WriteLng(longName.substr(0, room), "[Data]\r\n1=&Cut\r\n");
    ASSERT_TRUE(GetFileAttributesA((lngs + longName.substr(0, room)).c_str()) !=
                INVALID_FILE_ATTRIBUTES);

    LoadTrayMenu();
    UseLanguage("Full.lng");
    LocalizeTrayMenu();
    ASSERT_EQ(TrayMenuText(CMD_ENABLED), "&An");

    // The record around LanguageFile is left exactly as it was.
    UseLanguage(longName);
    ASSERT_EQ(strlen(Settings.LanguageFile), 250u);
    const SettingsRecord before = Settings;
    LocalizeTrayMenu();
    EXPECT_EQ(TrayTexts(), kEnglishTray);
    EXPECT_EQ(memcmp(&before, &Settings, sizeof(Settings)), 0);

    HWND combo = NewLanguageCombo();
    EXPECT_EQ(BuildLanguageList(combo), 0);
    EXPECT_EQ(memcmp(&before, &Settings, sizeof(Settings)), 0);
}

TEST_F(Lang, UnknownProgramFolderReadsNoLanguageFilesFromElsewhere) {
    MakeLngs();
    WriteLng("Deutsch.lng", "[Info]\r\nLanguage=Deutsch\r\n[Data]\r\n1=&Aktiv\r\n");
    // InitPaths leaves ProgramDir empty when the module path is too long; a relative "Lngs\"
    // would then find this folder through the working directory.
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    ProgramDir[0] = '\0';
    UseLanguage("Deutsch.lng");

    HWND combo = NewLanguageCombo();
    EXPECT_EQ(BuildLanguageList(combo), 0);
    EXPECT_EQ(ComboItems(combo), std::vector<std::string>{"English (USA)"});
    EXPECT_TRUE(LanguageList == NULL);
    LoadTrayMenu();
    LocalizeTrayMenu();
    EXPECT_EQ(TrayTexts(), kEnglishTray);
}

TEST_F(Lang, BlockingKeyListIsNoneThenTheKeyNames) {
    MakeLngs();
    WriteLng("Keys.lng", "[Data]\r\n54=Keine\r\n");
    WriteLng("EmptyNone.lng", "[Data]\r\n54=\r\n");
    struct {
        const char* languageFile;
        std::vector<std::string> items;
    } cases[] = {
        {"Default", {"None", "Shift", "Ctrl", "Alt"}},
        {"Keys.lng", {"Keine", "Shift", "Ctrl", "Alt"}},
        {"EmptyNone.lng", {"", "Shift", "Ctrl", "Alt"}},
        {"Gone.lng", {"None", "Shift", "Ctrl", "Alt"}},
    };
    for (const auto& c : cases) {
        HWND list = AddChild("ComboBox", IDC_BLOCKING_KEY, CBS_DROPDOWNLIST);
        UseLanguage(c.languageFile);
        LocalizeBlockingPage(host);
        EXPECT_EQ(ComboItems(list), c.items) << c.languageFile;
        DestroyWindow(list);
    }
}

TEST_F(Lang, OptionsDialogInsertsTheThreeTabsInOrder) {
    MakeLngs();
    WriteLng("Tabs.lng", "[Data]\r\n31=Allgemein\r\n33=R\xe4nder\r\n");
    struct {
        const char* languageFile;
        std::vector<std::string> tabs;
    } cases[] = {
        {"Default", {"General", "Blocking", "Borders"}},
        {"Tabs.lng", {"Allgemein", "Blocking", "R\xe4nder"}},
    };
    for (const auto& c : cases) {
        HWND tabs = AddChild(WC_TABCONTROLA, IDC_TABS);
        UseLanguage(c.languageFile);
        LocalizeOptionsDialog(host);
        std::vector<std::string> got;
        int count = (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(tabs, TCM_GETITEMA, i, (LPARAM)&item);
            got.push_back(text);
        }
        EXPECT_EQ(got, c.tabs) << c.languageFile;
        DestroyWindow(tabs);
    }
}

} // namespace
