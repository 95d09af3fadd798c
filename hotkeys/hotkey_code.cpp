#include "hotkeys.h"

HotKeyArgs HotKeyToModifiers(uint32_t code) {
    // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8 in the high byte.
    const uint32_t flags = (code >> 8) & 0xFFu;
    HotKeyArgs args;
    args.modifiers = 0;
    if (flags & 1u) args.modifiers |= 4u; // MOD_SHIFT
    if (flags & 2u) args.modifiers |= 2u; // MOD_CONTROL
    if (flags & 4u) args.modifiers |= 1u; // MOD_ALT
    if (flags & 8u) args.modifiers |= 8u; // MOD_WIN
    args.virtualKey = (uint16_t)(code & 0xFFu);
    return args;
}
