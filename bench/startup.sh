#!/usr/bin/env bash
# Start-up figures of the installed panel under a virtual X display, side by
# side with a bare Qt program that shows one frameless window (bare_window):
# time from process start to the first window mapped on screen, as the X
# server reports it (median of seven starts each, taken in turns), and the
# resident memory of the running program (the panel's with its main window up).
# Usage: bench/startup.sh <program folder> [bare program]
# The bare program defaults to build/bench/bench/bare_window; it and the watch
# (map_watch) are built by scripts/bench. A Windows program folder (QuorvelPanel.exe) runs under wine64
# in the Wine prefix $WINEPREFIX (default: build/windows/wineprefix), started
# once before the timed starts so the prefix's own start is not counted; the
# bare program is then left out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:?program folder}
bare=${2:-$root/build/bench/bench/bare_window}
watch=$root/build/bench/bench/map_watch
[ -x "$watch" ] || { echo "no $watch (run scripts/bench)" >&2; exit 1; }
. "$root/scripts/xvfb.sh"
start_xvfb
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
# No companion: these figures are the panel's own.
cp -a "$program/." "$work/"
rm -f "$work/Quorvel.exe"
panel=("$work/QuorvelPanel")
if [ -f "$work/QuorvelPanel.exe" ]; then
  . "$root/scripts/wine.sh"
  use_wine_prefix "${WINEPREFIX:-$root/build/windows/wineprefix}"
  wineserver -p  # up before the timed starts, so its own start is not counted
  trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
  panel=(/usr/lib/wine/wine64 "$work/QuorvelPanel.exe")
  bare=
fi
[ -z "$bare" ] || [ -x "$bare" ] || { echo "no bare program at $bare (run scripts/bench)" >&2; exit 1; }

# start <window name> <settled window name> <command...>: one start; prints
# "<ms to the first window> <resident KB once settled>", or nothing when the
# start failed (Xvfb now and then turns a new client away).
start() {
  "$watch" "$@" 2>/dev/null || true
}

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

panel_ms=() panel_kb=() bare_ms=() bare_kb=()
for _ in 1 2 3 4 5 6 7; do
  for tries in 1 2 3; do
    r=$(start Quorvel "Quorvel Script (v 1.0.1 beta)" "${panel[@]}")
    [ -n "$r" ] && break
  done
  [ -n "$r" ] || { echo "the panel did not start" >&2; exit 1; }
  panel_ms+=("${r% *}") panel_kb+=("${r#* }")
  if [ -n "$bare" ]; then
    for tries in 1 2 3; do
      r=$(start Bare Bare "$bare")
      [ -n "$r" ] && break
    done
    [ -n "$r" ] || { echo "the bare program did not start" >&2; exit 1; }
    bare_ms+=("${r% *}") bare_kb+=("${r#* }")
  fi
  sleep 0.3
done

p_ms=$(median "${panel_ms[@]}") p_kb=$(median "${panel_kb[@]}")
echo "panel: process start to splash on screen ${panel_ms[*]} ms, median $p_ms ms;" \
  "resident with the main window up: median $((p_kb / 1024)) MB"
if [ -n "$bare" ]; then
  b_ms=$(median "${bare_ms[@]}") b_kb=$(median "${bare_kb[@]}")
  echo "bare:  process start to window on screen ${bare_ms[*]} ms, median $b_ms ms;" \
    "resident: median $((b_kb / 1024)) MB"
  awk -v pm="$p_ms" -v bm="$b_ms" -v pk="$p_kb" -v bk="$b_kb" \
    'BEGIN { printf "panel / bare: start %.2fx, memory %.2fx\n", pm / bm, pk / bk }'
fi
