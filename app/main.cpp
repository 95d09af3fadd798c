// Entry routine: single-instance guard, hidden main window, message loop.
#include "app.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (IsAlreadyRunning()) ExitProcess(0);
    Instance = GetModuleHandleA(NULL);
    InitCommonControls();
    RegisterMainWindowClass();
    CreateMainWindow();
    UpdateWindow(MainWindow);
    // GetMessageA returns -1 on an invalid handle; only 0 (WM_QUIT) ends the loop.
    while (GetMessageA(&Message, NULL, 0, 0) != 0) {
        TranslateMessage(&Message);
        DispatchMessageA(&Message);
    }
    ExitProcess((UINT)Message.wParam);
}
