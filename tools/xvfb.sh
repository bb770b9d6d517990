# shellcheck shell=bash
# Sourced: `skyvault_start_xvfb` starts a private Xvfb on a free display
# (1920 x 1080) and exports DISPLAY; `skyvault_stop_xvfb` stops it;
# `skyvault_wait_for_window` and `skyvault_wait_for_exit` wait for a window
# to show and for a process to end.
# -noreset: a server left by its last client resets, and a client that
# connects meanwhile (the next saver a test starts) may be refused.
skyvault_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${SKYVAULT_SCREEN:-1920x1080x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  SKYVAULT_XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}
skyvault_stop_xvfb() {
  if [ -n "${SKYVAULT_XVFB_PID:-}" ]; then kill "$SKYVAULT_XVFB_PID" 2>/dev/null || true; fi
  SKYVAULT_XVFB_PID=""
}
# Prints the X id of the first window titled exactly $1, waiting up to 20 s;
# prints nothing when none appears.
skyvault_wait_for_window() {
  local window="" _
  for _ in $(seq 1 100); do
    window=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  echo "$window"
}
# Waits up to $2 seconds (default 10) for process $1 to end; true when it has.
skyvault_wait_for_exit() {
  local _
  for _ in $(seq 1 $((${2:-10} * 5))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  ! kill -0 "$1" 2>/dev/null
}
