# The generated IIS logs the benchmarks read, kept in bench/data/ between runs (sourced).
#   make_logs DIR BYTES FILES   generates them once (loggen, fixed seed) and warms the page cache
make_logs() {
  local dir=$1 bytes=$2 files=$3
  if [ ! -f "$dir/.complete" ]; then
    echo "generating $bytes bytes of logs in $files files into $dir ..."
    rm -rf "$dir"
    build/release/tools/loggen/loggen --out "$dir" --seed 2013 --bytes "$bytes" --files "$files"
    touch "$dir/.complete"
  fi
  cat "$dir"/*.log >/dev/null
}
