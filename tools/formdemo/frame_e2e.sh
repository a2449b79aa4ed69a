#!/usr/bin/env bash
# End-to-end test of the skinned frame in a real window: runs formdemo under a private Xvfb
# display (with the openbox window manager, or with none), and checks from the X server's view
# of the window that dragging the caption moves it, dragging the bottom-right corner sizes it,
# double-clicking the caption maximizes it to the work area and restores it, the window's shape
# follows the skin's rounded outline, and the close button closes it.
# usage: frame_e2e.sh path/to/formdemo none|openbox [SCREENSHOT_DIR]
# Exit 77 (skipped) when Xvfb, xdotool, xwininfo, xsetroot or the window manager is missing.
set -u
demo=${1:?usage: frame_e2e.sh path/to/formdemo none|openbox [SCREENSHOT_DIR]}
wm=${2:-none}
shots=${3:-}
tools="Xvfb xdotool xwininfo xsetroot"
[ "$wm" = openbox ] && tools="$tools openbox"
for tool in $tools; do
  command -v "$tool" >/dev/null 2>&1 || { echo "frame_e2e: $tool is not installed"; exit 77; }
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
fail() {
  echo "frame_e2e ($wm): $*"
  echo "--- demo output"; cat "$work/err" 2>/dev/null
  exit 1
}

. "$(dirname "$0")/../../tests/support/xvfb.sh"
xvfb_start "$work"

if [ "$wm" = openbox ]; then
  xvfb_openbox "$work"
fi
# A screen that is not black, so that black corners (cut out of the window but drawn or read
# back black) show.
xsetroot -solid '#3a6ea5'

unset IISLOG_BACKEND
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../uidemo/lsan.supp:${LSAN_OPTIONS:-}"
"$demo" >"$work/out" 2>"$work/err" &
demo_pid=$!

wid=$(timeout 15 xdotool search --sync --onlyvisible --name '^Framework demo$' | head -n 1)
[ -n "$wid" ] || fail "no window named Framework demo"

# The window's place and size as the X server has them: x y w h.
geometry() {
  xwininfo -id "$wid" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /^  Width:/{w=$2} /^  Height:/{h=$2} END{print x, y, w, h}'
}
# Waits until geometry() prints the expected value (a window manager answers asynchronously).
expect_geometry() { # expected, what
  for _ in $(seq 1 200); do
    [ "$(geometry)" = "$1" ] && return 0
    sleep 0.05
  done
  fail "$2: the window is at $(geometry), expected $1"
}
shot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  xwd -root -silent | /usr/bin/convert xwd:- "$shots/$wm-$1.png" 2>/dev/null
}
pixel() { # x y -> the screen's colour there
  xwd -root -silent | /usr/bin/convert xwd:- -format "%[pixel:p{$1,$2}]" info: 2>/dev/null
}
drag() { # from-x from-y dx dy, in screen coordinates
  # Steps as fast as xdotool sends them, each while the program may still be moving the window
  # for the one before: whether or not the server has carried out the program's last move when
  # the next motion arrives, the window must end where the last motion puts it.
  # expect_geometry then waits for that state.
  local steps=10
  xdotool mousemove "$1" "$2" mousedown 1
  for i in $(seq 1 $steps); do
    xdotool mousemove "$(( $1 + $3 * i / steps ))" "$(( $2 + $4 * i / steps ))"
  done
  xdotool mouseup 1
}

# Let the freshly mapped window settle where it was placed (a window manager may still move it):
# two reads 300 ms apart agree.
last=""
for _ in $(seq 1 40); do
  now=$(geometry)
  [ "$now" = "$last" ] && break
  last=$now
  sleep 0.3
done
read -r x y w h <<<"$(geometry)"
[ "$w" -gt 200 ] && [ "$h" -gt 100 ] || fail "unexpected first geometry $x $y $w $h"
shot normal

# The outline: the window's corner pixels are outside the rounded mask (the screen shows
# through), while the top edge's middle is frame. The screenshot is xwd's, which reads a window
# with a colormap of its own apart from the screen: it showed such corners black.
background=$(pixel 2 2)
corner=$(pixel "$x" "$y")
edge=$(pixel "$(( x + w / 2 ))" "$(( y + 1 ))")
[ "$corner" = "$background" ] || fail "the top-left corner is $corner, not the screen's $background"
corner=$(pixel "$(( x + w - 1 ))" "$(( y + h - 1 ))")
[ "$corner" = "$background" ] || fail "the bottom-right corner is $corner, not the screen's $background"
[ "$edge" != "$background" ] || fail "the top edge shows the screen"

# Dragging the caption moves the window by the drag distance.
drag "$(( x + 150 ))" "$(( y + 12 ))" -120 -90
expect_geometry "$(( x - 120 )) $(( y - 90 )) $w $h" "dragging the caption"
x=$(( x - 120 )); y=$(( y - 90 ))
shot moved

# Dragging the bottom-right corner sizes it (grabbed inside the rounded outline, which cuts the
# last 4 rows as it cuts the first 4).
drag "$(( x + w - 3 ))" "$(( y + h - 3 ))" 70 50
expect_geometry "$x $y $(( w + 70 )) $(( h + 50 ))" "dragging the bottom-right corner"
w=$(( w + 70 )); h=$(( h + 50 ))
shot sized

# A double-click on the caption maximizes to the work area: the whole screen here, which has
# nothing reserved, less a one-pixel margin.
xdotool mousemove "$(( x + 150 ))" "$(( y + 12 ))" click --repeat 2 --delay 60 1
expect_geometry "1 1 1278 1022" "double-clicking the caption"
sleep 0.3
shot maximized
xdotool mousemove 300 13 click --repeat 2 --delay 60 1
expect_geometry "$x $y $w $h" "double-clicking the maximized caption"
sleep 0.3
shot restored

# The close button sits 3 pixels in from the right, 5 down, 21 pixels square.
xdotool mousemove "$(( x + w - 13 ))" "$(( y + 15 ))"
sleep 0.2
shot hover
xdotool click 1
for _ in $(seq 1 100); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$demo_pid" 2>/dev/null && fail "the close button did not close the window"
wait "$demo_pid"
status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "formdemo exited with status $status"
echo "frame_e2e ($wm): ok"
