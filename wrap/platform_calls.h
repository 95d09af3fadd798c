// The platform calls one wrap tick may make. A counting build (QUINDLET_COUNT_TICK_CALLS)
// routes them through counters so the per-tick cost can be measured on the real calls.
#pragma once

#include <windows.h>

#ifdef QUINDLET_COUNT_TICK_CALLS
extern int TickCallCount;
#define WRAP_COUNTED(call) (++TickCallCount, call)
#else
#define WRAP_COUNTED(call) (call)
#endif

#define WrapGetCursorPos(p) WRAP_COUNTED(GetCursorPos(p))
#define WrapGetSystemMetrics(i) WRAP_COUNTED(GetSystemMetrics(i))
#define WrapGetKeyState(k) WRAP_COUNTED(GetKeyState(k))
#define WrapSetCursorPos(x, y) WRAP_COUNTED(SetCursorPos(x, y))
#define WrapSetThreadDpiContext(c) WRAP_COUNTED(SetThreadDpiContext(c))
#define WrapGetForegroundWindow() WRAP_COUNTED(GetForegroundWindow())
#define WrapGetDesktopWindow() WRAP_COUNTED(GetDesktopWindow())
#define WrapGetShellWindow() WRAP_COUNTED(GetShellWindow())
#define WrapGetWindowProcessId(w, id) WRAP_COUNTED(GetWindowThreadProcessId(w, id))
#define WrapGetCurrentProcessId() WRAP_COUNTED(GetCurrentProcessId())
#define WrapGetClassName(w, name, size) WRAP_COUNTED(GetClassNameA(w, name, size))
#define WrapGetWindowLong(w, i) WRAP_COUNTED(GetWindowLongA(w, i))
#define WrapGetWindowRect(w, r) WRAP_COUNTED(GetWindowRect(w, r))
#define WrapMonitorFromWindow(w) WRAP_COUNTED(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST))
#define WrapMonitorFromPoint(p) WRAP_COUNTED(MonitorFromPoint(p, MONITOR_DEFAULTTONULL))
#define WrapGetMonitorInfo(m, i) WRAP_COUNTED(GetMonitorInfoA(m, i))
#define WrapQueryNotificationState(s) WRAP_COUNTED(QueryNotificationState(s))
#define WrapEnumDisplayMonitors(f, data)                                                           \
    WRAP_COUNTED(EnumDisplayMonitors(NULL, NULL, f, (LPARAM)data))
#define WrapGetProp(w, name) WRAP_COUNTED(GetPropA(w, name))
#define WrapGetClientRect(w, r) WRAP_COUNTED(GetClientRect(w, r))
#define WrapMapWindowPoints(w, p, n) WRAP_COUNTED(MapWindowPoints(w, NULL, p, n))
#define WrapFindWindowEx(parent, after, name) WRAP_COUNTED(FindWindowExA(parent, after, name, NULL))
#define WrapIsWindowVisible(w) WRAP_COUNTED(IsWindowVisible(w))
#define WrapOpenProcess(id) WRAP_COUNTED(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id))
#define WrapQueryImageName(p, name, size) WRAP_COUNTED(QueryFullProcessImageNameA(p, 0, name, size))
#define WrapCloseHandle(h) WRAP_COUNTED(CloseHandle(h))
#define WrapGetClipCursor(r) WRAP_COUNTED(GetClipCursor(r))
#define WrapGetCursorInfo(i) WRAP_COUNTED(GetCursorInfo(i))
#define WrapRegisterRawInput(d) WRAP_COUNTED(RegisterRawInputDevices(d, 1, sizeof(RAWINPUTDEVICE)))
#define WrapGetRawInputData(h, data, size)                                                         \
    WRAP_COUNTED(GetRawInputData(h, RID_INPUT, data, size, sizeof(RAWINPUTHEADER)))

// SetThreadDpiAwarenessContext, where Windows has it (10 1607 and later); and the per-monitor
// context it accepts, in which the desktop-wide mode sees physical pixels. NULL where either is
// missing: the mode then sees the desktop as this DPI-unaware program does. Both are found
// when the layout is read.
typedef DPI_AWARENESS_CONTEXT(WINAPI* SetDpiContextProc)(DPI_AWARENESS_CONTEXT);
extern SetDpiContextProc SetThreadDpiContext;
extern DPI_AWARENESS_CONTEXT PhysicalPixels;

// SHQueryUserNotificationState (shell32, Windows Vista and later), looked up on first use.
typedef HRESULT(WINAPI* QueryNotificationStateProc)(int* state);
extern QueryNotificationStateProc QueryNotificationState;
