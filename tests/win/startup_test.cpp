// Start at logon on the real per-user Run key of the prefix registry.
#include "settings/settings.h"

#include <windows.h>

#include <ctype.h>

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kValue[] = "Quindlet";
// Another program's start-up entry that must never be touched.
const char kSibling[] = "QuindletNeighbour";
const char kSiblingData[] = "C:\\Other\\neighbour.exe";

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, NULL, &key, NULL),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, (const BYTE*)data, size), ERROR_SUCCESS);
    RegCloseKey(key);
}

struct RawValue {
    bool present = false;
    DWORD type = 0;
    std::vector<char> data;
};

RawValue GetRaw(const char* name) {
    RawValue v;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return v;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, NULL, &v.type, NULL, &size) == ERROR_SUCCESS) {
        v.present = true;
        v.data.resize(size);
        RegQueryValueExA(key, name, NULL, NULL, (BYTE*)v.data.data(), &size);
        v.data.resize(size);
    }
    RegCloseKey(key);
    return v;
}

void DeleteRaw(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

std::vector<char> Bytes(const std::string& s, bool withNul) {
    std::vector<char> b(s.begin(), s.end());
    if (withNul) b.push_back('\0');
    return b;
}

class Startup : public testing::Test {
  protected:
    void SetUp() override {
        DeleteRaw(kValue);
        SetRaw(kSibling, REG_SZ, kSiblingData, sizeof(kSiblingData));
        module = ModulePath();
        ASSERT_GT(module.size(), 3u);
    }
    void TearDown() override {
        DeleteRaw(kValue);
        DeleteRaw(kSibling);
    }
    void ExpectSiblingUntouched(const std::string& what) {
        RawValue s = GetRaw(kSibling);
        EXPECT_TRUE(s.present) << what;
        EXPECT_EQ(s.type, (DWORD)REG_SZ) << what;
        EXPECT_EQ(std::string(s.data.data()), kSiblingData) << what;
    }
    std::string module;
};

TEST_F(Startup, ApplyWritesThisProgramsExactPathAndReflectKeepsIt) {
    ApplyStartupRegistration(true);
    RawValue v = GetRaw(kValue);
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.type, (DWORD)REG_SZ);
    EXPECT_EQ(v.data, Bytes(module, true)); // no quotes, no arguments, NUL counted

    EXPECT_TRUE(ReflectStartupRegistration());
    RawValue after = GetRaw(kValue);
    EXPECT_TRUE(after.present);
    EXPECT_EQ(after.data, v.data);
    EXPECT_TRUE(ReflectStartupRegistration()); // asking again changes nothing

    ApplyStartupRegistration(true); // already registered: stays one identical value
    EXPECT_EQ(GetRaw(kValue).data, v.data);

    ApplyStartupRegistration(false);
    EXPECT_FALSE(GetRaw(kValue).present);
    EXPECT_FALSE(ReflectStartupRegistration());
    ApplyStartupRegistration(false); // nothing to delete: no harm
    EXPECT_FALSE(GetRaw(kValue).present);
    ExpectSiblingUntouched("apply");
}

TEST_F(Startup, ApplyReplacesAForeignValue) {
    DWORD one = 1;
    SetRaw(kValue, REG_DWORD, &one, sizeof(one));
    ApplyStartupRegistration(true);
    RawValue v = GetRaw(kValue);
    EXPECT_EQ(v.type, (DWORD)REG_SZ);
    EXPECT_EQ(v.data, Bytes(module, true));
    EXPECT_TRUE(ReflectStartupRegistration());
}

TEST_F(Startup, ReflectKeepsOnlyAValueNamingThisProgram) {
    std::string otherCase = module;
    for (char& c : otherCase)
        if (isalpha((unsigned char)c))
            c = (char)(isupper((unsigned char)c) ? tolower((unsigned char)c)
                                                 : toupper((unsigned char)c));
    ASSERT_NE(otherCase, module);
    ASSERT_EQ(lstrcmpiA(otherCase.c_str(), module.c_str()), 0);
    const std::string fileName = module.substr(module.rfind('\\') + 1);
    DWORD one = 1;

    struct {
        const char* what;
        DWORD type;
        std::vector<char> data;
        bool kept;
    } cases[] = {
        {"exact path", REG_SZ, Bytes(module, true), true},
        // The reported size bounds the string: data stored without its NUL still names us.
        {"exact path without NUL", REG_SZ, Bytes(module, false), true},
        {"quoted", REG_SZ, Bytes("\"" + module + "\"", true), false},
        {"with an argument", REG_SZ, Bytes(module + " /tray", true), false},
        {"moved program", REG_SZ, Bytes("C:\\Old Tools\\" + fileName, true), false},
        {"other letter case", REG_SZ, Bytes(otherCase, true), false},
        {"path cut short", REG_SZ, Bytes(module.substr(0, module.size() - 1), true), false},
        {"expandable string", REG_EXPAND_SZ, Bytes(module, true), false},
        {"multi string", REG_MULTI_SZ, Bytes(module + '\0', true), false},
        {"binary", REG_BINARY, Bytes(module, true), false},
        {"dword", REG_DWORD, std::vector<char>((char*)&one, (char*)&one + 4), false},
        {"size 0", REG_SZ, {}, false},
        {"size 1", REG_SZ, {'\0'}, false},
    };
    for (const auto& c : cases) {
        // A non-zero byte just past the data: Wine adds a NUL to string data when the byte
        // after it happens to be 0, which would hide data stored without one.
        std::vector<char> stored = c.data;
        stored.push_back('X');
        SetRaw(kValue, c.type, stored.data(), (DWORD)c.data.size());
        RawValue before = GetRaw(kValue);
        EXPECT_TRUE(before.present) << c.what;
        EXPECT_EQ(before.type, c.type) << c.what;
        EXPECT_EQ(before.data, c.data) << c.what;

        EXPECT_EQ(ReflectStartupRegistration(), c.kept) << c.what;
        RawValue after = GetRaw(kValue);
        EXPECT_EQ(after.present, c.kept) << c.what;
        if (c.kept) {
            EXPECT_EQ(after.data, c.data) << c.what;
        }
        ExpectSiblingUntouched(c.what);
        DeleteRaw(kValue);
    }
}

TEST_F(Startup, MissingValueReflectsFalseAndDeletesNothingElse) {
    EXPECT_FALSE(ReflectStartupRegistration());
    EXPECT_FALSE(GetRaw(kValue).present);
    ExpectSiblingUntouched("missing value");
    // Values whose names only begin like ours are others' too.
    SetRaw("Quindlet2", REG_SZ, "x", 2);
    EXPECT_FALSE(ReflectStartupRegistration());
    ApplyStartupRegistration(false);
    EXPECT_TRUE(GetRaw("Quindlet2").present);
    DeleteRaw("Quindlet2");
    ExpectSiblingUntouched("prefix sibling");
}

} // namespace
