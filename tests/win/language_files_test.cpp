// The language files shipped in Lngs\ beside the exe, read through the real profile functions
// exactly as the program reads them, and applied to the real tray menu.
#include "app/app.h"
#include "lang/lang.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Controls that share one window: their accelerators must differ from one another.
struct AcceleratorGroup {
    const char* window;
    std::vector<int> numbers;
};

const AcceleratorGroup kAcceleratorGroups[] = {
    {"tray menu", {0, 1, 2, 3}},
    {"Options dialog frame", {10, 11}},
    {"General page", {41, 43, 44, 45, 47}},
    {"Blocking page", {51, 53, 56, 57, 60, 76, 79}},
    {"Borders page", {65, 66, 67, 68, 69, 70, 72, 73, 74, 75, 77, 78, 80, 81}},
};

struct LanguageFile {
    std::string name;
    std::string path;
    UINT codePage; // from the file's own leading comment, 0 when it names none
};

// The code page a file names in its leading comment lines ("... Windows-1250 ..."): the
// files are read in the system's ANSI code page, so each says which one it needs.
UINT DeclaredCodePage(const std::string& raw) {
    size_t line = 0;
    while (line < raw.size() && raw[line] == ';') {
        size_t end = raw.find('\n', line);
        if (end == std::string::npos) end = raw.size();
        std::string comment = raw.substr(line, end - line);
        size_t at = comment.find("Windows-");
        if (at != std::string::npos) {
            UINT page = 0;
            for (size_t i = at + 8; i < comment.size() && comment[i] >= '0' && comment[i] <= '9';
                 ++i)
                page = page * 10 + (comment[i] - '0');
            if (page) return page;
        }
        line = end + 1;
    }
    return 0;
}

std::vector<LanguageFile> ShippedLanguageFiles() {
    InitPaths();
    std::vector<LanguageFile> files;
    char pattern[kPathSize];
    if (!BuildLanguagePath(pattern, sizeof(pattern), ProgramDir, "*.lng")) return files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        LanguageFile file;
        file.name = found.cFileName;
        char path[kPathSize];
        BuildLanguagePath(path, sizeof(path), ProgramDir, found.cFileName);
        file.path = path;
        file.codePage = DeclaredCodePage(ReadTextFile(path));
        files.push_back(file);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// A value as the program reads it; *present tells a missing key from an empty value.
std::string ReadValue(const LanguageFile& file, const char* section, const char* key,
                      bool* present) {
    // A default no translator would write tells a missing key from an empty value.
    const char* kAbsent = "\x01\x02"
                          "absent";
    char text[2048];
    FlushProfileCache(file.path.c_str());
    GetPrivateProfileStringA(section, key, kAbsent, text, sizeof(text), file.path.c_str());
    *present = lstrcmpA(text, kAbsent) != 0;
    return *present ? text : "";
}

std::string ReadText(const LanguageFile& file, int number, bool* present) {
    char key[12];
    wsprintfA(key, "%d", number);
    return ReadValue(file, "Data", key, present);
}

// The keys of a section, in file order, through GetPrivateProfileSectionA.
std::vector<std::string> SectionKeys(const LanguageFile& file, const char* section) {
    std::vector<char> buffer(32768);
    FlushProfileCache(file.path.c_str());
    DWORD n =
        GetPrivateProfileSectionA(section, buffer.data(), (DWORD)buffer.size(), file.path.c_str());
    std::vector<std::string> keys;
    for (DWORD at = 0; at < n && buffer[at];) {
        std::string entry(&buffer[at]);
        at += (DWORD)entry.size() + 1;
        keys.push_back(entry.substr(0, entry.find('=')));
    }
    return keys;
}

std::wstring Decode(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), NULL, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], n);
    return wide;
}

// The accelerator characters of a text, upper-cased in the text's own code page: "&x" marks
// one, "&&" is a literal ampersand.
std::vector<wchar_t> Accelerators(const std::string& text, UINT codePage) {
    std::wstring wide = Decode(text, codePage);
    std::vector<wchar_t> found;
    for (size_t i = 0; i + 1 < wide.size(); ++i) {
        if (wide[i] != L'&') continue;
        if (wide[i + 1] != L'&') {
            wchar_t c[2] = {wide[i + 1], 0};
            CharUpperW(c);
            found.push_back(c[0]);
        }
        ++i;
    }
    return found;
}

std::string Describe(wchar_t c, UINT codePage) {
    char text[8] = {0};
    WideCharToMultiByte(CP_UTF8, 0, &c, 1, text, sizeof(text) - 1, NULL, NULL);
    char code[16];
    wsprintfA(code, " (U+%04X, ", (unsigned)c);
    return std::string(text) + code + "code page " + std::to_string(codePage) + ")";
}

class ShippedLanguageFile : public testing::Test {
  protected:
    void SetUp() override {
        files = ShippedLanguageFiles();
        // The build copies Lngs\*.lng beside the exe; fewer means files went missing.
        ASSERT_GE(files.size(), 8u) << "language files found in " << ProgramDir << "Lngs\\";
    }
    std::vector<LanguageFile> files;
};

TEST_F(ShippedLanguageFile, DeclaresAnAnsiCodePageAndIsStoredInIt) {
    for (const auto& file : files) {
        std::string raw = ReadTextFile(file.path);
        EXPECT_NE(file.codePage, 0u) << file.name << ": no \"Windows-<code page>\" comment";
        if (file.codePage) {
            EXPECT_TRUE(IsValidCodePage(file.codePage)) << file.name << ": " << file.codePage;
        }
        // An editor that saved the file as UTF-8 makes every accented letter two wrong ones.
        EXPECT_NE(raw.compare(0, 3, "\xEF\xBB\xBF"), 0) << file.name << ": UTF-8 byte order mark";
        bool nonAscii = false;
        for (unsigned char c : raw)
            nonAscii |= c >= 0x80;
        if (nonAscii) {
            int asUtf8 = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.data(),
                                             (int)raw.size(), NULL, 0);
            EXPECT_EQ(asUtf8, 0) << file.name << ": saved as UTF-8, not in its ANSI code page";
        }
    }
}

