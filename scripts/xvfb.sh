# Sourced by the scripts that need a virtual X display.
# start_xvfb: starts Xvfb on a display number nobody uses and exports DISPLAY;
# stop_xvfb: ends it (put it in the caller's EXIT trap).

start_xvfb() {
  local fifo number=
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  # Xvfb picks a free number itself and writes it to fd 3 once it listens.
  Xvfb -displayfd 3 -screen 0 ${XVFB_SCREEN:-1280x800x24} -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 10 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$number
  # It names its display before it is ready to serve: wait for a first answer.
  local _
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "Xvfb on $DISPLAY does not answer" >&2
  return 1
}

# Waits for it to end: a server still on its way out removes its socket and
# lock file, which would pull the display from under the next one.
stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
