# Sourced by the end-to-end scripts: a private Xvfb display (and, when asked, a window manager on
# it) for a test that drives a real window.
#
#   . "$(dirname "$0")/.../tests/support/xvfb.sh"
#   xvfb_start "$work"      # sets xvfb_pid and exports DISPLAY; calls the script's fail() if the
#                           # server does not start or answer within 30 s
#   xvfb_openbox "$work"    # optional: starts openbox, sets wm_pid, waits until it runs its event loop
#
# The script keeps its own cleanup: it kills "$xvfb_pid" (and "$wm_pid") on exit. The server's
# output goes to WORK/xvfb.log, openbox's to WORK/wm.log. Needs xdotool (to see the server answer).

# Seconds to wait for the server to start and to answer: a loaded machine (parallel builds and
# tests on two cores) has taken more than 5 s.
xvfb_wait_seconds=${XVFB_WAIT_SECONDS:-30}

xvfb_start() { # work folder
  local work=$1 display="" tries=$(( xvfb_wait_seconds * 20 ))
  # Xvfb picks a free display number itself and writes it to the given descriptor, so parallel
  # runs never race for one. -noreset: by default the server resets whenever its last client
  # leaves and drops every connection it accepted meanwhile, so a client that connects just as
  # another leaves (openbox after the readiness probe below, the program after an xdotool call)
  # failed now and then with "unable to open display".
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 "$tries"); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  display=$(head -n 1 "$work/display" 2>/dev/null)
  [ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$display"
  for _ in $(seq 1 "$tries"); do
    xdotool getmouselocation >/dev/null 2>&1 && return 0
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb on $DISPLAY ended before answering (killed from outside?)"
    sleep 0.05
  done
  xdotool getmouselocation >/dev/null 2>"$work/xdotool.err" ||
    fail "Xvfb did not answer on $DISPLAY: $(cat "$work/xdotool.err")"
}

xvfb_openbox() { # work folder
  local work=$1
  rm -f "$work/wm.ready"
  # Ready means past its start-up, in its event loop: --startup runs the command just before.
  # Its _NET_SUPPORTING_WM_CHECK, set early in the start-up, is no sign of that: a window mapped
  # while openbox still starts up (loading its theme and menus takes seconds on a loaded
  # machine) had its map request taken into openbox's queue and then left there, unmapped,
  # until some other event reached openbox, and the program hung waiting for its window.
  openbox --sm-disable --startup "touch '$work/wm.ready'" >"$work/wm.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 1 $(( xvfb_wait_seconds * 20 ))); do
    [ -e "$work/wm.ready" ] && return 0
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox ended at start: $(cat "$work/wm.log")"
    sleep 0.05
  done
  fail "openbox did not finish starting in $xvfb_wait_seconds s: $(cat "$work/wm.log")"
}
