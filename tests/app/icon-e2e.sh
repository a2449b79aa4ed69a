#!/usr/bin/env bash
# The program's icon as the desktop sees it: the real program under a private Xvfb display with
# the openbox window manager; its window must carry the 32 x 32 icon in _NET_WM_ICON, opaque in
# the middle and see-through in the corner (the rounded tile).
# Exit 77 (skipped) when Xvfb, xdotool, xprop or openbox is missing.
#   icon-e2e.sh IISLOG SAMPLE_FOLDER [SCREENSHOT]
set -u
iislog=${1:?usage: icon-e2e.sh IISLOG SAMPLE_FOLDER [SCREENSHOT]}
samples=${2:?}
shot=${3:-}
. "$(dirname "$0")/../support/e2e.sh"
e2e_require icon-e2e Xvfb xdotool xprop openbox
e2e_setup openbox

e2e_start "$iislog" "$samples"
e2e_main_window

# _NET_WM_ICON: width, height, then width x height ARGB words, printed as decimal numbers (not as
# the picture xprop draws by default).
xprop -id "$wid" -notype -f _NET_WM_ICON 32c ' = $0+' _NET_WM_ICON >"$work/icon" 2>&1 ||
  fail "xprop failed: $(cat "$work/icon")"
tr -d ' \n' <"$work/icon" | sed 's/^[^=]*=//' | tr ',' '\n' >"$work/words"
[ "$(sed -n 1p "$work/words")" = 32 ] && [ "$(sed -n 2p "$work/words")" = 32 ] ||
  fail "the window's icon is not 32 x 32: $(head -c 200 "$work/icon")"
[ "$(grep -c . "$work/words")" -eq $(( 2 + 32 * 32 )) ] || fail "the icon has $(grep -c . "$work/words") words"
word() { sed -n "$(( 3 + $2 * 32 + $1 ))p" "$work/words"; } # x y
alpha() { echo $(( $(word "$1" "$2") >> 24 )); }
[ "$(alpha 16 16)" = 255 ] || fail "the icon's middle is not opaque (alpha $(alpha 16 16))"
[ "$(alpha 0 0)" = 0 ] || fail "the icon's corner is not see-through (alpha $(alpha 0 0))"

if [ -n "$shot" ]; then
  # openbox's window switcher shows the icon the desktop has: hold Alt, press Tab.
  sleep 0.5
  xdotool keydown alt key Tab
  sleep 0.5
  xwd -root -silent | /usr/bin/convert xwd:- "$shot"
  xdotool keyup alt
fi
e2e_finish
