#!/usr/bin/env bash
# Checks which programs load SDL2 (through the dynamic loader, as ldd lists it): those that open
# windows must, the command-line tools and the headless tests must not.
#   sdl-linking.sh WINDOW_PROGRAM... -- OTHER_PROGRAM...
set -u
loads_sdl() { ldd "$1" | grep -q 'libSDL2'; }
status=0
windows=yes
for p in "$@"; do
  if [ "$p" = -- ]; then windows=no; continue; fi
  if [ "$windows" = yes ] && ! loads_sdl "$p"; then echo "$p opens windows but does not load SDL2"; status=1; fi
  if [ "$windows" = no ] && loads_sdl "$p"; then echo "$p loads SDL2 though it opens no window"; status=1; fi
done
[ "$status" = 0 ] && echo "sdl-linking: ok"
exit "$status"
