#!/usr/bin/env bash
# The test suite's own X server: a virtual Xvfb display on a free display
# number (-displayfd) with the openbox window manager, so tests of window
# lists, idle time and the clipboard run against a real X11 desktop without
# touching the user's display.
#
#   test-x11-server.sh start STATE_DIR   starts both, writes STATE_DIR/display
#   test-x11-server.sh stop STATE_DIR    stops them and removes STATE_DIR
#
# Tests read the display name (":N") from STATE_DIR/display; when the file is
# missing they skip with a reason. The server listens on its Unix socket only.
set -euo pipefail

cmd="${1:-}"
state="${2:-}"
if [ -z "$cmd" ] || [ -z "$state" ]; then
  echo "usage: $0 start|stop STATE_DIR" >&2
  exit 2
fi

stop_server() {
  if [ -f "$state/pids" ]; then
    while read -r pid; do
      kill "$pid" 2>/dev/null || true
    done < "$state/pids"
    # Give Xvfb a moment to remove its socket and lock file.
    for _ in $(seq 1 50); do
      alive=0
      while read -r pid; do
        if kill -0 "$pid" 2>/dev/null; then alive=1; fi
      done < "$state/pids"
      [ "$alive" -eq 0 ] && break
      sleep 0.1
    done
  fi
  rm -rf "$state"
}

case "$cmd" in
  stop)
    stop_server
    exit 0
    ;;
  start)
    ;;
  *)
    echo "unknown command: $cmd" >&2
    exit 2
    ;;
esac

stop_server
mkdir -p "$state"
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "Xvfb not installed; X11 tests will skip" >&2
  exit 0
fi

# Xvfb writes the display number it chose to the descriptor given; the
# server's own output goes to a log so CTest does not wait on its pipes.
exec 3> "$state/displayfd"
setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp \
  > "$state/xvfb.log" 2>&1 < /dev/null &
echo $! > "$state/pids"
exec 3>&-

for _ in $(seq 1 100); do
  if [ -s "$state/displayfd" ]; then break; fi
  sleep 0.05
done
number="$(tr -dc '0-9' < "$state/displayfd")"
if [ -z "$number" ]; then
  echo "Xvfb did not start:" >&2
  cat "$state/xvfb.log" >&2 || true
  stop_server
  exit 1
fi
display=":$number"

# The server accepts connections once its socket answers; on a loaded
# machine that can lag behind the display number.
for _ in $(seq 1 200); do
  if DISPLAY="$display" xdpyinfo >/dev/null 2>&1; then break; fi
  sleep 0.05
done

wm_ready() {
  DISPLAY="$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

if command -v openbox >/dev/null 2>&1; then
  # A window manager that gives up at once (seen under heavy load) is started
  # again; tests that need one wait for it and say so when it never came.
  for attempt in 1 2 3; do
    DISPLAY="$display" setsid openbox --sm-disable >> "$state/openbox.log" 2>&1 < /dev/null &
    wm_pid=$!
    for _ in $(seq 1 200); do
      if wm_ready || ! kill -0 "$wm_pid" 2>/dev/null; then break; fi
      sleep 0.05
    done
    if wm_ready; then
      echo "$wm_pid" >> "$state/pids"
      break
    fi
    kill "$wm_pid" 2>/dev/null || true
    echo "openbox attempt $attempt did not start" >> "$state/openbox.log"
  done
fi

echo "$display" > "$state/display"
echo "X11 test server on $display"
