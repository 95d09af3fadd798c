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
