# Shared set-up of scripts/run, scripts/test and scripts/bench: packages, the
# cross build, an X display and the project's own Wine prefix.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
# A second prefix whose display scale is 150 % (144 DPI), for the DPI checks
# and pictures; Wine takes the scale from the prefix, not from the X display.
HIDPI_PREFIX=$BUILD_DIR/wineprefix-144dpi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
WINE=/usr/lib/wine/wine64

PACKAGES=(cmake ninja-build gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-x86-64 wine wine64 xvfb googletest locales
          fusefat dosfstools fuse3 libfuse3-dev pkg-config fonts-wine libxxhash-dev
          x11-utils fonts-wqy-microhei)

missing_packages() {
    local missing=() package
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    echo "${missing[@]:-}"
}

have_chinese_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'
}

ensure_packages() {
    local missing
    missing=$(missing_packages)
    if [ -n "$missing" ]; then
        if [ "$(id -u)" -eq 0 ]; then
            echo "Installing: $missing"
            apt-get update -qq
            DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing \
                >/dev/null
        else
            echo "Missing packages. Run as root:" >&2
            echo "  apt-get update && apt-get install -y --no-install-recommends $missing" >&2
            exit 1
        fi
    fi
    # Texts in code page 936 are checked under a Chinese locale.
    if ! have_chinese_locale; then
        if [ "$(id -u)" -eq 0 ]; then
            localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
        else
            echo "Missing the zh_CN.UTF-8 locale. Run as root:" >&2
            echo "  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8" >&2
            exit 1
        fi
    fi
}

build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$BUILD_DIR" "$@"
}

XVFB_PID=
stop_display() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# Windows need an X display; start a private Xvfb when there is none, of the
# size SCREEN (width x height x depth) when that is set, with XVFB_ARGS.
ensure_display() {
    if [ -n "${DISPLAY:-}" ]; then
        return
    fi
    local number=90
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    # shellcheck disable=SC2086 # XVFB_ARGS are separate words
    Xvfb ":$number" -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp ${XVFB_ARGS:-} \
        </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    await_file "/tmp/.X11-unix/X$number" 100 "Xvfb did not start"
    export DISPLAY=":$number"
}

# Waits until the file $1 exists, for at most $2 tenths of a second; past
# that, says $3 and ends the script.
await_file() {
    local tries=0
    until [ -e "$1" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt "$2" ]; then
            echo "$3" >&2
            exit 1
        fi
        sleep 0.1
    done
}

# The prefix lives in the build tree, made once. Without a window manager Wine
# would wait about 2 s whenever a top-level window hides, and a crash would
# hang on a hidden debugger dialog: both are switched off here. The argument
# is the display scale in DPI, 96 (100 %) when none is given.
ensure_prefix() {
    local dpi=${1:-96}
    if [ -f "$WINEPREFIX/.configured" ]; then
        add_test_drive
        add_wine_fonts
        add_chinese_font_links
        return
    fi
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    local settings="$WINEPREFIX/settings.reg"
    cat >"$settings" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Desktop]
REG
    printf '"LogPixels"=dword:%08x\n' "$dpi" >>"$settings"
    "$WINE" regedit /S "$(winepath_of "$settings")" </dev/null >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.configured"
    add_test_drive
    add_wine_fonts
    add_chinese_font_links
}

# Wine's own fonts (Tahoma for the dialogs, Marlett for the caption buttons)
# come with fonts-wine, in a folder that this Wine build does not search: the
# prefix's Fonts folder links to them, so that windows are drawn with them.
add_wine_fonts() {
    local font
    for font in /usr/share/wine/fonts/*; do
        if [ -f "$font" ]; then
            ln -sfn "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
        fi
    done
}

# Chinese characters, which Tahoma lacks, are drawn from WenQuanYi Micro Hei
# (fonts-wqy-microhei), as font linking on Windows draws them from a Chinese
# font: Wine links Tahoma to SimSun, which is taken to be that font, and the
# bold Tahoma of the title bar, which Wine looks up by its own name, is linked
# to it as well. Once per prefix.
add_chinese_font_links() {
    if [ -f "$WINEPREFIX/.chinese-font-links" ]; then
        return
    fi
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ \
        /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v 'Tahoma Bold' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f \
        </dev/null >/dev/null 2>&1
    # Made before the prefix's own wineserver starts: this one ends first.
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.chinese-font-links"
}

# Drive T: is an empty folder of the build tree, for tests at a drive root.
add_test_drive() {
    mkdir -p "$BUILD_DIR/drive-t"
    ln -sfn "$BUILD_DIR/drive-t" "$WINEPREFIX/dosdevices/t:"
}

winepath_of() {
    echo "Z:${1//\//\\}"
}

# A persistent wineserver saves a start per Wine process. Its output goes to
# /dev/null, or whatever reads this script's pipe would wait for it forever.
# Wine's background processes (services, desktop) start with the first Wine
# program and inherit its output: start them here, detached from any pipe.
start_wineserver() {
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

# Wine's desktop manager takes the error output of the program that starts
# it, and lives while any program uses the desktop: started by a test, it
# would hold that test's output pipe open, and CTest would wait for it. Here
# it starts once, away from every pipe, and stays until the wineserver stops.
keep_desktop_open() {
    local ready="$WINEPREFIX/.desktop-open"
    rm -f "$ready"
    "$WINE" "$BUILD_DIR/tests/desktop_keeper.exe" "$(winepath_of "$ready")" \
        </dev/null >/dev/null 2>&1 &
    await_file "$ready" 300 "Wine's desktop did not open"
}

stop_wineserver() {
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
}

# The 144-DPI prefix, made when missing, with a wineserver of its own.
start_hidpi_prefix() {
    WINEPREFIX=$HIDPI_PREFIX ensure_prefix 144
    WINEPREFIX=$HIDPI_PREFIX start_wineserver
}

stop_hidpi_prefix() {
    WINEPREFIX=$HIDPI_PREFIX stop_wineserver
}
