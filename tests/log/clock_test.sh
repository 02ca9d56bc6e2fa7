#!/bin/bash
# A log line written with the real clock in a process started with TZ set carries that
# zone's offset and local time. (Wine reads TZ when a process starts, so the zone is set
# here, outside the Windows program.)
set -euo pipefail
root="$1"; writer="$2"
source "$root/tools/wine-env"
tido_wine_env
log="$WINEPREFIX/drive_c/users/$USER/Documents/TavCorlaInstall.log"

check_zone() {
    local zone="$1" offset="$2"
    rm -f "$log"
    local before after line
    before="$(TZ="$zone" date +%I:%M)"
    TZ="$zone" "$root/tools/wine-run" "$writer" TIDO clock "" >/dev/null
    after="$(TZ="$zone" date +%I:%M)"  # the minute may turn during the run
    line="$(head -c 40 "$log")"
    rm -f "$log"
    [[ "$line" == ????-??-??T${before}:??.*"$offset TIDO: clock"* ||
       "$line" == ????-??-??T${after}:??.*"$offset TIDO: clock"* ]] || {
        echo "zone $zone: expected $before and $offset, got: $line" >&2
        return 1
    }
}

check_zone Asia/Kolkata "+05:30"
check_zone UTC "-00:00"
check_zone America/New_York "-05:00"
