// The three global hotkeys: toggle the effect, show Options, exit.
#pragma once

#include <stdint.h>

// A HotKeyCode in RegisterHotKey's terms.
struct HotKeyArgs {
    uint16_t modifiers; // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
    uint16_t virtualKey;
};

// HotKeyCode (low byte virtual key, high byte HOTKEYF_* flags) to RegisterHotKey arguments.
// The hotkey control's extended-key flag becomes the Windows-key modifier.
HotKeyArgs HotKeyToModifiers(uint32_t code);

#ifdef _WIN32

#include <windows.h>

extern ATOM HotKeyIds[3];
extern bool HotKeysRegistered;

void RegisterHotKeys();
void UnregisterHotKeys();
// WM_HOTKEY of the main window.
void OnHotKey(WPARAM id);

#endif
