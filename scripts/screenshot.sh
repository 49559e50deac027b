#!/usr/bin/env bash
# Starts VELMO on a demo drive under Xvfb (with a tray), opens the first category, points
# the mouse at a program and saves a screenshot. Usage: scripts/screenshot.sh [build] [out.png]
set -euo pipefail
build=${1:-build}
out=${2:-velmo-screenshot.png}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

drive="$work/STICK"
mkdir -p "$drive" "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
QT_QPA_PLATFORM=offscreen "$build/tests/demo/velmo_demo_drive" "$drive"
cp "$build/velmo" "$drive/velmo"

export removedrive="$drive" DISPLAY=:57 XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" HOME="$work"
Xvfb "$DISPLAY" -screen 0 1024x700x24 >/dev/null 2>&1 &
sleep 1
trayer --edge bottom --align right --widthtype pixel --width 120 --height 28 >/dev/null 2>&1 &
sleep 1
(cd "$work" && "$drive/velmo" >/dev/null 2>&1 &)
for _ in $(seq 50); do
    window=$(xdotool search --name 'velmo portable drive' 2>/dev/null | head -n 1) && break
    sleep 0.2
done
xdotool windowmove "$window" 0 0
sleep 0.5
xdotool mousemove 40 120 click 1   # the first category tab
sleep 0.5
xdotool mousemove 150 120 sleep 0.3 mousemove 155 125  # over the first program
sleep 0.8
import -window root "$out"
echo "screenshot: $out"
