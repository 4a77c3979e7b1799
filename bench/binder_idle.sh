#!/usr/bin/env bash
# The binder idle beside the game, against another Quorvel.exe (the stand-in
# of earlier versions, say), both under Wine side by side: CPU (user + system
# from /proc/PID/stat) over the same seconds and resident memory, each in a
# program folder of its own with the same Setting.ini.
# Usage: bench/binder_idle.sh <Quorvel.exe to compare> <our Quorvel.exe> [seconds]
set -euo pipefail
other=$(realpath "${1:?the Quorvel.exe to compare with}")
ours=$(realpath "${2:?our Quorvel.exe}")
seconds=${3:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
. "$root/scripts/xvfb.sh"
start_xvfb
. "$root/scripts/wine.sh"
use_wine_prefix "$work/prefix"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
for name in other ours; do
  mkdir -p "$work/$name/отыгровки/rp1/команды" "$work/$name/date/rp1"
  printf '[global]\r\nnick=Ivan_Petrov\r\n' > "$work/$name/Setting.ini"
done
cp "$other" "$work/other/Quorvel.exe"
cp "$ours" "$work/ours/Quorvel.exe"
for name in other ours; do
  (cd "$work/$name" && /usr/lib/wine/wine64 "$work/$name/Quorvel.exe" -startscript40 >/dev/null 2>&1 &)
done
sleep 5
pid_of() { pgrep -f "$work/$1/Quorvel.exe" | head -n 1 || true; }
cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
declare -A pid before
for name in other ours; do
  pid[$name]=$(pid_of "$name")
  [ -n "${pid[$name]}" ] || { echo "$name: Quorvel.exe is not running" >&2; exit 1; }
  before[$name]=$(cpu "${pid[$name]}")
done
sleep "$seconds"
hz=$(getconf CLK_TCK)
for name in other ours; do
  echo "$name: CPU over ${seconds} s: $(( ($(cpu "${pid[$name]}") - ${before[$name]}) * 1000 / hz )) ms; resident: $(rss "${pid[$name]}") KiB"
done
