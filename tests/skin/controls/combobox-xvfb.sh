#!/usr/bin/env bash
# The skinned combo box in a real window: runs formdemo under a private Xvfb display with a
# window manager, opens its folder box with the drop button, picks a row of the list and checks
# that the box shows it, that the list window appeared and went again, and that the form kept the
# keyboard focus and the activation throughout, both as the X server sees it (xdotool
# getwindowfocus / getactivewindow) and as the program sees it (its GetFocus and GetActiveWindow,
# reported on each event). Escape then reaches the form's cancel button and closes it.
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -u
demo=${1:?usage: combobox-xvfb.sh path/to/formdemo}
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "combobox-xvfb: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "combobox-xvfb: $*"; echo "--- demo output"; cat "$work/out" 2>/dev/null; cat "$work/err" 2>/dev/null; exit 1; }

. "$(dirname "$0")/../../support/xvfb.sh"
xvfb_start "$work"
# A window manager gives the server an active window to ask about.
have_wm=no
if command -v openbox >/dev/null 2>&1; then
  xvfb_openbox "$work"
  have_wm=yes
fi

unset IISLOG_BACKEND
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../../../tools/uidemo/lsan.supp:${LSAN_OPTIONS:-}"
"$demo" >"$work/out" 2>"$work/err" &
demo_pid=$!

wait_for() { # pattern, seconds
  for _ in $(seq 1 $(( $2 * 20 ))); do
    grep -q "$1" "$work/out" 2>/dev/null && return 0
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.05
  done
  grep -q "$1" "$work/out" 2>/dev/null
}
line_of() { grep "$1" "$work/out" | tail -n 1; }

wait_for "cbb1 shown" 15 || fail "the form was not shown"
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Framework demo$' | head -n 1)
[ -n "$wid" ] || fail "no window named Framework demo"
box=$(line_of "cbb1 shown" | sed -n 's/.*box=\([-0-9,]*\).*/\1/p')
IFS=, read -r left top right bottom <<<"$box"
[ -n "$bottom" ] || fail "no box rectangle reported"

focus_before=$(xdotool getwindowfocus)
active_before=""
[ "$have_wm" = yes ] && active_before=$(xdotool getactivewindow 2>/dev/null)
check_x_focus() { # when
  [ "$(xdotool getwindowfocus)" = "$focus_before" ] || fail "$1: the X focus moved"
  if [ "$have_wm" = yes ]; then
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$active_before" ] || fail "$1: the active window changed"
  fi
}
list_state() { # the map state of the window at the list's place under the box
  local id
  id=$(xwininfo -root -children | grep "+$left+$bottom " | awk '{print $1}' | head -n 1)
  [ -n "$id" ] || { echo none; return; }
  xwininfo -id "$id" | sed -n 's/.*Map State: //p'
}

# The drop button: the right end of the box.
xdotool mousemove $(( right - 10 )) $(( (top + bottom) / 2 )) click 1
wait_for "cbb1 dropdown" 3 || fail "the drop button did not open the list"
sleep 0.3
[ "$(list_state)" = IsViewable ] || fail "no list window under the box (state $(list_state))"
line_of "cbb1 dropdown" | grep -q "focus=1 active=1" || fail "the program lost focus or activation on drop-down"
check_x_focus "list open"

# Hover over the rows, then click the fourth (index 3): each row is 20 pixels below a 2-pixel border.
row_y=$(( bottom + 2 + 3 * 20 + 10 ))
xdotool mousemove $(( left + 60 )) $(( row_y - 40 ))
sleep 0.2
xdotool mousemove $(( left + 60 )) "$row_y"
sleep 0.2
check_x_focus "hovering the list"
xdotool click 1
wait_for "cbb1 closeup" 5 || fail "clicking a row did not close the list accepting it"
line_of "cbb1 closeup" | grep -q "text=/mnt/backup/w3svc1 " || fail "the box does not show the chosen row"
line_of "cbb1 closeup" | grep -q "focus=1 active=1" || fail "the program lost focus or activation on close-up"
sleep 0.3
[ "$(list_state)" = IsUnMapped ] || fail "the list window is still shown"
check_x_focus "after choosing"

# With the list closed, Escape is the form's: its cancel button closes it.
xdotool key Escape
for _ in $(seq 1 200); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$demo_pid" 2>/dev/null && fail "the demo did not close on Escape"
wait "$demo_pid"
status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "the demo exited with status $status"
echo "combobox-xvfb: ok"
