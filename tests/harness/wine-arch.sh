#!/usr/bin/env bash
# Prints the environment lines that run Wine for one Windows architecture
# (i686 or x86_64), for a script to source. The loader and the server are
# named directly: Debian's wrappers (wine, wineboot, wineserver) pick the
# i386 loader whenever wine32 is installed, even where it cannot run.
case "${1:-}" in
  i686)
    echo 'export WINEARCH=win32'
    echo 'export WINE_LOADER=/usr/lib/wine/wine'
    ;;
  x86_64)
    echo 'export WINEARCH=win64'
    echo 'export WINE_LOADER=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64'
    ;;
  *) echo "wine-arch: unknown architecture '${1:-}' (i686 or x86_64)" >&2; exit 2 ;;
esac
echo 'export WINE_SERVER=/usr/lib/wine/wineserver64'
