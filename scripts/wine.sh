#!/usr/bin/env bash
# Runs a Windows program under Wine, as the tests run quorl.exe and the test
# programs of build-win/ (ctest starts each of them through this script):
#
#   wine.sh PROGRAM.exe [ARGUMENT...]
#
# The Wine prefix is WINEPREFIX, build-win/wine-prefix unless set, made on
# first use (about 10 s): Wine runs without a .NET or HTML engine to install,
# and its windows are unmanaged, as a window manager would otherwise be waited
# for when one closes. Of Wine's own messages only those of a program that
# cannot load show, unless WINEDEBUG asks for others. Wine's background
# services are started before the program, with their output sent nowhere:
# started by the program, they would hold its output open after it ends. When
# the program ends they are stopped with the Wine server, so that the next
# program starts them on its own display and sound device; so programs of one
# prefix must run one at a time, as the end of one stops the others. Exit
# status: the program's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || { echo "usage: wine.sh PROGRAM.exe [ARGUMENT...]" >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-$root/build-win/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/.ready" ]; then
  mkdir -p "$WINEPREFIX"
  if ! { wineboot --init && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
         wineserver -w; } >"$WINEPREFIX/.setup.log" 2>&1; then
    echo "wine.sh: could not set up the Wine prefix $WINEPREFIX:" >&2
    tail -n 20 "$WINEPREFIX/.setup.log" >&2
    exit 1
  fi
  touch "$WINEPREFIX/.ready"
fi

wine wineboot >/dev/null 2>&1 </dev/null || true
status=0
wine "$@" || status=$?
wineserver -k 2>/dev/null || true
exit "$status"
