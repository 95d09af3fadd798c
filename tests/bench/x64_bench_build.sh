#!/usr/bin/env bash
# For a machine that cannot execute 32-bit Linux programs (so no 32-bit Wine): builds
# Quindlet.exe, probe.exe and memory_cycles.exe for 64-bit Windows with clang and lld, against
# import libraries made from the installed 64-bit Wine's own DLLs, to measure under wine64.
# The same sources; no C runtime start-up code (bench_start.cpp enters WinMain or main).
#   tests/bench/x64_bench_build.sh OUTDIR
# Then run tools/bench's Python steps with BUILD=OUTDIR in a 64-bit prefix (WINEARCH=win64,
# `wine` being /usr/lib/wine/wine64). Not part of tools/test: the product ships 32-bit.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
mkdir -p "$out/lib" "$out/obj"
libs=()
for d in kernel32 user32 gdi32 comctl32 shell32 advapi32 msvcrt ntdll psapi; do
    { echo "LIBRARY $d.dll"; echo EXPORTS
      llvm-readobj --coff-exports "$dlls/$d.dll" | sed -n 's/^ *Name: \(.\+\)$/\1/p'; } >"$out/lib/$d.def"
    llvm-dlltool -m i386:x86-64 -D "$d.dll" -d "$out/lib/$d.def" -l "$out/lib/lib$d.a"
    libs+=("$out/lib/lib$d.a")
done
cxx=(clang++ --target=x86_64-w64-mingw32 -isystem /usr/share/mingw-w64/include -fno-exceptions
    -fno-rtti -mno-stack-arg-probe -Os -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT=0x0601
    -DWINVER=0x0601 -D__USE_MINGW_ANSI_STDIO=0 -I"$src" -Wall -Wextra
    -Wno-unused-command-line-argument -Wno-inconsistent-dllimport)
core=()
for f in "$src"/{app,dialogs,hotkeys,lang,settings,wrap}/*.cpp; do
    o="$out/obj/$(basename "$(dirname "$f")")_$(basename "$f" .cpp).o"
    "${cxx[@]}" -c "$f" -o "$o"
    [ "$(basename "$f")" = main.cpp ] || core+=("$o")
done
"${cxx[@]}" -DBENCH_GUI -c "$src/tests/bench/bench_start.cpp" -o "$out/obj/start_gui.o"
"${cxx[@]}" -c "$src/tests/bench/bench_start.cpp" -o "$out/obj/start_console.o"
"${cxx[@]}" -c "$src/tests/e2e/probe.cpp" -o "$out/obj/probe.o"
"${cxx[@]}" -c "$src/tests/bench/memory_cycles.cpp" -o "$out/obj/memory_cycles.o"
(cd "$src/res" && i686-w64-mingw32-windres -O res quindlet.rc -o "$out/obj/quindlet.res")
link=(lld-link /nologo /entry:Start)
"${link[@]}" /subsystem:windows /out:"$out/Quindlet.exe" "$out/obj/app_main.o" "${core[@]}" \
    "$out/obj/start_gui.o" "$out/obj/quindlet.res" "${libs[@]}"
"${link[@]}" /subsystem:console /out:"$out/probe.exe" "$out/obj/probe.o" \
    "$out/obj/start_console.o" "${libs[@]}"
"${link[@]}" /subsystem:console /out:"$out/memory_cycles.exe" "$out/obj/memory_cycles.o" \
    "${core[@]}" "$out/obj/start_console.o" "$out/obj/quindlet.res" "${libs[@]}"
rm -rf "$out/Lngs" && cp -r "$src/Lngs" "$out/Lngs"
