#include "lang/lang.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <memory>
#include <string>
#include <string.h>

namespace {

TEST(UiTexts, NumbersAreUniqueAndEveryTextIsFound) {
    std::set<int> seen;
    for (size_t i = 0; i < UiTextCount; ++i) {
        EXPECT_TRUE(seen.insert(UiTexts[i].number).second) << UiTexts[i].number;
        EXPECT_EQ(BuiltInText(UiTexts[i].number), UiTexts[i].text);
    }
    EXPECT_EQ(UiTextCount, 49u);
    EXPECT_EQ(BuiltInText(4), nullptr);
    EXPECT_STREQ(BuiltInText(51), "&Don't Tranfer Cursor if LMB Pressed");
}

TEST(LanguageBaseName, CutsAtTheLastDot) {
    struct {
        const char* name;
        const char* base;
    } cases[] = {
        {"Deutsch.lng", "Deutsch"}, {"pt.BR.lng", "pt.BR"}, {"NoDot", "NoDot"}, {".lng", ""}};
    for (const auto& c : cases) {
        char out[kPathSize];
        LanguageBaseName(out, sizeof(out), c.name);
        EXPECT_STREQ(out, c.base);
    }
    char small[4];
    LanguageBaseName(small, sizeof(small), "Deutsch.lng");
    EXPECT_STREQ(small, "Deu");
}

TEST(BuildLanguagePath, JoinsFolderAndNameOrRefusesWhatWouldNotFit) {
    char out[kPathSize];
    ASSERT_TRUE(BuildLanguagePath(out, sizeof(out), "C:\\Tools\\", "Deutsch.lng"));
    EXPECT_STREQ(out, "C:\\Tools\\Lngs\\Deutsch.lng");
    EXPECT_FALSE(BuildLanguagePath(out, sizeof(out), "", "Deutsch.lng")) << "relative path";
    EXPECT_STREQ(out, "");

    const std::string dir = "C:\\Tools\\";
    for (size_t nameLen = 230; nameLen < 260; ++nameLen) {
        std::string name(nameLen, 'x');
        bool fits = dir.size() + 5 + nameLen < kPathSize;
        std::unique_ptr<char[]> exact(new char[kPathSize]);
        EXPECT_EQ(BuildLanguagePath(exact.get(), kPathSize, dir.c_str(), name.c_str()), fits);
        EXPECT_EQ(strlen(exact.get()), fits ? dir.size() + 5 + nameLen : 0u);
    }
}

} // namespace
