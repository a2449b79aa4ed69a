#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a user and the desktop get from it: the
# three programs (runnable from the prefix), the desktop entry, the icon in the icon theme and
# the sample logs the program falls back to.
#   install-check.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install-check: $*" >&2; exit 1; }
for program in iislog iislog-report skintool; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
done
desktop="$prefix/share/applications/iislog.desktop"
[ -f "$desktop" ] || fail "the desktop entry is missing"
grep -qx 'Icon=iislog' "$desktop" || fail "the desktop entry names no icon"
grep -q '^Exec=iislog' "$desktop" || fail "the desktop entry does not start iislog"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
fi
for size in 16 32 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/iislog.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  # The PNG header names the size the folder promises.
  dims=$(od -An -tu4 --endian=big -j16 -N8 "$icon" | tr -s ' ')
  [ "$dims" = " $size $size" ] || fail "the ${size}x${size} icon is$dims"
done

# The installed programs work from the prefix, the sample logs included.
"$prefix/bin/iislog-report" --version | grep -q '^iislog-report [0-9]' || fail "iislog-report --version"
rows=$("$prefix/bin/iislog-report" "$prefix/share/iislog/samples/logs" | wc -l)
[ "$rows" -eq 3 ] || fail "the installed sample logs give $rows rows"
out=$(cd / && DISPLAY= "$prefix/bin/iislog" 2>/dev/null | wc -l)
[ "$out" -eq 4 ] || fail "the installed iislog without a display printed $out lines, not the sample report"
echo "install-check: ok"
