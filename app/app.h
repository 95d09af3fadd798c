// The application shell: the entry routine, the hidden main window, the tray icon and menu,
// and the on/off state of the effect.
#pragma once

#include <windows.h>

#include <shellapi.h>

extern HINSTANCE Instance;
extern HWND MainWindow;
extern UINT TaskbarCreatedMessage;
extern HMENU MenuResource; // menu 104, destroyed with the main window
extern HMENU TrayMenu;     // its first pop-up
extern MSG Message;

// One record reused for every Shell_NotifyIconA call; its size is NOTIFYICONDATAA_V1_SIZE
// (88 bytes), understood by every shell version: an icon, a tip and a callback, nothing newer.
extern NOTIFYICONDATAA TrayData;
extern bool TrayIconPresent;
extern bool AboutOpen;
extern bool OptionsOpen;

// Single-instance guard: true when another copy already holds the named mutex.
bool IsAlreadyRunning();
// Registers "TfmMain" and "TaskbarCreated"; creates the hidden main window.
bool RegisterMainWindowClass();
HWND CreateMainWindow();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The effect's on/off state is the check mark of the tray menu's Enabled item.
bool EffectEnabled();
void ToggleEffect();

HICON LoadTrayIcon(int iconId);
void AddTrayIcon(HICON icon);
void DeleteTrayIcon();
void SetTrayIcon(HICON icon);
void ShowTrayMenu();
void ShowOptionsDialog();
void ShowAboutBox();
