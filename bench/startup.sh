#!/usr/bin/env bash
# Start-up figures of the installed panel under a virtual X display: time from
# process start to the splash window mapped on screen (median of five starts),
# and the resident memory of the running panel after the hand-over to the
# main window. Usage: bench/startup.sh <program folder>
# A Windows program folder (QuorvelPanel.exe) runs under wine64, in the Wine
# prefix $WINEPREFIX (default: build/windows/wineprefix), started once before
# the timed starts so the prefix's own start-up is not counted.
set -euo pipefail
program=${1:?program folder}
. "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
# No companion: these figures are the panel's own.
cp -a "$program/." "$work/"
rm -f "$work/Quorvel.exe"
panel=("$work/QuorvelPanel")
if [ -f "$work/QuorvelPanel.exe" ]; then
  . "$(dirname "$0")/../scripts/wine.sh"
  use_wine_prefix "${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/windows/wineprefix}"
  wineserver -p  # up before the timed starts, so its own start is not counted
  trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
  panel=(/usr/lib/wine/wine64 "$work/QuorvelPanel.exe")
fi

times=()
attempts=0
while [ ${#times[@]} -lt 5 ]; do
  attempts=$((attempts + 1))
  [ "$attempts" -le 10 ] || { echo "the panel did not start" >&2; exit 1; }
  start=$(date +%s%N)
  "${panel[@]}" >/dev/null 2>&1 &
  pid=$!
  shown=1
  until xwininfo -name Quorvel 2>/dev/null | grep -q IsViewable; do
    # Under a burst of polling Xvfb now and then turns a new client away:
    # such a start is tried again.
    if ! kill -0 "$pid" 2>/dev/null; then shown=0; break; fi
    sleep 0.005
  done
  end=$(date +%s%N)
  if [ "$shown" -eq 1 ]; then
    times+=($(( (end - start) / 1000000 )))
    if [ ${#times[@]} -eq 5 ]; then
      sleep 11  # ten splash ticks, then the main window
      rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
      echo "resident memory with the main window up: $((rss / 1024)) MB"
    fi
    kill "$pid"
  fi
  wait "$pid" 2>/dev/null || true
  sleep 0.3
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "process start to splash on screen: ${times[*]} ms; median ${sorted[2]} ms"
