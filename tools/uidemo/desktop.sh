#!/usr/bin/env bash
# The SDL backend under a real window manager: runs uidemo under a private Xvfb display with
# openbox and checks what the desktop does to it behind the program's back. The pointer enters
# the window and leaves it for the desktop: the program hears WM_MOUSELEAVE and GetCursorPos
# says where the pointer went. The window manager minimizes the window (as a taskbar would) and
# brings it back: the program sees both through WM_SIZE, repaints, shows its pixels again and
# takes a click. Exit 77 (skipped) when Xvfb, xdotool or openbox is missing.
set -u
demo=${1:?usage: desktop.sh path/to/uidemo}
for tool in Xvfb xdotool xprop openbox; do
  command -v "$tool" >/dev/null 2>&1 || { echo "desktop: $tool is not installed"; exit 77; }
done
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  # Wait for the server to be gone: a server still going away can remove the socket of the next
  # run's server that took the same display number.
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "desktop: $*"; echo "--- demo output"; cat "$work/out" 2>/dev/null; cat "$work/err" 2>/dev/null; echo "--- wm"; cat "$work/wm.log" 2>/dev/null; echo "--- xvfb"; cat "$work/xvfb.log" 2>/dev/null; exit 1; }

. "$(dirname "$0")/../../tests/support/xvfb.sh"
xvfb_start "$work"
xvfb_openbox "$work"

unset IISLOG_BACKEND
export LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp:${LSAN_OPTIONS:-}"
"$demo" 60 >"$work/out" 2>"$work/err" &
demo_pid=$!

wait_for() { # text, seconds
  for _ in $(seq 1 $(( $2 * 20 ))); do
    grep -q "$1" "$work/out" 2>/dev/null && return 0
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "$1" "$work/out" 2>/dev/null
}
count_of() { grep -c "^$1" "$work/out" 2>/dev/null; }
# The colour of one screen pixel as rrggbb.
pixel() {
  xwd -root -silent | "$convert" xwd:- -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'A-F' 'a-f'
}

wait_for shown 20 || fail "the window was not shown"
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^uidemo$' | head -n 1)
[ -n "$wid" ] || fail "no window named uidemo"

# --- The pointer leaves for the desktop: no move is reported there, only the leave.
xdotool mousemove --window "$wid" 200 120
wait_for entered 5 || fail "the pointer entering the window was not seen"
xdotool mousemove 900 700
wait_for "^left" 5 || fail "the program did not hear that the pointer left"
read -r _ lx ly <<<"$(grep '^left' "$work/out" | tail -n 1)"
[ "$lx" = 900 ] && [ "$ly" = 700 ] || fail "GetCursorPos said $lx,$ly, the pointer is at 900,700"

# --- Minimized by the window manager, restored through it as a taskbar does.
xdotool windowminimize "$wid"
wait_for minimized 5 || fail "the program did not see the window minimized"
xprop -id "$wid" WM_STATE | grep -q 'Iconic' || fail "the window is not iconic after minimizing"
repaints_before=$(count_of repainted)
xdotool windowactivate "$wid" 2>/dev/null || xdotool windowmap "$wid"
wait_for restored 5 || fail "the program did not see the window restored"
wait_for repainted 5 || fail "the restored window did not repaint"
xprop -id "$wid" WM_STATE | grep -q 'Normal' || fail "the window is not normal after restoring"
[ "$(count_of repainted)" -gt "$repaints_before" ] || fail "no paint after the restore"

# Its pixels are on the screen again: the button's face inside the frame.
read -r wx wy <<<"$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')"
face=""
for _ in $(seq 1 40); do
  face=$(pixel $((wx + 74)) $((wy + 62)))
  [ -n "$face" ] && [ "$face" != 000000 ] && break
  sleep 0.1
done
[ "$face" = "$(pixel $((wx + 30)) $((wy + 50)))" ] || fail "the button is not drawn evenly ($face)"
[ "$face" != 000000 ] || fail "the restored window shows no pixels"

# And it takes a click.
xdotool mousemove --window "$wid" 74 62 click 1
wait_for clicked 10 || fail "the restored window did not take the click"
green=""
for _ in $(seq 1 40); do
  green=$(pixel $((wx + 74)) $((wy + 62)))
  [ "$green" = 78c878 ] && break
  sleep 0.1
done
[ "$green" = 78c878 ] || fail "the click was not painted (button face $green)"

# The close button of the 320-pixel-wide frame ends it.
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
echo "desktop: ok"
