#!/usr/bin/env bash
# End-to-end smoke test of the SDL backend: runs uidemo under a private Xvfb display, clicks
# its button with xdotool, checks the keyboard around a modal dialog and across a focus change,
# closes it with its own close button and checks what it reported.
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -u
demo=${1:?usage: smoke.sh path/to/uidemo}
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "smoke: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill -CONT "$demo_pid" 2>/dev/null && kill "$demo_pid" 2>/dev/null
  # Wait for the server to be gone: a server still going away can remove the socket of the next
  # run's server that took the same display number.
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke: $*"; echo "--- demo output"; cat "$work/out" 2>/dev/null; cat "$work/err" 2>/dev/null; echo "--- xvfb"; cat "$work/xvfb.log" 2>/dev/null; exit 1; }

. "$(dirname "$0")/../../tests/support/xvfb.sh"
xvfb_start "$work"

unset IISLOG_BACKEND
# The system's D-Bus library keeps an allocation of its own until exit; it is not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:${LSAN_OPTIONS:-}"
"$demo" >"$work/out" 2>"$work/err" &
demo_pid=$!

wait_for() { # text, seconds
  for _ in $(seq 1 $(( $2 * 20 ))); do
    grep -q "$1" "$work/out" 2>/dev/null && return 0
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "$1" "$work/out" 2>/dev/null
}

wait_for shown 10 || fail "the window was not shown"
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^uidemo$' | head -n 1)
[ -n "$wid" ] || fail "no window named uidemo"

# The button lies at client (20,20)-(120,60); the frame adds 4 pixels and the caption 18.
xdotool mousemove --window "$wid" 74 62 click 1
wait_for clicked 10 || fail "the click did not reach the button"
# A thread of the demo posts a message while the loop sleeps and no input arrives.
wait_for woken 5 || fail "a message posted from another thread did not wake the loop"
wait_for pingpong 20 || fail "the loop slept on a message posted from another thread"

# Without a window manager the program hands the keyboard on itself: after a modal dialog ends,
# the main window the window system activates again hears the keys.
xdotool key d
wait_for "modal open" 10 || fail "the D key did not open the modal dialog"
timeout 10 xdotool search --sync --onlyvisible --name '^uidemo dialog$' >/dev/null || fail "no dialog window"
xdotool key Escape
wait_for "modal ended" 10 || fail "Escape did not reach the modal dialog"
xdotool key k
wait_for "^key 75$" 10 || fail "the keyboard did not come back to the main window after the modal dialog"

# Ctrl held across a focus change that the program reads only after the keys were let go, as a
# busy machine does (here it is stopped meanwhile): Ctrl+A is still Ctrl+A.
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
kill -STOP "$demo_pid"
xdotool keydown ctrl
xdotool windowfocus --sync "$root"
xdotool windowfocus --sync "$wid"
xdotool key a
xdotool keyup ctrl
kill -CONT "$demo_pid"
wait_for "^key 65" 10 || fail "the A did not arrive"
grep -q "^key 65 ctrl$" "$work/out" || fail "the A arrived without Ctrl"
wait_for "^char 1$" 10 || fail "Ctrl+A made no Ctrl+A character"

# The default close button of a 320-pixel-wide framed window is centred at (306, 13).
xdotool mousemove --window "$wid" 306 13 click 1
for _ in $(seq 1 200); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$demo_pid" 2>/dev/null && fail "the demo did not exit after closing"
wait "$demo_pid"
status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "the demo exited with status $status"
grep -q closed "$work/out" || fail "the demo did not report closing"
echo "smoke: ok"
