#!/usr/bin/env bash
# Takes PNG screenshots of Ryv Tracker's main states, for looking at the
# program without a desktop: one pane, two panes with favourites, history with
# the calendar open, compact mode and the task dialog.
#
#   scripts/screenshots.sh [output folder]      (default: screenshots/)
#
# The program runs under a virtual X server (Xvfb) in portable mode, from a
# temporary folder holding a copy of the binary and a generated sample data
# folder, so your own data and a running Ryv Tracker are never touched. It is
# driven with xdotool as a user would: window sizes, clicks and keys.
# Environment: BUILD_DIR (default build), SCREEN_SIZE (default 1600x900).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-build}"
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac
OUT="${1:-$ROOT/screenshots}"
SCREEN_SIZE="${SCREEN_SIZE:-1600x900}"

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja
fi
cmake --build "$BUILD_DIR" --target RyvTracker ryv_sampledata ryv_screengrab

WORK="$(mktemp -d)"
XVFB_PID=""
APP_PID=""
cleanup() {
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# Portable mode: the binary with a data folder beside it.
cp "$BUILD_DIR/src/RyvTracker" "$WORK/RyvTracker"
[ -d "$ROOT/Langs" ] && cp -r "$ROOT/Langs" "$WORK/Langs"
# A private runtime folder keeps the single-instance check away from a real
# running instance.
mkdir -m 700 "$WORK/run"
export XDG_RUNTIME_DIR="$WORK/run"

# A time zone in which it is early afternoon, so the sample day looks like a
# working day in progress whenever the script runs.
utc_hour=$((10#$(date -u +%H)))
offset=$((14 - utc_hour))
if [ "$offset" -ge 0 ]; then export TZ="RYV-$offset"; else export TZ="RYV+$((-offset))"; fi
"$BUILD_DIR/tools/ryv_sampledata" "$WORK/data" >/dev/null

# A free display number.
display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 "${SCREEN_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

mkdir -p "$OUT"
WIN=""

# The main window: the program's largest window.
find_main_window() {
  local best="" best_area=0 w geo width height
  for w in $(xdotool search --class RyvTracker 2>/dev/null); do
    geo="$(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/ {print $2}')"
    width="${geo%x*}"; height="${geo#*x}"
    [ -n "$geo" ] || continue
    if [ $((width * height)) -gt "$best_area" ]; then best="$w"; best_area=$((width * height)); fi
  done
  echo "$best"
}

start_app() {
  (cd "$WORK" && exec ./RyvTracker >"$WORK/app.log" 2>&1) &
  APP_PID=$!
  WIN=""
  for _ in $(seq 100); do
    WIN="$(find_main_window)"
    [ -n "$WIN" ] && break
    sleep 0.1
  done
  [ -n "$WIN" ] || { echo "the main window did not appear" >&2; cat "$WORK/app.log" >&2; exit 1; }
  settle
}

stop_app() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

min() { if [ "$1" -lt "$2" ]; then echo "$1"; else echo "$2"; fi; }

# Gives the program time to lay out and paint after an input.
settle() { sleep "${1:-0.7}"; }

geometry() { # sets X Y W H of window $1
  X=0; Y=0; W=0; H=0
  while IFS='=' read -r key value; do
    case "$key" in X) X=$value ;; Y) Y=$value ;; WIDTH) W=$value ;; HEIGHT) H=$value ;; esac
  done < <(xdotool getwindowgeometry --shell "$1")
}

place() { # width height
  xdotool windowsize --sync "$WIN" "$1" "$2" 2>/dev/null || xdotool windowsize "$WIN" "$1" "$2"
  xdotool windowmove "$WIN" 40 40
  xdotool windowfocus "$WIN" 2>/dev/null || true
  settle
}

click() { # x y, relative to the main window
  xdotool mousemove --window "$WIN" "$1" "$2" click 1
  xdotool mousemove 0 0
  settle
}

shot() { # name [x y w h] (default: the main window)
  if [ $# -eq 5 ]; then
    "$BUILD_DIR/tools/ryv_screengrab" "$OUT/$1.png" "$2" "$3" "$4" "$5"
  else
    geometry "$WIN"
    "$BUILD_DIR/tools/ryv_screengrab" "$OUT/$1.png" "$X" "$Y" "$W" "$H"
  fi
  echo "$OUT/$1.png"
}

# Positions inside the window, from the layout: the big buttons of the
# secondary pane sit at its top right (44 pixels wide, 6 apart, 8 from the
# right edge: Favorites, History, Reports); the heading starts at its left.
click_secondary_button() { # index from the right: 0 Reports, 1 History, 2 Favorites
  geometry "$WIN"
  click $((W - 8 - 22 - $1 * 50)) 30
}

start_app

# 1. One pane.
place 420 620
shot 1-one-pane

# 2. Two panes with the favourites.
place 1100 660
click_secondary_button 2
shot 2-two-panes-favourites

# 3. History with the calendar open (a click on the day's heading, which
# starts where the main pane ends: a third of the screen's width).
click_secondary_button 1
click $((${SCREEN_SIZE%x*} / 3 + 120)) 30
shot 3-history-calendar

# 4. Task dialog: Ins on today's list starts a task and opens the dialog.
place 420 620
click 200 120
xdotool key Insert
settle 1
geometry "$WIN"
shot 4-task-dialog 0 0 "$(min $((X + W + 400)) "${SCREEN_SIZE%x*}")" "$(min $((Y + H + 80)) "${SCREEN_SIZE#*x}")"
xdotool key Escape
settle

# 5. Compact mode: the button at the bottom left.
geometry "$WIN"
click 26 $((H - 25))
shot 5-compact-mode

stop_app
echo "screenshots in $OUT"
