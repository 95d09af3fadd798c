// Number parsing, bounded copies and the paths derived from the program's location.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string.h>

namespace {

TEST(ParseDecimal, DigitsParseAndAnythingElseGivesTheDefault) {
    struct {
        const char* text;
        uint32_t expected;
    } cases[] = {
        {"0", 0},
        {"50", 50},
        {"007", 7},
        {"4294967295", 4294967295u},
        {"4294967296", 0},
        {"4294967297", 1},
        {"9999999999", 1410065407u},
        {"", 63},
        {"abc", 63},
        {"-5", 63},
        {"+5", 63},
        {" 5", 63},
        {"5 ", 63},
        {"1a", 63},
        {"0x10", 63},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimal(c.text, 63), c.expected) << c.text;
}

TEST(CopyText, RefusesWhatDoesNotFitAndLeavesItEmpty) {
    char buffer[8];
    EXPECT_TRUE(CopyText(buffer, sizeof(buffer), "1234567"));
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_FALSE(CopyText(buffer, sizeof(buffer), "12345678"));
    EXPECT_STREQ(buffer, "");
    CopyText(buffer, sizeof(buffer), "abc");
    EXPECT_TRUE(AppendText(buffer, sizeof(buffer), "defg"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(AppendText(buffer, sizeof(buffer), "h"));
    EXPECT_STREQ(buffer, "");
}

// ExcludedPrograms read from a file: 1023 characters at most, never half a name.
TEST(CopyWholeNames, ALongListKeepsTheNamesThatFitWhole) {
    const std::string n1019(1019, 'n');
    const struct {
        std::string src, kept;
    } cases[] = {
        {n1019 + ".exe", n1019 + ".exe"},                // exactly 1023
        {"a.exe; b.exe;" + n1019 + "c", "a.exe; b.exe"}, // 1024, the bound inside a name
        {n1019 + ".exe;b", n1019 + ".exe"},              // ';' right after the bound
        {n1019 + ".exe" + n1019, ""},                    // one name, too long
    };
    for (const auto& c : cases) {
        std::unique_ptr<char[]> kept(new char[kProgramListSize]);
        CopyWholeNames(kept.get(), kProgramListSize, c.src.c_str());
        EXPECT_EQ(kept.get(), c.kept) << c.src.size();
    }
}

struct PathCase {
    std::string module, dir, settings;
};

TEST(DeriveProgramPaths, FolderKeepsBackslashAndExtensionBecomesIni) {
    const PathCase cases[] = {
        {"C:\\Tools\\Quindlet.exe", "C:\\Tools\\", "C:\\Tools\\Quindlet.ini"},
        {"C:\\Quindlet.exe", "C:\\", "C:\\Quindlet.ini"},
        {"C:\\Tools\\Quindlet", "C:\\Tools\\", "C:\\Tools\\Quindlet.ini"},
        // The last dot of the whole path counts, even inside a folder name.
        {"C:\\My.Tools\\Quindlet", "C:\\My.Tools\\", "C:\\My.ini"},
        {"C:\\Tools\\Quindlet.v2.exe", "C:\\Tools\\", "C:\\Tools\\Quindlet.v2.ini"},
        {"Quindlet.exe", "Quindlet.exe\\", "Quindlet.ini"},
    };
    for (const PathCase& c : cases) {
        char dir[kPathSize], ini[kPathSize];
        ASSERT_TRUE(DeriveProgramPaths(c.module.c_str(), dir, sizeof(dir), ini, sizeof(ini)))
            << c.module;
        EXPECT_EQ(dir, c.dir);
        EXPECT_EQ(ini, c.settings);
    }
}

// Paths of every length near the buffer size: either both derived paths fit exactly, or both
// come back empty; nothing is ever written past a buffer (ASan watches the exact sizes).
TEST(DeriveProgramPaths, LongProgramPathsNeverOverrunTheirBuffers) {
    for (size_t len = 250; len < kPathSize; ++len) {
        for (int variant = 0; variant < 3; ++variant) {
            std::string module = "C:\\" + std::string(len - 3, 'a');
            if (variant == 1) module.replace(module.size() - 4, 4, ".exe");
            if (variant == 2) module = std::string(len, 'b'); // no backslash, no dot
            std::unique_ptr<char[]> dir(new char[kPathSize]), ini(new char[kPathSize]);
            bool ok =
                DeriveProgramPaths(module.c_str(), dir.get(), kPathSize, ini.get(), kPathSize);
            size_t stem = variant == 1 ? len - 4 : len;
            size_t dirLen = variant == 2 ? len + 1 : 3;
            bool fits = stem + 4 < kPathSize && dirLen < kPathSize;
            EXPECT_EQ(ok, fits) << "len=" << len << " variant=" << variant;
            if (ok) {
                EXPECT_EQ(strlen(ini.get()), stem + 4);
                EXPECT_EQ(strlen(dir.get()), dirLen);
            } else {
                EXPECT_STREQ(dir.get(), "");
                EXPECT_STREQ(ini.get(), "");
            }
        }
    }
}

TEST(SetDefaultSettings, GivesTheDocumentedDefaults) {
    memset(&Settings, 0xAB, sizeof(Settings));
    SetDefaultSettings();
    EXPECT_EQ(Settings.TimerInterval, 50u);
    EXPECT_STREQ(Settings.LanguageFile, "Default");
    EXPECT_EQ(Settings.EnableDisableEffectHotKey, 1653u); // Ctrl+Alt+F6
    EXPECT_EQ(Settings.ShowOptionsHotKey, 1654u);
    EXPECT_EQ(Settings.ExitProgramHotKey, 1655u);
    EXPECT_EQ(Settings.DoNotTranferIfLMBPressed, 1u);
    EXPECT_EQ(Settings.BlockingKey, 1u);
    EXPECT_EQ(Settings.IgnorableTRCornerWidth, 63u);
    EXPECT_EQ(Settings.IgnorableTRCornerHeight, 63u);
    EXPECT_EQ(Settings.UseKeyToPass, 1u);
    EXPECT_EQ(Settings.DisabledBordersFlags, 0u);
}

} // namespace
