// The cost of one wrap tick, counted on the real calls: wrap/wrap_tick.cpp is built here with
// QUINDLET_COUNT_TICK_CALLS, so every platform call it makes bumps TickCallCount, and the C
// runtime's allocators are wrapped at link time (-Wl,--wrap=malloc,...) and operator new is
// replaced, so any allocation by the program's code is counted. The process heap is walked
// before and after as well, for anything allocated below the C runtime and kept.
//
//   tick_cost_test.exe          the regression tests (GoogleTest)
//   tick_cost_test.exe report   one line per case: calls, allocations, heap blocks, time
#include "../../settings/settings.h"
#include "../../wrap/wrap.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int TickCallCount;
static volatile long Allocations;

extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* p, size_t size);
void __real_free(void* p);
void __wrap_free(void* p) {
    __real_free(p);
}
void* __wrap_malloc(size_t size) {
    ++Allocations;
    return __real_malloc(size);
}
void* __wrap_calloc(size_t count, size_t size) {
    ++Allocations;
    return __real_calloc(count, size);
}
void* __wrap_realloc(void* p, size_t size) {
    ++Allocations;
    return __real_realloc(p, size);
}
}

void* operator new(size_t size) {
    ++Allocations;
    void* p = __real_malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    return p;
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    __real_free(p);
}
void operator delete[](void* p) noexcept {
    __real_free(p);
}
void operator delete(void* p, size_t) noexcept {
    __real_free(p);
}
void operator delete[](void* p, size_t) noexcept {
    __real_free(p);
}

struct HeapCensus {
    long busyBlocks;
    long long busyBytes;
};

static HeapCensus TakeHeapCensus() {
    HeapCensus c = {0, 0};
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = NULL;
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            ++c.busyBlocks;
            c.busyBytes += entry.cbData;
        }
    }
    HeapUnlock(heap);
    return c;
}

// What else a case turns on: PauseInFullScreen, WrapDelay 200, a window of ours or of another
// program in front, KeepTaskbarReachable with a hidden taskbar's strip at the bottom,
// ExcludedPrograms naming our program and another, OnlyWithSeveralMonitors, a kept layout that
// misses the cursor, and every other tick back inside (on the layout, off the border); the
// cursor confined by this program to (0,0)-(600,H), and WrapDistance 100.
enum : unsigned { kPause = 1, kDelay = 2, kOwnFront = 4, kOtherFront = 8, kTaskbar = 16 };
enum : unsigned { kExcluded = 32, kSeveral = 64, kOffLayout = 128, kAlternate = 256 };
enum : unsigned { kHiddenTaskbar = 512 }; // its window not shown: no taskbar at all
enum : unsigned { kConfined = 1024, kDistance = 2048 };

struct TickCase {
    const char* name;
    int x, y;    // negative: counted from the right/bottom border (-1 is the last pixel)
    bool button; // DoNotTranferIfLMBPressed, and BlockingKey Shift, as the defaults have them
    bool moves;  // the last tick moved the cursor
    bool across; // WrapAcrossMonitors (the test display has one monitor)
    unsigned rules = 0;
};

static const TickCase kCases[] = {
    {"inside", 500, 300, true, false, false},
    {"left border", 0, 300, true, true, false},
    {"right border", -1, 300, true, true, false},
    {"top border", 500, 0, true, true, false},
    {"bottom border", 500, -1, true, true, false},
    {"bottom-right corner", -1, -1, true, true, false},
    {"ignorable corner", -1, 10, true, false, false},
    {"left border, gates off", 0, 300, false, true, false},
    {"all monitors, inside", 500, 300, true, false, true},
    {"all monitors, left border", 0, 300, true, true, true},
    {"all monitors, corner", -1, -1, true, true, true},
    {"all monitors, ignorable", -1, 10, true, false, true},
    {"left border, confined", 0, 300, true, false, false, kConfined | kOwnFront},
    {"top border, confined", 500, 0, true, true, false, kConfined | kOwnFront},
    {"top border, confined, pause", 500, 0, true, false, false, kConfined | kPause | kOwnFront},
    {"left border, pushed", 0, 300, true, false, false, kDistance | kOwnFront},
    {"pushed, border and back", 0, 300, true, false, false, kDistance | kOwnFront | kAlternate},
    {"inside, every rule on", 500, 300, true, false, false,
     kPause | kDelay | kOtherFront | kTaskbar | kExcluded | kSeveral | kDistance},
    {"left border, pause", 0, 300, true, true, false, kPause | kOtherFront},
    {"left border, own window", 0, 300, true, true, false, kPause | kOwnFront | kExcluded},
    {"left border, excluded", 0, 300, true, true, false, kOtherFront | kExcluded},
    {"left border, taskbar", 0, 300, true, true, false, kTaskbar},
    {"held on the taskbar", 500, -1, true, false, false, kTaskbar},
    {"on a taskbar not shown", 500, -1, true, true, false, kTaskbar | kHiddenTaskbar},
    {"taskbar, left border and back", 0, 300, true, false, false, kTaskbar | kAlternate},
    {"left border, one monitor", 0, 300, true, false, false, kSeveral},
    {"all monitors, off layout", 500, 300, true, false, true, kOffLayout},
    {"all monitors, back and off", 500, 300, true, false, true, kOffLayout | kAlternate},
};

