# Shared by tools/run, tools/test and tools/bench: installs what is missing, and starts and
# stops a private Wine prefix on a private X display. Source it; it defines functions only.

QUINDLET_PACKAGES=(wine wine32:i386 wine64 g++-mingw-w64-i686 binutils-mingw-w64-i686
    mingw-w64-i686-dev cmake make g++ googletest xvfb xdotool x11-utils x11-apps imagemagick
    trayer python3 locales clang clang-format libclang-rt-14-dev valgrind zip unzip
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils libxrandr2:i386 libxinerama1:i386 libxi6:i386
    llvm lld g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Whether the kernel executes 32-bit x86 programs at all: a 93-byte ELF32 that only exits 0.
# Where it cannot, the i386 packages are of no use (and a mirror's i386 index may be broken).
kernel_runs_32bit() {
    local elf
    elf=$(mktemp /tmp/quindlet-elf32.XXXXXX)
    local header='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0'
    header+='\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'
    local segment='\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0'
    local code='\270\1\0\0\0\61\333\315\200' # mov eax, 1 (exit); xor ebx, ebx; int 0x80
    printf "$header$segment$code" >"$elf"
    chmod +x "$elf"
    "$elf" 2>/dev/null
    local status=$?
    rm -f "$elf"
    return $status
}

# Quiet and quick when everything is there already.
ensure_packages() {
    local missing=() wanted=("${QUINDLET_PACKAGES[@]}")
    kernel_runs_32bit || wanted=("${wanted[@]/*:i386/}")
    for p in "${wanted[@]}"; do
        [ -n "$p" ] || continue
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    # A mirror caught mid-sync fails one index now and then: try again, and install from the
    # indexes that did arrive rather than give up on the first failure.
    local try
    for try in 1 2 3; do
        as_root apt-get update -qq && break
        echo "apt-get update failed (try $try of 3)"
        sleep 10
    done
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null && return 0
    # A failed i386 index of the security suite leaves the i386 packages at the release's
    # versions while their amd64 halves would come from the security suite, and a Multi-Arch:
    # same pair must be one version. Take the amd64 halves from the release as well.
    echo "Installing again, preferring the release's versions to the security suite's"
    local prefs
    prefs=$(mktemp -d /tmp/quindlet-apt-prefs.XXXXXX)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$prefs/release.pref"
    local status=0
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends \
        -o Dir::Etc::PreferencesParts="$prefs" "${missing[@]}" >/dev/null || status=$?
    rm -rf "$prefs"
    return $status
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

# A fresh directory for this sandbox's prefix and logs.
new_sandbox_dir() {
    SANDBOX_DIR=$(mktemp -d /tmp/quindlet-sandbox.XXXXXX)
    export WINEPREFIX=$SANDBOX_DIR/prefix WINEARCH=win32 WINEDEBUG=-all
    if ! can_run_32bit; then
        export WINEARCH=win64
        use_wine64_commands
    fi
    # No Mono or Gecko installers at prefix creation: nothing here needs them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# The first display number with neither a lock file nor a socket.
free_display() {
    local n=91
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    echo $n
}

wait_display() {
    local i
    for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "the X server did not start on $DISPLAY" >&2
    return 1
}

# trayer as the XEmbed notification area. No window manager: openbox swallows the clicks on
# icons docked in trayer.
start_tray() {
    trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
        --transparent false </dev/null >/dev/null 2>&1 &
    SANDBOX_PIDS+=($!)
}

# Starts Xvfb (unless keep_display is given and DISPLAY is set) with a notification area, and a
# throwaway 32-bit prefix.
start_sandbox() {
    local keep_display=${1:-}
    new_sandbox_dir
    if [ -z "$keep_display" ] || [ -z "${DISPLAY:-}" ]; then
        local n
        n=$(free_display)
        Xvfb :$n -screen 0 ${QUINDLET_SCREEN:-1024x768x24} -nolisten tcp </dev/null >/dev/null 2>&1 &
        SANDBOX_PIDS+=($!)
        export DISPLAY=:$n
        wait_display || return 1
        start_tray
        echo "Display: own Xvfb on $DISPLAY (${QUINDLET_SCREEN:-1024x768x24})"
    fi
    boot_prefix
}

# Xvfb shows Wine one monitor. Xorg's dummy driver has RandR outputs (DUMMY0, DUMMY1, ...)
# that Wine reports as separate monitors. Explicit modelines: an output without one fails to
# start. The virtual screen holds the widest layout, 800 + 1024 + 800, and the tallest, 768 + 600.
# No input devices: the server must not grab this machine's keyboard or mouse.
write_xorg_config() {
    cat >"$1" <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
    Modeline "800x600" 38.25 800 832 912 1024 600 603 607 624 -hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 2624 1368
    EndSubSection
EndSection
CONF
}

# Like start_sandbox, on a private Xorg display with several monitors (apply_layout switches
# between them). Every output a layout uses is switched on before the prefix boots: Wine may
# ignore outputs that were not connected then. It boots on the three-monitor layout.
start_monitors_sandbox() {
    new_sandbox_dir
    write_xorg_config "$SANDBOX_DIR/xorg.conf"
    local n
    n=$(free_display)
    Xorg :$n -config "$SANDBOX_DIR/xorg.conf" -noreset -nolisten tcp \
        -logfile "$SANDBOX_DIR/xorg.log" </dev/null >/dev/null 2>&1 &
    SANDBOX_PIDS+=($!)
    export DISPLAY=:$n
    wait_display || { tail -n 20 "$SANDBOX_DIR/xorg.log" >&2; return 1; }
    xrandr --addmode DUMMY1 800x600 && xrandr --addmode DUMMY2 800x600 &&
        layout_xrandr three || return 1
    start_tray
    echo "Display: own Xorg (dummy driver, several monitors) on $DISPLAY"
    boot_prefix
}

# Layouts, by name: the xrandr arguments, and the monitors Wine then reports ("probe monitors"
# lines, sorted). DUMMY0 is always the primary, 1024x768; DUMMY1 and DUMMY2 are 800x600, top-
# aligned with it, except off centre: below it 100 pixels from its left ("below"), or right of it
# 100 pixels down ("lower"). Windows puts the primary at 0,0, so a monitor left of it has
# negative coordinates, while on the X screen the leftmost monitor is at 0.
layout_xrandr() {
    local primary="--output DUMMY0 --primary --mode 1024x768"
    case $1 in
    single) xrandr $primary --pos 0x0 --output DUMMY1 --off --output DUMMY2 --off ;;
    right) xrandr $primary --pos 0x0 --output DUMMY1 --mode 800x600 --pos 1024x0 --output DUMMY2 --off ;;
    left) xrandr $primary --pos 800x0 --output DUMMY1 --mode 800x600 --pos 0x0 --output DUMMY2 --off ;;
    below) xrandr $primary --pos 0x0 --output DUMMY1 --mode 800x600 --pos 100x768 --output DUMMY2 --off ;;
    lower) xrandr $primary --pos 0x0 --output DUMMY1 --mode 800x600 --pos 1024x100 --output DUMMY2 --off ;;
    three) xrandr $primary --pos 800x0 --output DUMMY1 --mode 800x600 --pos 0x0 \
        --output DUMMY2 --mode 800x600 --pos 1824x0 ;;
    *) echo "no layout named '$1'" >&2; return 2 ;;
    esac
}

