// The Options dialog with its three pages, and the About box. Both are modal, ownerless and
// exist at most once; their modal loops keep dispatching the main window's messages.
#pragma once

#include <windows.h>

extern HWND OptionsDialog;
extern HWND GeneralPage;
extern HWND BlockingPage;
extern HWND BordersPage;
extern HWND ShownPage; // NULL until a page is shown, and after the dialog is destroyed
extern RECT PageRect;  // the tab control's display area, in the Options dialog's client space
extern HWND AboutBox;

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BlockingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BordersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void ShowSelectedPage();