// Platform calls a tick may make: inside the screen the cursor and (primary-screen mode) the
// screen size, or (across all monitors) the switch to physical pixels and back; on a border
// also the button swap, two key states, the move and the cursor read back. With the
// full-screen pause or excluded programs, six to learn whose window is in front; then for the
// pause the shell's state, six about the window and its monitor and two monitors at points,
// and for excluded programs three to read the program's name (five more for a Store app's
// frame). A taskbar lookup with three taskbar windows, one hidden (Wine's) and one on no
// monitor: five searches, five questions, two about the monitor. The monitor count; a layout
// read. A tick that would move reads the confinement; the pause and the push distance the
// cursor's state too.
const int kCallsInside = 3, kMaxCalls = 9, kFrontCalls = 6, kPauseCalls = 10, kProgramCalls = 8,
          kTaskbarCalls = 12;

struct TickCost {
    int calls;      // the most one tick made
    int heavyTicks; // ticks that made that many, where some made fewer
    long allocations;
    long heapBlocks; // net change over all repetitions
    long handles;    // likewise
    bool moved;
    UINT listening; // raw input devices registered after the last tick
    POINT landed;
    double microseconds; // mean per tick
};

// A window of another program in front, the probe's: the pause and excluded programs look
// further than at one of ours.
static PROCESS_INFORMATION OtherProgram;

static HWND OtherProgramsWindow() {
    static HWND window;
    if (window) return window;
    char command[MAX_PATH + 64];
    DWORD len = GetModuleFileNameA(NULL, command, MAX_PATH);
    while (len > 0 && command[len - 1] != '\\')
        --len;
    lstrcpyA(command + len, "probe.exe front caption 0 0 300 200 600000");
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES; // none: what the probe prints is not ours to show
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &OtherProgram))
        return NULL;
    for (int i = 0; i < 100 && !window; ++i, Sleep(50))
        window = FindWindowA("ProbeFront", NULL);
    // Until the probe has put itself in front and set its cursor, the pause sees none.
    Sleep(1000);
    return window;
}

// Its window must not stay in front of the tests that run next.
static void EndOtherProgram() {
    if (TerminateProcess(OtherProgram.hProcess, 0))
        WaitForSingleObject(OtherProgram.hProcess, 5000);
}

// Handles this process holds, as the system's process list reports them: Wine fills that list,
// while its GetProcessHandleCount answers 0.
static long HandleCount() {
    typedef LONG(WINAPI * QueryFn)(int, void*, ULONG, ULONG*);
    static QueryFn query =
        (QueryFn)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    static BYTE list[1 << 20];
    long count = -1;
    if (query && query(5 /* SystemProcessInformation */, list, sizeof(list), NULL) == 0)
        for (BYTE* p = list;; p += ((SYSTEM_PROCESS_INFORMATION*)p)->NextEntryOffset) {
            SYSTEM_PROCESS_INFORMATION* info = (SYSTEM_PROCESS_INFORMATION*)p;
            if ((ULONG_PTR)info->UniqueProcessId == GetCurrentProcessId())
                count = (long)info->HandleCount;
            if (!info->NextEntryOffset) break;
        }
    return count;
}

static const MonitorLayout kElsewhere = {1, {{-5000, -5000, -4000, -4000}}};

