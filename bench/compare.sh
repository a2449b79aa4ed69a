#!/usr/bin/env bash
# Compares the throughput of iislog-report, in its classic mode and (once built) with
# `--crawlers current`, with `grep -F -c` (once per classic signature, seven runs), with `wc -l` on
# all files and with two `wc -l` side by side (each on half of the files, started together, timed
# until both end) on about 1 GiB of generated IIS logs (bench/logdata.sh: STYLE, BYTES, FILES; the
# logs are kept in bench/data/ between runs). Each tool runs RUNS times (default 5) on a warm page
# cache; the best time counts, because the machine is shared and the slower runs measure the
# neighbours, not the tool.
# The classic counts must agree with grep's, or the script fails; the speed targets are printed,
# not enforced: classic >= 4x the seven greps together, and >= 0.5x wc -l.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target iislog-report loggen >/dev/null
# The report program lives with the analysis code (src/analysis/), formerly in src/app/; when both
# are there, the newer build is the current one.
report=""
for candidate in build/release/src/analysis/iislog-report build/release/src/app/iislog-report; do
  if [ -x "$candidate" ] && { [ -z "$report" ] || [ "$candidate" -nt "$report" ]; }; then report=$candidate; fi
done
if [ -z "$report" ]; then
  echo "compare.sh: no iislog-report under build/release/src/analysis/ or build/release/src/app/" >&2
  exit 2
fi

. bench/logdata.sh
make_logs
logs=("$data"/*.log)
half=$((${#logs[@]} / 2))
first_half=("${logs[@]:0:half}")
second_half=("${logs[@]:half}")
total=$(cat "${logs[@]}" | wc -c)

signatures=(
  "http://www.baidu.com/search/spider.htm"
  "http://www.google.com/bot.html"
  "http://help.soso.com/webspider.htm"
  "Yahoo!+Slurp"
  "http://www.sogou.com/docs/help/webmasters.htm"
  "http://www.youdao.com/help/webmaster/spider/"
  "http://search.msn.com/msnbot.htm"
)

help=$("$report" --help 2>&1 || true)
current=false
case $help in *--crawlers*) current=true ;; esac

# Output goes to files, not /dev/null: GNU grep stops at the first match when it sees /dev/null.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
run_report() { "$report" "$data" >"$out"; }
run_current() { "$report" --crawlers current "$data" >"$out"; }
run_greps() { for s in "${signatures[@]}"; do LC_ALL=C grep -F -c -- "$s" "${logs[@]}" >"$out" || true; done; }
run_wc() { wc -l "${logs[@]}" >"$out"; }
run_two_wc() {
  wc -l "${first_half[@]}" >"$work/wc1" &
  local a=$!
  wc -l "${second_half[@]}" >"$work/wc2" &
  local b=$!
  wait "$a" "$b"
}

best() { # prints the best wall time of `runs` runs of the function $1, in seconds
  local fn=$1 best="" start end t
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME; "$fn"; end=$EPOCHREALTIME
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}

# The classic report must agree with grep before its speed means anything (the logs use CR LF only).
"$report" "$data" >"$work/rows"
for k in "${!signatures[@]}"; do
  # (grep exits 1 when no file has the signature: today's logs carry no Soso or Youdao crawler.)
  want=$({ LC_ALL=C grep -F -h -c -- "${signatures[$k]}" "${logs[@]}" || true; } | awk '{ s += $1 } END { print s }')
  got=$(awk -F '\t' -v c=$((k + 4)) '{ s += $c } END { print s }' "$work/rows")
  if [ "$want" != "$got" ]; then
    echo "MISMATCH for ${signatures[$k]}: grep $want, iislog-report $got" >&2; exit 1
  fi
done
echo "classic counts agree with grep -F -c for all seven signatures"

t_report=$(best run_report)
t_current=""
if $current; then t_current=$(best run_current); fi
t_greps=$(best run_greps)
t_wc=$(best run_wc)
t_two=$(best run_two_wc)
awk -v n="$total" -v r="$t_report" -v c="$t_current" -v g="$t_greps" -v w="$t_wc" -v w2="$t_two" \
  -v cores="$(nproc)" -v style="$style" -v files="${#logs[@]}" -v half="$half" -v runs="$runs" 'BEGIN {
  mib = n / 1048576
  printf "data: %s style, %.0f MiB in %d files, %d cores, best of %d runs\n", style, mib, files, cores, runs
  row("iislog-report (classic)", r)
  if (c != "") row("iislog-report --crawlers current", c)
  row("grep -F -c x 7", g)
  row("wc -l", w)
  row(sprintf("2 x wc -l (%d + %d files)", half, files - half), w2)
  if (c == "") print "current mode: not built yet"
  print "speed ratios (MiB/s of the first over MiB/s of the second):"
  printf "  %-28s %6.2fx  (target >= 0.5)\n", "classic vs wc -l", w / r
  printf "  %-28s %6.2fx\n", "classic vs two wc -l", w2 / r
  printf "  %-28s %6.2fx  (target >= 4)\n", "classic vs seven greps", g / r
  if (c != "") {
    printf "  %-28s %6.2fx\n", "current vs classic", r / c
    printf "  %-28s %6.2fx\n", "current vs wc -l", w / c
  }
}
function row(name, t) { printf "  %-34s %8.3f s  %8.0f MiB/s\n", name, t, mib / t }'
