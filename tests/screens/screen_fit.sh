#!/usr/bin/env bash
# Runs the screen drill on Xvfb screens of several sizes and display scales,
# one after another: each screen in an Xvfb of its own, served by a Wine
# prefix of the drills' own whose scale is set before the drill starts.
# Usage: screen_fit.sh <screen_fit_test.exe> [test arguments]
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
DRILL=$1
shift
export WINEPREFIX=$BUILD_DIR/wineprefix-screens

# Size, DPI, whether the whole window fits, and the height of a taskbar at
# the bottom: 1920 x 1080 at 150 % and 1280 x 720 at 100 % are the laptops
# that prepare cards; 1920 x 1200 at 100 % holds the window as it is; a
# screen narrower than the window but tall enough has it scroll sideways.
SCREENS=("1920x1080 144 scrolls 0" "1280x720 96 scrolls 40" "1920x1200 96 fits 40"
         "500x1000 96 sideways 0")

trap 'stop_wineserver; stop_display' EXIT
status=0
for screen in "${SCREENS[@]}"; do
    read -r size dpi verdict taskbar <<<"$screen"
    unset DISPLAY
    # Wine takes the work area from the root window's _NET_WORKAREA, as a
    # desktop with a taskbar sets it; -noreset keeps it once xprop is gone.
    XVFB_ARGS=-noreset SCREEN="${size}x24" ensure_display
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, ${size%x*}, $((${size#*x} - taskbar))"
    ensure_prefix
    start_wineserver
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1
    echo "Screen $size at $dpi DPI ($verdict)"
    SCREEN_FIT="$screen" "$ROOT/scripts/wine-run" "$DRILL" "$@" </dev/null || status=1
    stop_wineserver
    stop_display
    XVFB_PID=
done
exit $status