layout_monitors() {
    case $1 in
    single) echo "monitor 0 0 1024 768 primary" ;;
    right) printf '%s\n' "monitor 0 0 1024 768 primary" "monitor 1024 0 1824 600" ;;
    left) printf '%s\n' "monitor -800 0 0 600" "monitor 0 0 1024 768 primary" ;;
    below) printf '%s\n' "monitor 0 0 1024 768 primary" "monitor 100 768 900 1368" ;;
    lower) printf '%s\n' "monitor 0 0 1024 768 primary" "monitor 1024 100 1824 700" ;;
    three) printf '%s\n' "monitor -800 0 0 600" "monitor 0 0 1024 768 primary" \
        "monitor 1024 0 1824 600" ;;
    esac
}

# apply_layout NAME [PROBE]: sets the layout, then waits (60 tries, a quarter second apart)
# until the monitors that EnumDisplayMonitors reports inside the prefix are the layout's. PROBE defaults to the
# windows preset's probe.exe.
apply_layout() {
    local name=$1 probe=${2:-build/windows/probe.exe} want got i
    want=$(layout_monitors "$name" | sort)
    layout_xrandr "$name" || return 1
    # A plain query makes the server re-read its outputs and report them, as a desktop would.
    xrandr >/dev/null
    for i in $(seq 60); do
        got=$(wine "$probe" monitors </dev/null 2>/dev/null | tr -d '\r' | grep '^monitor' | sort)
        [ "$got" = "$want" ] && return 0
        sleep 0.25
    done
    echo "layout $name: Wine reports" >&2
    echo "$got" >&2
    return 1
}

boot_prefix() {
    wineboot -i </dev/null >/dev/null 2>&1 || true
    # A crash must fail a test, not wait on a dialog nobody will click.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1 || true
    # Wine's own unmanaged windows ("Managed"="N") avoid the ~2 s stall that hiding a window
    # costs without a window manager, and look like Windows.
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
