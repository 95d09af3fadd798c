#include "hotkeys.h"

#include "../app/app.h"
#include "../settings/settings.h"

ATOM HotKeyIds[3];
bool HotKeysRegistered;

static const char* const kAtomNames[3] = {"QuindletHotKey1", "QuindletHotKey2", "QuindletHotKey3"};

void RegisterHotKeys() {
    const uint32_t codes[3] = {Settings.EnableDisableEffectHotKey, Settings.ShowOptionsHotKey,
                               Settings.ExitProgramHotKey};
    for (int i = 0; i < 3; ++i) {
        HotKeyIds[i] = GlobalAddAtomA(kAtomNames[i]);
        HotKeyArgs args = HotKeyToModifiers(codes[i]);
        // A combination another program holds fails here; that hotkey stays inactive until
        // the next pass and its atom is released at once.
        // MOD_NOREPEAT: a held combination fires once, not on every key repeat (each toggle
        // rewrites the settings file).
        if (!RegisterHotKey(MainWindow, HotKeyIds[i], args.modifiers | MOD_NOREPEAT,
                            args.virtualKey)) {
            GlobalDeleteAtom(HotKeyIds[i]);
            // The freed atom is handed out again at once: a stale id would match another hotkey.
            HotKeyIds[i] = 0;
        }
    }
    HotKeysRegistered = true;
}

void UnregisterHotKeys() {
    for (int i = 0; i < 3; ++i) {
        if (!HotKeyIds[i]) continue; // released when its registration failed
        UnregisterHotKey(MainWindow, HotKeyIds[i]);
        GlobalDeleteAtom(HotKeyIds[i]);
        HotKeyIds[i] = 0;
    }
    HotKeysRegistered = false;
}

void OnHotKey(WPARAM id) {
    if (id == HotKeyIds[0] && id != 0)
        ToggleEffect();
    else if (id == HotKeyIds[1] && id != 0)
        ShowOptionsDialog();
    else
        DestroyWindow(MainWindow);
}
