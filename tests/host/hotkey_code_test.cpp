#include "hotkeys/hotkeys.h"

#include <gtest/gtest.h>

namespace {

TEST(HotKeyToModifiers, ControlFlagsBecomeRegisterHotKeyModifiers) {
    struct {
        uint32_t code;
        uint16_t modifiers, key;
    } cases[] = {
        {1653, 2 | 1, 0x75},   // Ctrl+Alt+F6: MOD_CONTROL | MOD_ALT
        {0x0141, 4, 0x41},     // Shift+A: MOD_SHIFT
        {0x0941, 4 | 8, 0x41}, // Shift+extended: MOD_SHIFT | MOD_WIN
        {0x0F77, 1 | 2 | 4 | 8, 0x77},
        {0x0000, 0, 0},            // an empty hotkey control converts like any other
        {0xF0000675, 2 | 1, 0x75}, // bits above the 16 of a HotKeyCode mean nothing
        {0xF075, 0, 0x75},         // unknown high flags are dropped
    };
    for (const auto& c : cases) {
        HotKeyArgs args = HotKeyToModifiers(c.code);
        EXPECT_EQ(args.modifiers, c.modifiers) << std::hex << c.code;
        EXPECT_EQ(args.virtualKey, c.key) << std::hex << c.code;
    }
}

} // namespace
