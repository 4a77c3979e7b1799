#!/usr/bin/env bash
# Start-up figures of the installed panel under a virtual X display: time from
# process start to the splash window mapped on screen (median of five starts),
# and the resident memory of the running panel after the hand-over to the
# main window. Usage: bench/startup.sh <program folder>
set -euo pipefail
program=${1:?program folder}
display=${QUORVEL_BENCH_DISPLAY:-:94}
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }
# No companion: these figures are the panel's own.
work=$(mktemp -d)
cp -a "$program/." "$work/"
rm -f "$work/Quorvel.exe"

times=()
for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  "$work/QuorvelPanel" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -name Quorvel 2>/dev/null | grep -q IsViewable; do :; done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  if [ "$run" -eq 5 ]; then
    sleep 11  # ten splash ticks, then the main window
    rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
    echo "resident memory with the main window up: $((rss / 1024)) MB"
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "process start to splash on screen: ${times[*]} ms; median ${sorted[2]} ms"
rm -rf "$work"