TEST_F(ShippedLanguageFile, NamesItsLanguage) {
    for (const auto& file : files) {
        bool present;
        std::string name = ReadValue(file, "Info", "Language", &present);
        EXPECT_TRUE(present) << file.name << ": no [Info] Language";
        EXPECT_FALSE(name.empty()) << file.name << ": empty [Info] Language";
    }
}

TEST_F(ShippedLanguageFile, TranslatesEveryTextNumber) {
    for (const auto& file : files) {
        for (size_t i = 0; i < UiTextCount; ++i) {
            bool present;
            std::string text = ReadText(file, UiTexts[i].number, &present);
            EXPECT_TRUE(present) << file.name << ": text " << UiTexts[i].number << " missing";
            EXPECT_FALSE(present && text.empty())
                << file.name << ": text " << UiTexts[i].number << " empty";
        }
    }
}

TEST_F(ShippedLanguageFile, HoldsOnlyTextNumbersEachOnce) {
    for (const auto& file : files) {
        std::set<std::string> seen;
        for (const auto& key : SectionKeys(file, "Data")) {
            // The program looks keys up by their plain decimal form, so "01" or " 1" is dead.
            bool isNumber = false;
            for (size_t i = 0; i < UiTextCount && !isNumber; ++i)
                isNumber = key == std::to_string(UiTexts[i].number);
            EXPECT_TRUE(isNumber) << file.name << ": [Data] key \"" << key
                                  << "\" is not a text number";
            EXPECT_TRUE(seen.insert(key).second)
                << file.name << ": text " << key << " given twice; only the first counts";
        }
    }
}

TEST_F(ShippedLanguageFile, AcceleratorCountMatchesEnglish) {
    for (const auto& file : files) {
        for (size_t i = 0; i < UiTextCount; ++i) {
            bool present;
            std::string text = ReadText(file, UiTexts[i].number, &present);
            if (!present) continue; // reported by TranslatesEveryTextNumber
            size_t english = Accelerators(UiTexts[i].text, 1252).size();
            EXPECT_EQ(Accelerators(text, file.codePage).size(), english)
                << file.name << ": text " << UiTexts[i].number << " \"" << text << "\"";
        }
    }
}

TEST_F(ShippedLanguageFile, AcceleratorsDifferWithinEachWindow) {
    for (const auto& file : files) {
        for (const auto& group : kAcceleratorGroups) {
            std::vector<std::pair<wchar_t, int>> used;
            for (int number : group.numbers) {
                bool present;
                std::string text = ReadText(file, number, &present);
                for (wchar_t c : Accelerators(text, file.codePage)) {
                    for (const auto& earlier : used)
                        EXPECT_NE(earlier.first, c)
                            << file.name << ", " << group.window << ": texts " << earlier.second
                            << " and " << number << " share accelerator "
                            << Describe(c, file.codePage);
                    used.push_back({c, number});
                }
            }
        }
    }
}

// The English texts themselves keep to the rules the translations are held to.
TEST(BuiltInTexts, AcceleratorsDifferWithinEachWindow) {
    for (const auto& group : kAcceleratorGroups) {
        std::set<wchar_t> used;
        for (int number : group.numbers) {
            const char* english = BuiltInText(number);
            ASSERT_NE(english, (const char*)NULL) << group.window << ": text " << number;
            for (wchar_t c : Accelerators(english, 1252))
                EXPECT_TRUE(used.insert(c).second) << group.window << ": text " << number;
        }
    }
}

const struct {
    int number;
    UINT command;
} kTrayMenuItems[] = {
    {0, CMD_ABOUT},
    {1, CMD_ENABLED},
    {2, CMD_OPTIONS},
    {3, CMD_EXIT},
};

TEST(ShippedLanguageMenu, EachFileTranslatesTheTrayMenuAndDefaultRestoresEnglish) {
    std::vector<LanguageFile> files = ShippedLanguageFiles();
    ASSERT_GE(files.size(), 8u);
    MenuResource = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TRAYMENU));
    ASSERT_NE(MenuResource, (HMENU)NULL);
    TrayMenu = GetSubMenu(MenuResource, 0);
    ASSERT_NE(TrayMenu, (HMENU)NULL);

    for (const auto& file : files) {
        CopyText(Settings.LanguageFile, sizeof(Settings.LanguageFile), file.name.c_str());
        LocalizeTrayMenu();
        bool anyTranslated = false;
        for (const auto& item : kTrayMenuItems) {
            bool present;
            std::string expected = ReadText(file, item.number, &present);
            std::string shown = TrayMenuText(item.command);
            EXPECT_EQ(shown, expected) << file.name << ": text " << item.number;
            anyTranslated |= shown != BuiltInText(item.number);
        }
        EXPECT_TRUE(anyTranslated) << file.name << ": the tray menu stayed English";

        CopyText(Settings.LanguageFile, sizeof(Settings.LanguageFile), "Default");
        LocalizeTrayMenu();
        for (const auto& item : kTrayMenuItems)
            EXPECT_EQ(TrayMenuText(item.command), BuiltInText(item.number))
                << "Default after " << file.name << ": text " << item.number;
    }
    DestroyMenu(MenuResource);
    MenuResource = NULL;
    TrayMenu = NULL;
}

} // namespace
