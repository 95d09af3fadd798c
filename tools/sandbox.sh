# Shared by tools/run, tools/test and tools/bench: installs what is missing, and starts and
# stops a private Wine prefix on a private X display. Source it; it defines functions only.

QUINDLET_PACKAGES=(wine wine32:i386 wine64 g++-mingw-w64-i686 binutils-mingw-w64-i686
    mingw-w64-i686-dev cmake make g++ googletest xvfb xdotool x11-utils x11-apps imagemagick
    trayer python3 clang clang-format libclang-rt-14-dev valgrind zip unzip llvm lld)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Quiet and quick when everything is there already.
ensure_packages() {
    local missing=()
    for p in "${QUINDLET_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

SANDBOX_PIDS=()
SANDBOX_DIR=""

# The product is 32-bit code and runs under 32-bit Wine wherever the kernel can execute 32-bit
# programs. Some kernels (virtual machines built without IA-32 emulation) cannot: there the
# tests run a 64-bit build of the same sources (preset windows64) under 64-bit Wine.
can_run_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

windows_test_preset() {
    if can_run_32bit; then echo windows; else echo windows64; fi
}

# On a 64-bit-only kernel Debian's wine and wine-stable still pick the 32-bit loader: put
# commands of those names that run wine64 first on PATH.
use_wine64_commands() {
    local bin=$SANDBOX_DIR/bin name
    mkdir -p "$bin"
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/$name"
    done
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 wineboot.exe "$@"\n' >"$bin/wineboot"
    chmod +x "$bin"/*
    export PATH=$bin:$PATH
}

# Starts Xvfb (unless keep_display is given and DISPLAY is set) with trayer as an XEmbed
# notification area, and a throwaway 32-bit prefix. No window manager: openbox swallows the
# clicks on icons docked in trayer. Wine's own unmanaged windows ("Managed"="N") avoid the
# ~2 s stall that hiding a window costs without a window manager, and look like Windows.
start_sandbox() {
    local keep_display=${1:-}
    SANDBOX_DIR=$(mktemp -d /tmp/quindlet-sandbox.XXXXXX)
    export WINEPREFIX=$SANDBOX_DIR/prefix WINEARCH=win32 WINEDEBUG=-all
    if ! can_run_32bit; then
        export WINEARCH=win64
        use_wine64_commands
    fi
    # No Mono or Gecko installers at prefix creation: nothing here needs them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -z "$keep_display" ] || [ -z "${DISPLAY:-}" ]; then
        local n=91
        while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
        Xvfb :$n -screen 0 ${QUINDLET_SCREEN:-1024x768x24} -nolisten tcp </dev/null >/dev/null 2>&1 &
        SANDBOX_PIDS+=($!)
        export DISPLAY=:$n
        local i
        for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
        xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
        trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
            --transparent false </dev/null >/dev/null 2>&1 &
        SANDBOX_PIDS+=($!)
        echo "Display: own Xvfb on $DISPLAY (${QUINDLET_SCREEN:-1024x768x24})"
    fi
    wineboot -i </dev/null >/dev/null 2>&1 || true
    # A crash must fail a test, not wait on a dialog nobody will click.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1 || true
    # A persistent server and one long-lived Wine process keep each later start fast.
    wineserver -p </dev/null >/dev/null 2>&1 || true
}

# The long-lived process: any exe that waits forever (the test probe).
start_keepalive() {
    wine "$1" wait </dev/null >/dev/null 2>&1 &
    SANDBOX_PIDS+=($!)
}

stop_sandbox() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "${WINEPREFIX:-/nonexistent}" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
        wineserver -w </dev/null >/dev/null 2>&1 || true
    fi
    local pid
    for pid in "${SANDBOX_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${SANDBOX_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    SANDBOX_PIDS=()
    [ -n "$SANDBOX_DIR" ] && rm -rf "$SANDBOX_DIR"
    SANDBOX_DIR=""
}
