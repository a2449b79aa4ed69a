# Sourced by the end-to-end scripts of the main window: analyse the folder in the box and read the
# report back through the clipboard.
#
#   . "$(dirname "$0")/../support/report-clipboard.sh"
#   copy_report "$wid" "$left" "$top" "$work/expected" "$work/clipboard" || fail "..."
#
# LEFT and TOP are the client area's origin inside window WID. "分析" lies at client (608, 11),
# 121 x 22; Ctrl+C in the report list with no row selected copies every row under a caption line.
# The report grows row by row while the analysis runs, so a copy taken early holds only the first
# rows: this waits until the clipboard holds the whole expected text, not for a first row. A press
# sent while the window settles may be lost, so "分析" is pressed again when no row has arrived.
copy_report() { # wid left top expected-file out-file
  local wid=$1 left=$2 top=$3 expected=$4 out=$5 press try
  for press in 1 2 3; do
    xdotool mousemove --window "$wid" $((left + 668)) $((top + 22)) click 1
    for try in $(seq 1 150); do
      # Focus the report list below its rows (which selects none), then copy.
      xdotool mousemove --window "$wid" $((left + 300)) $((top + 400)) click 1
      xdotool keydown ctrl key c keyup ctrl
      timeout 2 xclip -o -selection clipboard >"$out" 2>/dev/null
      cmp -s "$out" "$expected" && return 0
      if [ "$try" -ge 50 ] && [ "$(wc -l <"$out")" -le 1 ]; then
        break
      fi
      sleep 0.1
    done
  done
  diff "$expected" "$out"
  return 1
}
