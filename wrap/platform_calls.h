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

// SetThreadDpiAwarenessContext, where Windows has it (10 1607 and later); and the per-monitor
// context it accepts, in which the desktop-wide mode sees physical pixels. NULL where either is
// missing: the mode then sees the desktop as this DPI-unaware program does. Both are found
// when the layout is read.
typedef DPI_AWARENESS_CONTEXT(WINAPI* SetDpiContextProc)(DPI_AWARENESS_CONTEXT);
extern SetDpiContextProc SetThreadDpiContext;
extern DPI_AWARENESS_CONTEXT PhysicalPixels;
