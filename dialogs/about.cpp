// The About box: icon, name and version, and the localized description.
#include "dialogs.h"

#include "../app/app.h"
#include "../lang/lang.h"

HWND AboutBox;

// Only the OK button closes the box from a control. Escape arrives as IDCANCEL with no control
// behind it (there is no Cancel button) and is swallowed like every other command.
static void OnAboutCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (lParam != 0 && HIWORD(wParam) == 0 && LOWORD(wParam) == IDOK) EndDialog(dialog, 0);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        AboutBox = dialog;
        LocalizeAboutBox(dialog);
        return TRUE;
    case WM_COMMAND: OnAboutCommand(dialog, wParam, lParam); return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    case WM_DESTROY: AboutOpen = false; return TRUE;
    }
    return FALSE;
}
