// The Options dialog: a tab control with three modeless pages laid over its display area.
// The controls are filled from Settings at set-up; only OK copies them back and saves.
#include "dialogs.h"

#include <commctrl.h>

#include "../app/app.h"
#include "../hotkeys/hotkeys.h"
#include "../lang/lang.h"
#include "../res/resource.h"
#include "../settings/settings.h"
#include "../wrap/wrap.h"

HWND OptionsDialog;
HWND GeneralPage;
HWND BlockingPage;
HWND BordersPage;
HWND ShownPage;
RECT PageRect;

// What an empty or non-numeric corner size box stands for.
const uint32_t kDefaultCornerSize = 63;

static const int kHotKeyControls[3] = {IDC_TOGGLE_HOTKEY, IDC_OPTIONS_HOTKEY, IDC_EXIT_HOTKEY};

// Border check boxes and the BorderFlags bit each one stands for.
static const struct {
    int control;
    uint32_t flag;
} kBorderBoxes[4] = {
    {IDC_BORDER_LEFT, kBorderLeft},
    {IDC_BORDER_TOP, kBorderTop},
    {IDC_BORDER_RIGHT, kBorderRight},
    {IDC_BORDER_BOTTOM, kBorderBottom},
};

// Corner check boxes and the IgnorableCorners bit each one stands for.
static const struct {
    int control;
    uint32_t corner;
} kCornerBoxes[4] = {
    {IDC_CORNER_TOP_LEFT, kCornerTopLeft},
    {IDC_CORNER_TOP_RIGHT, kCornerTopRight},
    {IDC_CORNER_BOTTOM_LEFT, kCornerBottomLeft},
    {IDC_CORNER_BOTTOM_RIGHT, kCornerBottomRight},
};

