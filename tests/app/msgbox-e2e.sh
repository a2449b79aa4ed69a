#!/usr/bin/env bash
# The program's error box as the desktop sees it: the real program under a private Xvfb display
# with openbox, with a history that cannot be written (DefaultDir.txt is a folder). "Cannot create
# file" comes at start-up, before the main window, and again on "分析". Each box is a window the
# window manager manages and activates (it takes Return), not an override-redirect popup that
# would float over every other program; the one over the main window names it in
# WM_TRANSIENT_FOR, so the desktop keeps it above its owner.
# Exit 77 (skipped) when Xvfb, openbox, xdotool, xprop or xwininfo is missing.
#   msgbox-e2e.sh IISLOG SAMPLE_FOLDER
set -u
iislog=${1:?usage: msgbox-e2e.sh IISLOG SAMPLE_FOLDER}
samples=${2:?}
. "$(dirname "$0")/../support/e2e.sh"
e2e_require msgbox-e2e Xvfb openbox xdotool xprop xwininfo
e2e_setup openbox

title="Tarvel社IIS日志分析工具" # the application's title, which the box carries
box_is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(e2e_window_named "$title")" ]; }
# The box: managed, active, gone on Return. Prints its window id.
check_box() { # WHEN
  e2e_wait e2e_window_named "$title" || fail "$1: no error box"
  local box
  box=$(e2e_window_named "$title")
  xwininfo -id "$box" | grep -q "Override Redirect State: no" ||
    fail "$1: the error box is an override-redirect window"
  e2e_wait box_is_active || fail "$1: the error box is not the active window"
  echo "$box"
}

mkdir -p "$work/bin/DefaultDir.txt"
e2e_start "$iislog" "$samples"
check_box "start-up" >/dev/null || exit 1
xdotool key Return
e2e_wait eval '! e2e_window_named "$title"' || fail "Return did not close the start-up box"
e2e_main_window

# "分析" (client 608, 11, 121 x 22) saves the history first: the same error, now over the window.
e2e_client_origin "$wid" 754 573
xdotool mousemove $((cx + 668)) $((cy + 22)) click 1
box=$(check_box "analysis") || exit 1
owner=$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ -n "$owner" ] && [ $((owner)) -eq $((wid)) ] ||
  fail "the error box is not kept above the main window (WM_TRANSIENT_FOR '$owner', window $wid)"
xdotool key Return
e2e_wait eval '! e2e_window_named "$title"' || fail "Return did not close the box over the window"
e2e_finish
