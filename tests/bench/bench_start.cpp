// Entry points for x64_bench_build.sh, which links no C runtime start-up code: the process
// starts here and enters the program's WinMain, or a console tool's main with msvcrt's
// arguments. The two stdio entries are what MinGW's headers call in place of msvcrt's own.
#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

extern "C" void __main() {} // static constructors: the programs built this way have none

#ifdef BENCH_GUI
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

extern "C" void Start() {
    ExitProcess(WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWDEFAULT));
}
#else
int main(int, char**);

extern "C" {
int __getmainargs(int*, char***, char***, int, int*);
__declspec(dllimport) FILE* __iob_func();

FILE* __cdecl __acrt_iob_func(unsigned index) {
    return &__iob_func()[index];
}

void Start() {
    int argc = 0, startInfo = 0;
    char** argv = NULL;
    char** env = NULL;
    __getmainargs(&argc, &argv, &env, 0, &startInfo);
    exit(main(argc, argv)); // exit, not ExitProcess: stdout is flushed
}
}
#endif
