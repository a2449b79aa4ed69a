#!/usr/bin/env bash
# Compares the throughput of iislog-report with `grep -F -c` (once per signature, seven runs) and
# with `wc -l` on about 1 GiB of generated IIS logs. The logs are kept in bench/data/ between runs.
# Each tool runs RUNS times (default 5) on a warm page cache; the best time counts, because the
# machine is shared and the slower runs measure the neighbours, not the tool.
# Targets: iislog-report >= 4x the seven greps together, and >= 0.5x wc -l.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
cmake --preset release >/dev/null
cmake --build --preset release -j 2 --target iislog-report loggen >/dev/null
report=build/release/src/app/iislog-report

. bench/logdata.sh
make_logs
logs=("$data"/*.log)
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

# Output goes to a file, not /dev/null: GNU grep stops at the first match when it sees /dev/null.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
run_report() { "$report" "$data" >"$out"; }
run_greps() { for s in "${signatures[@]}"; do LC_ALL=C grep -F -c -- "$s" "${logs[@]}" >"$out" || true; done; }
run_wc() { wc -l "${logs[@]}" >"$out"; }

best() { # prints the best wall time of `runs` runs of the function $1, in seconds
  local fn=$1 best="" start end t
  for ((i = 0; i < runs; i++)); do
    start=$EPOCHREALTIME; "$fn"; end=$EPOCHREALTIME
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
    if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
  done
  echo "$best"
}

# The report must agree with grep before its speed means anything (the logs use CR LF only).
for k in "${!signatures[@]}"; do
  want=$(LC_ALL=C grep -F -h -c -- "${signatures[$k]}" "${logs[@]}" | awk '{ s += $1 } END { print s }')
  got=$("$report" "$data" | awk -F '\t' -v c=$((k + 4)) '{ s += $c } END { print s }')
  if [ "$want" != "$got" ]; then
    echo "MISMATCH for ${signatures[$k]}: grep $want, iislog-report $got" >&2; exit 1
  fi
done
echo "counts agree with grep -F -c for all seven signatures"

t_report=$(best run_report)
t_greps=$(best run_greps)
t_wc=$(best run_wc)
awk -v n="$total" -v r="$t_report" -v g="$t_greps" -v w="$t_wc" -v cores="$(nproc)" 'BEGIN {
  mib = n / 1048576
  printf "data: %.0f MiB in %d files, %d cores, best of '"$runs"' runs\n", mib, '"${#logs[@]}"', cores
  printf "  %-22s %8.3f s  %8.0f MiB/s\n", "iislog-report", r, mib / r
  printf "  %-22s %8.3f s  %8.0f MiB/s\n", "grep -F -c x 7", g, mib / g
  printf "  %-22s %8.3f s  %8.0f MiB/s\n", "wc -l", w, mib / w
  printf "ratio vs seven greps: %.2fx (target >= 4)\n", g / r
  printf "ratio vs wc -l:       %.2fx (target >= 0.5)\n", w / r
  exit !(g / r >= 4 && w / r >= 0.5)
}'
