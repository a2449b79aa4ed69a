#!/usr/bin/env bash
# The skinned system menu of the real program under a private Xvfb display, without a window
# manager ("none") or under openbox: a right click on the caption opens the menu at the cursor
# while the main window keeps the focus; a click on "Maximize" maximizes the window; the menu
# opened again offers "Restore", chosen with its accelerator key, which gives the old bounds back.
# Under openbox also: a right click on the caption of the inactive window opens the menu, which
# stays open while the window becomes active, and a click on another program's window closes it.
# Exit 77 (skipped) when Xvfb or xdotool is missing.
#   menu-e2e.sh IISLOG none|openbox [SHOT.png]
set -u
iislog=${1:?usage: menu-e2e.sh IISLOG none|openbox [SHOT.png]}
wm=${2:?}
shot=${3:-}
. "$(dirname "$0")/../../support/e2e.sh"
if [ "$wm" = openbox ]; then
  e2e_require "menu-e2e ($wm)" Xvfb xdotool openbox xprop xlogo
  e2e_setup openbox
else
  e2e_require "menu-e2e ($wm)" Xvfb xdotool
  e2e_setup
fi

printf '/var/log/first\r\n' >"$work/bin/DefaultDir.txt"
e2e_start "$iislog"
e2e_main_window
geometry() { eval "$(xdotool getwindowgeometry --shell "$wid")"; echo "$X $Y $WIDTH $HEIGHT"; }
# Runs the command until it succeeds, for at most 10 s. The program and the window manager
# answer asynchronously, and the window's place and size reach the server as separate
# requests: wait for the whole state, never for a part of it.
wait_for() { # command...
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# Let the freshly mapped window settle where it was placed (a window manager may still move
# it): two reads 300 ms apart agree.
last=""
for _ in $(seq 1 40); do
  now=$(geometry)
  [ "$now" = "$last" ] && break
  last=$now
  sleep 0.3
done
read -r x0 y0 w0 h0 <<<"$(geometry)"
[ "$wm" = openbox ] && xdotool windowactivate --sync "$wid" >/dev/null 2>&1
focus_before=$(xdotool getwindowfocus)

# Opens the system menu with a right click on the caption; waits until a new window shows at
# the cursor (the menu), and prints its id.
open_menu() {
  local before after id
  before=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
  xdotool mousemove $(( $1 + 200 )) $(( $2 + 12 )) click 3
  for _ in $(seq 1 50); do
    after=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
    id=$(comm -13 <(echo "$before") <(echo "$after") | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

menu=$(open_menu "$x0" "$y0") || fail "no menu appeared after the right click on the caption"
eval "$(xdotool getwindowgeometry --shell "$menu")"
mx=$X my=$Y mw=$WIDTH mh=$HEIGHT
# Its top-left corner is at the cursor.
[ "$mx" -eq $(( x0 + 200 )) ] && [ "$my" -eq $(( y0 + 12 )) ] ||
  fail "the menu is at $mx,$my, not at the cursor $(( x0 + 200 )),$(( y0 + 12 ))"
# The window keeps the keyboard focus while the menu is open.
[ "$(xdotool getwindowfocus)" = "$focus_before" ] || fail "the menu took the focus"
sleep 0.3
[ -n "$shot" ] && xwd -root -silent | /usr/bin/convert xwd:- "$shot"

# The items of the program's skin are 22 pixels high below a 4-pixel frame: Minimize, Maximize,
# a separator, Close. Hover, then click on Maximize.
xdotool mousemove $(( mx + 40 )) $(( my + 4 + 22 + 11 ))
sleep 0.2
xdotool click 1
maximized() { read -r x y w h <<<"$(geometry)"; [ "$w" -ge 1270 ] && [ "$h" -ge 1000 ] && [ "$x" -le 1 ] && [ "$y" -le 1 ]; }
wait_for maximized || fail "not maximized: $(geometry) (was $x0 $y0 $w0 $h0)"
xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$menu" && fail "the menu stayed open"

# Again, now offering Minimize, Restore, -, Close: "r", the accelerator of "&Restore".
open_menu "$x" "$y" >/dev/null || fail "no menu on the maximized window"
xdotool key r
restored() { [ "$(geometry)" = "$x0 $y0 $w0 $h0" ]; }
wait_for restored || fail "restored to $(geometry), not $x0 $y0 $w0 $h0"
x=$x0 y=$y0

shown() { xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$1"; }
if [ "$wm" = openbox ]; then
  xlogo -geometry 150x150+1100+800 >/dev/null 2>&1 &
  e2e_track $!
  logo=$(timeout 10 xdotool search --sync --onlyvisible --class xlogo | head -n 1)
  [ -n "$logo" ] || fail "xlogo did not appear"
  xdotool windowactivate --sync "$logo" >/dev/null 2>&1
  menu=$(open_menu "$x" "$y") || fail "no menu on the inactive window"
  active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$wid" ]; }
  wait_for active || fail "the window under the menu is not active"
  # Give the program time to see its activation before looking whether the menu is still up.
  sleep 0.5
  shown "$menu" || fail "the menu closed when its window became active"
  xdotool mousemove 1170 870 click 1
  for _ in $(seq 1 50); do
    shown "$menu" || break
    sleep 0.1
  done
  shown "$menu" && fail "a click on another program's window left the menu open"
fi

e2e_finish