static bool IsChecked(HWND page, int control) {
    return SendDlgItemMessageA(page, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static void CheckIf(HWND page, int control, bool checked) {
    if (checked) SendDlgItemMessageA(page, control, BM_SETCHECK, BST_CHECKED, 0);
}

static uint32_t* HotKeySetting(int index) {
    switch (index) {
    case 0: return &Settings.EnableDisableEffectHotKey;
    case 1: return &Settings.ShowOptionsHotKey;
    default: return &Settings.ExitProgramHotKey;
    }
}

// ---- set-up ------------------------------------------------------------------------------

// The pages are children of the dialog, not of the tab control, so the display area is
// taken in the dialog's client space.
static void ComputePageRect(HWND dialog) {
    HWND tabs = GetDlgItem(dialog, IDC_TABS);
    GetClientRect(tabs, &PageRect);
    MapWindowPoints(tabs, dialog, (POINT*)&PageRect, 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&PageRect);
}

static void InitOptionsDialog(HWND dialog) {
    OptionsDialog = dialog;
    LocalizeOptionsDialog(dialog);
    ComputePageRect(dialog);
    GeneralPage = CreateDialogParamA(Instance, MAKEINTRESOURCEA(IDD_PAGE_GENERAL), dialog,
                                     GeneralPageProc, 0);
    BlockingPage = CreateDialogParamA(Instance, MAKEINTRESOURCEA(IDD_PAGE_BLOCKING), dialog,
                                      BlockingPageProc, 0);
    BordersPage = CreateDialogParamA(Instance, MAKEINTRESOURCEA(IDD_PAGE_BORDERS), dialog,
                                     BordersPageProc, 0);
    ShowSelectedPage();
}

// Topmost among the dialog's children: the dialog manager then finds the shown page's
// controls before OK, Cancel and the tabs when it looks for the first tab stop.
static void PlacePage(HWND page) {
    SetWindowPos(page, HWND_TOP, PageRect.left, PageRect.top, PageRect.right - PageRect.left,
                 PageRect.bottom - PageRect.top, 0);
}

static void FillGeneralPage(HWND page) {
    HWND languages = GetDlgItem(page, IDC_LANGUAGE);
    SendMessageA(languages, CB_ADDSTRING, 0, (LPARAM) "English (USA)");
    SendMessageA(languages, CB_SETCURSEL, BuildLanguageList(languages), 0);
    for (int i = 0; i < 3; ++i) {
        // A hotkey without a modifier, or with Shift alone, would take the key from every
        // program: the control adds Alt to such a combination as it is typed.
        SendDlgItemMessageA(page, kHotKeyControls[i], HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                            MAKELPARAM(HOTKEYF_ALT, 0));
        SendDlgItemMessageA(page, kHotKeyControls[i], HKM_SETHOTKEY, LOWORD(*HotKeySetting(i)), 0);
    }
    CheckIf(page, IDC_RUN_AT_STARTUP, ReflectStartupRegistration());
}

static void SetNumberText(HWND page, int control, uint32_t value) {
    char text[12]; // the longest 32-bit number has 10 digits
    wsprintfA(text, "%lu", (unsigned long)value);
    SetDlgItemTextA(page, control, text);
}

static void FillBlockingPage(HWND page) {
    CheckIf(page, IDC_BUTTON_GATE, Settings.DoNotTranferIfLMBPressed != 0);
    SendDlgItemMessageA(page, IDC_BLOCKING_KEY, CB_SETCURSEL, Settings.BlockingKey, 0);
    SetNumberText(page, IDC_CORNER_WIDTH, Settings.IgnorableTRCornerWidth);
    SetNumberText(page, IDC_CORNER_HEIGHT, Settings.IgnorableTRCornerHeight);
    CheckIf(page, IDC_USE_KEY_TO_PASS, Settings.UseKeyToPass != 0);
    CheckIf(page, IDC_PAUSE_IN_FULL_SCREEN, Settings.PauseInFullScreen != 0);
    // No more than the settings file keeps, so what is typed is what is saved.
    SendDlgItemMessageA(page, IDC_EXCLUDED_PROGRAMS, EM_LIMITTEXT, kProgramListSize - 1, 0);
    SetDlgItemTextA(page, IDC_EXCLUDED_PROGRAMS, Settings.ExcludedPrograms);
    // The grey example an empty box shows; the message takes UTF-16 text.
    SendDlgItemMessageA(page, IDC_EXCLUDED_PROGRAMS, EM_SETCUEBANNER, FALSE,
                        (LPARAM)L"mstsc.exe; game.exe");
}

static void FillBordersPage(HWND page) {
    for (const auto& box : kBorderBoxes)
        CheckIf(page, box.control, (Settings.DisabledBordersFlags & box.flag) != 0);
    CheckIf(page, IDC_WRAP_ACROSS_MONITORS, Settings.WrapAcrossMonitors != 0);
    CheckIf(page, IDC_ONLY_WITH_SEVERAL_MONITORS, Settings.OnlyWithSeveralMonitors != 0);
    SetNumberText(page, IDC_WRAP_DELAY, Settings.WrapDelay);
    SetNumberText(page, IDC_WRAP_DISTANCE, Settings.WrapDistance);
    CheckIf(page, IDC_KEEP_TASKBAR_REACHABLE, Settings.KeepTaskbarReachable != 0);
    for (const auto& box : kCornerBoxes)
        CheckIf(page, box.control, (Settings.IgnorableCorners & box.corner) != 0);
}

// Each tab's page and the control that takes the focus when the page is shown.
static const struct {
    HWND* page;
    int firstControl;
} kTabPages[3] = {
    {&GeneralPage, IDC_LANGUAGE},
    {&BlockingPage, IDC_BUTTON_GATE},
    {&BordersPage, IDC_BORDER_TOP},
};

void ShowSelectedPage() {
    LRESULT selected = SendDlgItemMessageA(OptionsDialog, IDC_TABS, TCM_GETCURSEL, 0, 0);
    if (ShownPage) ShowWindow(ShownPage, SW_HIDE);
    if (selected < 0 || selected >= 3) return;
    HWND page = *kTabPages[selected].page;
    ShowWindow(page, SW_SHOW);
    // Focus on the tabs, OK or Cancel stays: the user is moving through the tabs with the
    // keyboard. Focus inside the page just hidden must move, or it would sit on a hidden control.
    if (GetParent(GetFocus()) != OptionsDialog)
        SetFocus(GetDlgItem(page, kTabPages[selected].firstControl));
    ShownPage = page;
}

// ---- OK ----------------------------------------------------------------------------------

static void ReadHotKeys() {
    for (int i = 0; i < 3; ++i)
        *HotKeySetting(i) =
            LOWORD(SendDlgItemMessageA(GeneralPage, kHotKeyControls[i], HKM_GETHOTKEY, 0, 0));
}

static uint32_t ReadBorderFlags() {
    uint32_t flags = 0;
    for (const auto& box : kBorderBoxes)
        if (IsChecked(BordersPage, box.control)) flags += box.flag;
    return flags;
}

static uint32_t ReadCorners() {
    uint32_t corners = 0;
    for (const auto& box : kCornerBoxes)
        if (IsChecked(BordersPage, box.control)) corners |= box.corner;
    return corners;
}

static uint32_t ReadNumber(HWND page, int control, uint32_t defaultValue) {
    char text[11] = ""; // ten digits at most; longer text is cut, as in the settings file
    GetDlgItemTextA(page, control, text, sizeof(text));
    return ParseDecimal(text, defaultValue);
}

static void ApplyOptions() {
    SelectedLanguage(GetDlgItem(GeneralPage, IDC_LANGUAGE));
    LocalizeTrayMenu();
    ReadHotKeys();
    // Always both: a hotkey another program held at start may be free by now.
    UnregisterHotKeys();
    RegisterHotKeys();
    Settings.DisabledBordersFlags = ReadBorderFlags();
    // With every border disabled the timer would only burn time: switch the effect off.
    if (Settings.DisabledBordersFlags == kAllBorders && EffectEnabled()) ToggleEffect();
    Settings.DoNotTranferIfLMBPressed = IsChecked(BlockingPage, IDC_BUTTON_GATE) ? 1 : 0;
    Settings.BlockingKey =
        (uint32_t)SendDlgItemMessageA(BlockingPage, IDC_BLOCKING_KEY, CB_GETCURSEL, 0, 0);
    Settings.IgnorableTRCornerWidth =
        ReadNumber(BlockingPage, IDC_CORNER_WIDTH, kDefaultCornerSize);
    Settings.IgnorableTRCornerHeight =
        ReadNumber(BlockingPage, IDC_CORNER_HEIGHT, kDefaultCornerSize);
    Settings.UseKeyToPass = IsChecked(BlockingPage, IDC_USE_KEY_TO_PASS) ? 1 : 0;
    Settings.PauseInFullScreen = IsChecked(BlockingPage, IDC_PAUSE_IN_FULL_SCREEN) ? 1 : 0;
    GetDlgItemTextA(BlockingPage, IDC_EXCLUDED_PROGRAMS, Settings.ExcludedPrograms,
                    sizeof(Settings.ExcludedPrograms));
    Settings.WrapAcrossMonitors = IsChecked(BordersPage, IDC_WRAP_ACROSS_MONITORS) ? 1 : 0;
    Settings.IgnorableCorners = ReadCorners();
    // Stored as typed: the tick counts anything above kMaxWrapDelay as kMaxWrapDelay.
    Settings.WrapDelay = ReadNumber(BordersPage, IDC_WRAP_DELAY, 0);
    // Likewise: anything above kMaxWrapDistance counts as kMaxWrapDistance.
    Settings.WrapDistance = ReadNumber(BordersPage, IDC_WRAP_DISTANCE, 0);
    if (!Settings.WrapDistance) EndPushCount();
    Settings.OnlyWithSeveralMonitors =
        IsChecked(BordersPage, IDC_ONLY_WITH_SEVERAL_MONITORS) ? 1 : 0;
    Settings.KeepTaskbarReachable = IsChecked(BordersPage, IDC_KEEP_TASKBAR_REACHABLE) ? 1 : 0;
    // Switching the mode on starts from the layout as it is now, whatever was read before.
    if (Settings.WrapAcrossMonitors) ReadMonitorLayout();
    SaveDisabledBorders();
    SaveOptions();
    ApplyStartupRegistration(IsChecked(GeneralPage, IDC_RUN_AT_STARTUP));
}

// ---- dialog procedures -------------------------------------------------------------------

static void OnOptionsCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 || HIWORD(wParam) != 0) return;
    switch (LOWORD(wParam)) {
    case IDOK:
        ApplyOptions();
        EndDialog(dialog, 0);
        break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    }
}

