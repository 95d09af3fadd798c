// TEMPORARY: replaced by the real Options dialog.
#include "dialogs.h"
HWND OptionsDialog, GeneralPage, BlockingPage, BordersPage, ShownPage, AboutBox;
RECT PageRect;
INT_PTR CALLBACK OptionsDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK GeneralPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK BlockingPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK BordersPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK AboutDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void ShowSelectedPage() {}
