#!/usr/bin/env bash
# The caption buttons' skinned hints in the real program under a private Xvfb display: the pointer
# rests on the close button, a hint window named "Close" appears below it without taking the
# focus from the main window, and goes when the pointer moves into the client area.
# Exit 77 (skipped) when Xvfb or xdotool is missing.
#   hint-e2e.sh IISLOG [SCREENSHOT.png]
# Screenshots come from ImageMagick's import: xwd composes windows of different visuals by their
# rectangles, which hides the hint's rounded outline.
set -u
iislog=${1:?usage: hint-e2e.sh IISLOG [SCREENSHOT.png]}
shot=${2:-}
. "$(dirname "$0")/../../support/e2e.sh"
e2e_require hint-e2e Xvfb xdotool
e2e_setup

e2e_start "$iislog"
e2e_main_window
eval "$(xdotool getwindowgeometry --shell "$wid")"
sleep 0.5

# The close button is the right-most 21 x 21 cell of the caption (3 pixels in, 5 down).
px=$((X + WIDTH - 14))
py=$((Y + 15))
hint=""
xdotool mousemove $((px - 1)) "$py"
xdotool mousemove "$px" "$py"
for _ in $(seq 1 30); do
  hint=$(xdotool search --onlyvisible --name '^Close$' 2>/dev/null | head -n 1)
  [ -n "$hint" ] && break
  sleep 0.1
done
[ -n "$hint" ] || fail "no hint appeared over the close button"

eval "$(xdotool getwindowgeometry --shell "$hint" | sed 's/^/H_/')"
[ "$H_Y" -gt "$py" ] || fail "the hint (top $H_Y) is not below the pointer ($py)"
[ $((H_X + H_WIDTH)) -le 1280 ] || fail "the hint passes the screen's right edge"
[ "$H_HEIGHT" -ge 15 ] && [ "$H_HEIGHT" -le 40 ] || fail "the hint is $H_HEIGHT pixels high"
focus=$(xdotool getwindowfocus 2>/dev/null)
[ "$focus" != "$hint" ] || fail "the hint took the focus"
if [ -n "$shot" ] && command -v /usr/bin/import >/dev/null 2>&1; then
  /usr/bin/import -window root "$shot"
fi

# Into the client area: the hint goes at once (not after its hide pause).
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
gone=""
for _ in $(seq 1 15); do
  if ! xdotool search --onlyvisible --name '^Close$' >/dev/null 2>&1; then gone=1; break; fi
  sleep 0.1
done
[ -n "$gone" ] || fail "the hint stayed after the pointer left the button"

e2e_finish
