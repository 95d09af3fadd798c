// The notification-area icon, its menu, the effect toggle and the one-copy dialog guards.
#include "app.h"

#include "../dialogs/dialogs.h"
#include "../res/resource.h"
#include "../settings/settings.h"
#include "../wrap/wrap.h"

bool TrayIconPresent;
bool AboutOpen;
bool OptionsOpen;

NOTIFYICONDATAA TrayData;

bool EffectEnabled() {
    return (GetMenuState(TrayMenu, CMD_ENABLED, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

HICON LoadTrayIcon(int iconId) {
    // Shared icons belong to the system and are never destroyed.
    return (HICON)LoadImageA(Instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_SHARED);
}

void AddTrayIcon(HICON icon) {
    ZeroMemory(&TrayData, sizeof(TrayData));
    TrayData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayData.hWnd = MainWindow;
    TrayData.uID = TRAY_ICON_ID;
    TrayData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayData.uCallbackMessage = QM_TRAYCALLBACK;
    TrayData.hIcon = icon;
    lstrcpynA(TrayData.szTip, "Quindlet", 9);
    Shell_NotifyIconA(NIM_ADD, &TrayData);
    // Set whatever the result: a shell that is not up yet announces itself with
    // "TaskbarCreated", and the icon is added again then.
    TrayIconPresent = true;
}

void DeleteTrayIcon() {
    Shell_NotifyIconA(NIM_DELETE, &TrayData);
    TrayIconPresent = false;
}

void SetTrayIcon(HICON icon) {
    TrayData.hIcon = icon;
    Shell_NotifyIconA(NIM_MODIFY, &TrayData);
}

void ShowTrayMenu() {
    POINT at;
    GetCursorPos(&at);
    // Without this the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(MainWindow);
    TrackPopupMenu(TrayMenu, 0, at.x, at.y, 0, MainWindow, NULL);
    // A message of our own after the menu, or the next time it opens it can vanish at once.
    PostMessageA(MainWindow, WM_NULL, 0, 0);
}

void ToggleEffect() {
    if (EffectEnabled()) {
        KillTimer(MainWindow, TIMER_WRAP);
        EndPushCount();
        CheckMenuItem(TrayMenu, CMD_ENABLED, MF_BYCOMMAND | MF_UNCHECKED);
        SetTrayIcon(LoadTrayIcon(IDI_EFFECT_OFF));
    } else {
        ResetWrapDelay();
        SetTimer(MainWindow, TIMER_WRAP, Settings.TimerInterval, NULL);
        CheckMenuItem(TrayMenu, CMD_ENABLED, MF_BYCOMMAND | MF_CHECKED);
        SetTrayIcon(LoadTrayIcon(IDI_EFFECT_ON));
        // Switching on with every border disabled would wrap nowhere: re-enable all four.
        if (Settings.DisabledBordersFlags == kAllBorders) {
            Settings.DisabledBordersFlags = 0;
            SaveDisabledBorders();
        }
    }
    SaveGlobalEnabled(EffectEnabled());
}

// DialogBoxParamA returns -1 when the dialog could not be created; its WM_DESTROY never ran
// then, so the open flag is cleared here or the dialog could never be opened again.
static void RunModalOnce(bool* openFlag, HWND dialog, int templateId, DLGPROC proc) {
    if (*openFlag) {
        SetForegroundWindow(dialog);
        return;
    }
    *openFlag = true;
    if (DialogBoxParamA(Instance, MAKEINTRESOURCEA(templateId), NULL, proc, 0) == -1)
        *openFlag = false;
}

void ShowOptionsDialog() {
    RunModalOnce(&OptionsOpen, OptionsDialog, IDD_OPTIONS, OptionsDlgProc);
}

void ShowAboutBox() {
    RunModalOnce(&AboutOpen, AboutBox, IDD_ABOUT, AboutDlgProc);
}