static void OnOptionsNotify(const NMHDR* header) {
    if (header->idFrom == IDC_TABS && header->code == (UINT)TCN_SELCHANGE) ShowSelectedPage();
}

static void OnOptionsDestroy() {
    FreeLanguageList();
    DestroyWindow(GeneralPage);
    DestroyWindow(BlockingPage);
    DestroyWindow(BordersPage);
    ShownPage = NULL;
    OptionsOpen = false;
}

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: InitOptionsDialog(dialog); return TRUE;
    case WM_NOTIFY: OnOptionsNotify((const NMHDR*)lParam); return TRUE;
    case WM_COMMAND: OnOptionsCommand(dialog, wParam, lParam); return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    case WM_DESTROY: OnOptionsDestroy(); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    GeneralPage = page;
    LocalizeGeneralPage(page);
    PlacePage(page);
    FillGeneralPage(page);
    return TRUE;
}

INT_PTR CALLBACK BlockingPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    BlockingPage = page;
    LocalizeBlockingPage(page);
    PlacePage(page);
    FillBlockingPage(page);
    return TRUE;
}

INT_PTR CALLBACK BordersPageProc(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    BordersPage = page;
    LocalizeBordersPage(page);
    PlacePage(page);
    FillBordersPage(page);
    return TRUE;
}