static TickCost MeasureTick(const TickCase& c, int repetitions) {
    SetDefaultSettings();
    Settings.WrapAcrossMonitors = c.across;
    Settings.PauseInFullScreen = !!(c.rules & kPause);
    Settings.WrapDelay = c.rules & kDelay ? 200 : 0;
    Settings.KeepTaskbarReachable = !!(c.rules & kTaskbar);
    Settings.OnlyWithSeveralMonitors = !!(c.rules & kSeveral);
    Settings.WrapDistance = c.rules & kDistance ? 100 : 0;
    // Never our own program, though named.
    lstrcpyA(Settings.ExcludedPrograms, c.rules & kExcluded ? "mstsc.exe; tick_cost_test" : "");
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND own = (c.rules & kOwnFront)
                   ? CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                     200, NULL, NULL, NULL, NULL)
                   : NULL;
    SetForegroundWindow((c.rules & kOtherFront) ? OtherProgramsWindow() : own);
    InitWrap(own);
    SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_ARROW)); // under Wine none until one is set
    const RECT confinement = {0, 0, 600, GetSystemMetrics(SM_CYSCREEN)};
    ClipCursor(c.rules & kConfined ? &confinement : NULL);
    // An auto-hidden taskbar's two-pixel strip along the bottom, the rest below the screen.
    static WNDCLASSA taskbar = {0,    DefWindowProcA, 0,    0,    NULL,
                                NULL, NULL,           NULL, NULL, "Shell_SecondaryTrayWnd"};
    if (c.rules & kTaskbar) RegisterClassA(&taskbar);
    HWND bar = c.rules & kTaskbar
                   ? CreateWindowExA(WS_EX_NOACTIVATE, "Shell_SecondaryTrayWnd", "",
                                     c.rules & kHiddenTaskbar ? WS_POPUP : WS_POPUP | WS_VISIBLE, 0,
                                     h - 2, w, 40, NULL, NULL, NULL, NULL)
                   : NULL;
    // Another taskbar window, on no monitor, found first: it counts for nothing.
    HWND elsewhere = bar ? CreateWindowExA(WS_EX_NOACTIVATE, "Shell_SecondaryTrayWnd", "",
                                           WS_POPUP | WS_VISIBLE, -5000, 0, w, 40, 0, 0, 0, 0)
                         : NULL;
    ReadMonitorLayout();
    if (!c.button) {
        Settings.DoNotTranferIfLMBPressed = 0;
        Settings.BlockingKey = kBlockingKeyNone;
    }
    int x = c.x < 0 ? w + c.x : c.x, y = c.y < 0 ? h + c.y : c.y;
    TickCost cost = {0, 0, 0, 0, 0, false, 0, {0, 0}, 0};
    int fewest = 1 << 30;

    // One tick untimed first: the steady state is what every later tick pays.
    SetCursorPos(x, y);
    WrapTick();

    const long handlesBefore = HandleCount();
    HeapCensus before = TakeHeapCensus();
    LARGE_INTEGER freq, spent = {}, t0, t1;
    QueryPerformanceFrequency(&freq);
    for (int i = 0; i < repetitions; ++i) {
        const bool back = (c.rules & kAlternate) && i % 2;
        const bool inside = back && !(c.rules & kOffLayout);
        SetCursorPos(inside ? 500 : x, inside ? 300 : y);
        if ((c.rules & kOffLayout) && !back) Monitors = kElsewhere;
        long allocs = Allocations;
        TickCallCount = 0;
        QueryPerformanceCounter(&t0);
        bool moved = WrapTick();
        QueryPerformanceCounter(&t1);
        spent.QuadPart += t1.QuadPart - t0.QuadPart;
        if (TickCallCount > cost.calls) cost.calls = TickCallCount, cost.heavyTicks = 0;
        if (TickCallCount == cost.calls) ++cost.heavyTicks;
        if (TickCallCount < fewest) fewest = TickCallCount;
        cost.allocations += Allocations - allocs;
        cost.moved = moved;
    }
    HeapCensus after = TakeHeapCensus();
    cost.handles = HandleCount() - handlesBefore;
    GetRegisteredRawInputDevices(NULL, &cost.listening, sizeof(RAWINPUTDEVICE));
    EndPushCount();
    ClipCursor(NULL);
    if (own) DestroyWindow(own);
    if (bar) DestroyWindow(bar), DestroyWindow(elsewhere);
    if (fewest == cost.calls) cost.heavyTicks = 0;
    cost.heapBlocks = after.busyBlocks - before.busyBlocks;
    GetCursorPos(&cost.landed);
    cost.microseconds = 1e6 * (double)spent.QuadPart / (double)freq.QuadPart / repetitions;
    return cost;
}

