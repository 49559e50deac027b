#!/usr/bin/env bash
# Makes the bundle, checks its libraries, moves it to a folder whose path has blanks and Chinese
# characters and starts it there from elsewhere, with no library or plugin path set: it must
# create data/ beside itself and run on the Qt libraries and plugins of the bundle only.
#
#   check-bundle.sh <source-dir> <build-dir> <temp-dir>
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ $# -eq 3 ] || fail "usage: check-bundle.sh <source-dir> <build-dir> <temp-dir>"
source_dir=$1
build_dir=$2
temp=$3
rm -rf "$temp"
mkdir -p "$temp/home/config" "$temp/home/runtime"
chmod 700 "$temp/home/runtime"

made=$temp/made/VELMO
"$source_dir/scripts/make-bundle.sh" "$build_dir" "$made"
"$source_dir/scripts/check-bundle-libraries.sh" "$made"

bundle="$temp/我的 便携 程序/VELMO"
mkdir -p "$(dirname "$bundle")"
mv "$made" "$bundle"

cd "$temp"
env -u QT_PLUGIN_PATH -u QT_QPA_PLATFORM_PLUGIN_PATH -u LD_LIBRARY_PATH \
    QT_QPA_PLATFORM=offscreen HOME="$temp/home" XDG_CONFIG_HOME="$temp/home/config" \
    XDG_RUNTIME_DIR="$temp/home/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: \
    "$bundle/velmo" >"$temp/velmo.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# Running: its catalogue is open and the bundle's platform plugin is loaded.
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || fail "velmo ended at start: $(cat "$temp/velmo.log")"
    if [ -f "$bundle/data/velmo.db" ] &&
        grep -qF "$bundle/plugins/platforms/libqoffscreen.so" "/proc/$pid/maps"; then
        break
    fi
    sleep 0.1
done
[ -f "$bundle/data/velmo.db" ] || fail "no data/velmo.db beside the program"
grep -qF "$bundle/plugins/platforms/libqoffscreen.so" "/proc/$pid/maps" ||
    fail "the offscreen platform plugin was not loaded from the bundle"

foreign=$(grep -E 'libQt|/plugins/' "/proc/$pid/maps" | sed -E 's/^([^ ]+ +){5}//' | sort -u |
    grep -vF "$bundle/" || true)
[ -z "$foreign" ] || fail "velmo runs on Qt files outside the bundle: $foreign"
echo "ok: the moved bundle runs on its own Qt and keeps its data/ beside itself"
