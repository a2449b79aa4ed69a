#!/usr/bin/env bash
# The history editor end to end on the real program under a private Xvfb display with openbox:
# Ctrl+E in the main window opens the skinned editor with the history; the text is edited with
# the keyboard and saved with "保存"; then DefaultDir.txt is compared byte for byte (CR LF after
# every line), the folder box's drop-down shows one row per entry, and reopening the editor shows
# the saved entries (copied out through the clipboard). Escape cancels a second edit.
# Exit 77 (skipped) when Xvfb, openbox, xdotool or xclip is missing.
#   history-editor-e2e.sh IISLOG [SHOTS_FOLDER]
set -u
iislog=${1:?usage: history-editor-e2e.sh IISLOG [SHOTS_FOLDER]}
shots=${2:-}
. "$(dirname "$0")/../support/e2e.sh"
e2e_require history-editor-e2e Xvfb openbox xdotool xclip xprop
e2e_setup openbox

printf '/var/log/first\r\n/srv/old\r\n/home/me/logs\r\n' >"$work/bin/DefaultDir.txt"
e2e_start "$iislog"
e2e_main_window

editor_open() { e2e_window_named "编辑日志查询记录"; }
editor_closed() { ! e2e_window_named "编辑日志查询记录"; }
open_editor() {
  e2e_client_origin "$wid" 754 573
  # Focus the report list, then the shortcut.
  xdotool mousemove $((cx + 300)) $((cy + 400)) click 1
  xdotool key ctrl+e
  e2e_wait editor_open || fail "Ctrl+E did not open the history editor"
  did=$(editor_open)
  e2e_client_origin "$did" 526 312
  sleep 0.5
}
# The drop-down of the folder box: its popup's height for the number of rows.
dropdown_height() {
  e2e_client_origin "$wid" 754 573
  xdotool mousemove $((cx + 136 + 425)) $((cy + 21)) click 1
  local popup="" w
  for _ in $(seq 1 50); do
    for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      [ "$WIDTH" -eq 433 ] && { popup=$w; break 2; }
    done
    sleep 0.1
  done
  [ -n "$popup" ] || fail "the folder box's drop-down did not open"
  [ -n "$shots" ] && xwd -root -silent | /usr/bin/convert xwd:- "$shots/dropdown-$1.png"
  xdotool key Escape
  eval "$(xdotool getwindowgeometry --shell "$popup")"
  echo "$HEIGHT" >"$work/dropdown-$1"
  sleep 0.3
}

dropdown_height before

open_editor
[ -n "$shots" ] && xwd -silent -id "$did" | /usr/bin/convert xwd:- "$shots/history-editor.png"
# The memo has the focus: drop the first line, rename the last, add two folders (one with a space).
xdotool key ctrl+Home shift+Down Delete
xdotool key Down Home shift+End
xdotool type --delay 20 '/home/me/iis'
xdotool key ctrl+End Return
xdotool type --delay 20 '/data/iis logs'
xdotool key Return
xdotool type --delay 20 '/data/more'
sleep 0.3
[ -n "$shots" ] && xwd -silent -id "$did" | /usr/bin/convert xwd:- "$shots/history-editor-edited.png"
# "保存" lies at client (173, 16) of the bottom panel at (0, 256), 75 x 25.
xdotool mousemove $((cx + 210)) $((cy + 284)) click 1
e2e_wait editor_closed || fail "保存 did not close the editor"

printf '/srv/old\r\n/home/me/iis\r\n/data/iis logs\r\n/data/more\r\n' >"$work/history.expected"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" ||
  fail "DefaultDir.txt is $(od -c "$work/bin/DefaultDir.txt" | head -5)"

# The folder box's list now holds four entries: its drop-down is one 20-pixel row taller.
dropdown_height after
before=$(cat "$work/dropdown-before")
after=$(cat "$work/dropdown-after")
[ $((after - before)) -eq 20 ] || fail "the drop-down was $before pixels high with three entries and is $after with four"

# Reopening shows the saved entries; copy them out of the memo.
open_editor
xdotool key ctrl+a ctrl+c
sleep 0.3
timeout 2 xclip -o -selection clipboard >"$work/memo" 2>/dev/null || fail "nothing on the clipboard"
printf '/srv/old\r\n/home/me/iis\r\n/data/iis logs\r\n/data/more' >"$work/memo.expected"
cmp -s "$work/memo" "$work/memo.expected" || fail "the reopened editor shows $(od -c "$work/memo" | head -5)"

# An edit abandoned with Escape changes nothing.
xdotool key ctrl+End Return
xdotool type --delay 20 '/discarded'
xdotool key Escape
e2e_wait editor_closed || fail "Escape did not close the editor"
cmp -s "$work/bin/DefaultDir.txt" "$work/history.expected" || fail "a cancelled edit reached DefaultDir.txt"

e2e_finish