TEST(TickCost, EveryTickStaysWithinItsPlatformCallsAndAllocatesNothing) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const int repetitions = 200, tick = (int)TicksFor(1000, 50) + 1; // a second's ticks and one
    for (const TickCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TickCost cost = MeasureTick(c, repetitions);
        const unsigned r = c.rules;
        EXPECT_LE(cost.calls,
                  kMaxCalls + (r & (kPause | kExcluded) ? kFrontCalls : 0) +
                      (r & kPause ? kPauseCalls : 0) + (r & kExcluded ? kProgramCalls : 0) +
                      (r & kTaskbar ? kTaskbarCalls : 0) + !!(r & kSeveral) + !!(r & kOffLayout));
        EXPECT_GE(cost.calls, kCallsInside);
        // Inside the screen only the cursor (and, on the primary screen, its size) is read.
        if (c.x == 500 && c.y == 300 && !(r & kOffLayout)) {
            EXPECT_EQ(cost.calls, kCallsInside);
        }
        // The taskbars are looked up once a second while the cursor stays on the bottom, and
        // the layout read once a second while the cursor is off it; both at once again when
        // the cursor comes back and goes out again.
        if ((r & kOffLayout || (r & kTaskbar && c.y == -1)) && !(r & kAlternate)) {
            EXPECT_TRUE(cost.heavyTicks > 0 && cost.heavyTicks <= repetitions / tick + 1);
        }
        if (r & kAlternate) { // the first may follow the untimed tick's lookup
            EXPECT_GE(cost.heavyTicks, repetitions / 2 - 1);
        }
        EXPECT_EQ(cost.allocations, 0);
        EXPECT_EQ(cost.heapBlocks, 0);
        EXPECT_EQ(cost.handles, 0);
        EXPECT_EQ(cost.listening, (r & kDistance) && c.x == 0 && !(r & kAlternate) ? 1u : 0u);
        EXPECT_TRUE(!(r & kDistance) || (r & kAlternate) || cost.calls == (c.x ? 3 : 4));
        EXPECT_EQ(cost.moved, c.moves);
        if (c.moves && !(r & kAlternate)) {
            // The counted tick really moved the real cursor one pixel inside the far border.
            int x = c.x < 0 ? w + c.x : c.x, y = c.y < 0 ? h + c.y : c.y;
            int wantX = x == 0 ? w - 2 : x == w - 1 ? 1 : x;
            int wantY = y == 0 ? h - 2 : y == h - 1 ? 1 : y;
            EXPECT_EQ(cost.landed.x, wantX);
            EXPECT_EQ(cost.landed.y, wantY);
        }
    }
    EndOtherProgram();
}

int main(int argc, char** argv) {
    if (argc > 1 && !strcmp(argv[1], "report")) {
        int repetitions = argc > 2 ? atoi(argv[2]) : 1000;
        printf("%-28s %5s %5s %6s %11s %6s %9s\n", "case", "calls", "heavy", "allocs",
               "heap blocks", "moved", "us/tick");
        for (const TickCase& c : kCases) {
            TickCost cost = MeasureTick(c, repetitions);
            printf("%-28s %5d %5d %6ld %11ld %6s %9.2f\n", c.name, cost.calls, cost.heavyTicks,
                   cost.allocations, cost.heapBlocks, cost.moved ? "yes" : "no", cost.microseconds);
        }
        EndOtherProgram();
        // Where a tick's time goes: each platform call on its own.
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        const char* names[4] = {"GetCursorPos", "GetSystemMetrics(SM_CXSCREEN)",
                                "GetKeyState(VK_SHIFT)", "SetCursorPos"};
        printf("\n%-30s %9s\n", "call", "us/call");
        for (int k = 0; k < 4; ++k) {
            POINT p;
            QueryPerformanceCounter(&t0);
            for (int i = 0; i < repetitions; ++i) {
                if (k == 0) GetCursorPos(&p);
                if (k == 1) GetSystemMetrics(SM_CXSCREEN);
                if (k == 2) GetKeyState(VK_SHIFT);
                if (k == 3) SetCursorPos(400 + (i & 1), 300);
            }
            QueryPerformanceCounter(&t1);
            printf("%-30s %9.2f\n", names[k],
                   1e6 * (double)(t1.QuadPart - t0.QuadPart) / (double)freq.QuadPart / repetitions);
        }
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
