#!/usr/bin/env bash
# CPU the running panel takes while it sits beside a running companion, with
# 500 extra processes on the machine: user + system time from /proc/PID/stat
# before and after 30 s. Usage: bench/idle_cpu.sh <program folder> [seconds]
set -euo pipefail
program=${1:?program folder}
seconds=${2:-30}
. "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb
work=$(mktemp -d)
sleepers=()
cleanup() {
  [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
  for s in "${sleepers[@]}"; do kill "$s" 2>/dev/null || true; done
  # The companion this run launched, and only that one.
  for c in $(pgrep -f "^$work/Quorvel.exe" || true); do kill "$c" 2>/dev/null || true; done
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$program/." "$work/"
for i in $(seq 500); do
  sleep 600 &
  sleepers+=($!)
done
"$work/QuorvelPanel" >/dev/null 2>&1 &
pid=$!
sleep 12  # ten splash ticks, then the main window, which launches the companion
pgrep -f "^$work/Quorvel.exe" >/dev/null || { echo "the companion is not running" >&2; exit 1; }
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
hz=$(getconf CLK_TCK)
echo "$(ps -e --no-headers | wc -l) processes; panel CPU over ${seconds} s: $(( (after - before) * 1000 / hz )) ms"
