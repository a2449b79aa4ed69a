# Sourced by the end-to-end scripts that drive the real program under a private Xvfb display: the
# start and the end that all of them share.
#
#   . "$(dirname "$0")/../support/e2e.sh"
#   e2e_require NAME TOOL...    exits 77 (skipped) unless every tool is installed; NAME begins
#                               every message the script prints
#   e2e_setup [openbox]         the work folder $work with $work/bin for the program, fail MESSAGE,
#                               a private Xvfb as $DISPLAY and, when asked, openbox on it; on exit
#                               the program, the tracked processes, openbox and the server end and
#                               the work folder goes
#   e2e_start IISLOG [ARG...]   copies the program into $work/bin and starts it there (app_pid).
#                               It keeps its history beside itself: write $work/bin/DefaultDir.txt
#                               first
#   e2e_main_window             waits up to 20 s for the main window to show: wid
#   e2e_client_origin WINDOW CLIENT_WIDTH CLIENT_HEIGHT
#                               the client area's origin of a skinned window: left and top inside
#                               the window, cx and cy on the screen (and the window's X, Y, WIDTH,
#                               HEIGHT as xdotool gives them)
#   e2e_window_named TITLE      prints the visible window whose title is exactly TITLE (xdotool's
#                               patterns do not match CJK text here); fails when there is none
#   e2e_wait COMMAND...         runs COMMAND, quietly, every 0.1 s until it succeeds, up to 10 s
#   e2e_track PID               one more process to end on exit
#   e2e_finish                  closes the main window with Alt+F4, ends the program and prints
#                               "NAME: ok"

e2e_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$e2e_support/xvfb.sh"

e2e_name=e2e
e2e_pids=()
work=""
xvfb_pid=""
wm_pid=""
app_pid=""
wid=""

e2e_require() { # name tool...
  e2e_name=$1
  shift
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$e2e_name: $tool is not installed"; exit 77; }
  done
}

# To standard error: a script may fail inside $(...), whose standard output is not shown.
fail() {
  {
    echo "$e2e_name: $*"
    echo "--- program output"
    cat "$work/err" 2>/dev/null
  } >&2
  exit 1
}

e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}" "$app_pid" "$wm_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  [ -n "$work" ] && rm -rf "$work"
}

e2e_setup() { # [openbox]
  work=$(mktemp -d)
  trap e2e_cleanup EXIT
  mkdir -p "$work/bin"
  xvfb_start "$work"
  if [ "${1:-}" = openbox ]; then
    xvfb_openbox "$work"
  fi
}

e2e_track() { # pid
  e2e_pids+=("$1")
}

e2e_start() { # iislog [arg...]
  cp "$1" "$work/bin/iislog"
  shift
  unset IISLOG_BACKEND IISLOG_BENCH
  export LSAN_OPTIONS="suppressions=$e2e_support/../app/lsan.supp:${LSAN_OPTIONS:-}"
  (cd "$work/bin" && exec ./iislog "$@" >"$work/out" 2>"$work/err") &
  app_pid=$!
}

e2e_main_window() {
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tarvel.*V1[.]0$' | head -n 1)
  [ -n "$wid" ] || fail "the main window did not appear"
}

# The frame of a skinned window is as wide on the left, the right and the bottom; the caption
# adds to the top.
e2e_window_named() { # title
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
  done
  return 1
}

e2e_wait() { # command...
  for _ in $(seq 1 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

e2e_client_origin() { # window client-width client-height
  eval "$(xdotool getwindowgeometry --shell "$1")"
  left=$(( (WIDTH - $2) / 2 ))
  top=$(( HEIGHT - $3 - left ))
  cx=$(( X + left ))
  cy=$(( Y + top ))
}

e2e_finish() {
  [ -n "$wid" ] && xdotool key --window "$wid" alt+F4 >/dev/null 2>&1
  kill "$app_pid" 2>/dev/null
  wait "$app_pid" 2>/dev/null
  app_pid=""
  echo "$e2e_name: ok"
}
