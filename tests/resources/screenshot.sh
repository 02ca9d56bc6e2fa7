#!/bin/bash
# screenshot.sh BUILD_DIR: shows dialogs 102, 133 and 100 of tido.exe on a virtual display and
# saves each, as the X server shows it, to BUILD_DIR/screenshots/dialogNNN.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
source "$root/tools/wine-env"
tido_wine_env
tido_wine_prefix

if [ -z "${TIDO_SCREENSHOT_DISPLAY:-}" ]; then
    # A wineserver of its own for the virtual display, as tools/wine-run does.
    tido_wine_server_start
    status=0
    TIDO_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@" || status=$?
    tido_wine_server_start
    exit $status
fi

out="$build/screenshots"
mkdir -p "$out"
tido="Z:${build//\//\\}\\tido.exe"

shoot() {
    local id="$1" title="$2" file="$out/dialog$1.png" pid window
    rm -f "$file"
    TIDO_DISPLAY=keep "$root/tools/wine-run" "$build/tests/resources/show_dialog.exe" "$tido" "$id" &
    pid=$!
    window="$(timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)" || true
    if [ -n "$window" ]; then
        sleep 1  # let it paint
        xwd -silent -id "$window" | convert xwd:- "$file"
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ ! -s "$file" ]; then
        echo "screenshot.sh: no window \"$title\" for dialog $id" >&2
        return 1
    fi
    # A picture of a dialog, not an empty or black window.
    local colours
    colours="$(convert "$file" -format %k info:)"
    if [ "$colours" -lt 4 ]; then
        echo "screenshot.sh: $file has only $colours colours" >&2
        return 1
    fi
    echo "$file: $(identify -format '%wx%h' "$file"), $colours colours"
}

# With no window manager on the display, Wine draws the caption and frame itself only when
# told to; the value is removed again so the prefix stays as it was.
wine_x11_key='HKCU\Software\Wine\X11 Driver'
DISPLAY= wine reg add "$wine_x11_key" /v Decorated /d N /f >/dev/null 2>&1
trap 'DISPLAY= wine reg delete "$wine_x11_key" /v Decorated /f >/dev/null 2>&1 || true' EXIT

shoot 102 "Corla Installer Clean Up"
shoot 133 "Corla Installer Clean Up"
shoot 100 "About Tido"
