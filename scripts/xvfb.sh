# Sourced by the scripts: start_xvfb starts a private Xvfb on a free display number,
# exports DISPLAY and stops the server when the calling script exits.
start_xvfb() {
  local size="${1:-2560x1600x24}" n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":${n}" -screen 0 "${size}" -noreset -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      if xdpyinfo -display ":${n}" >/dev/null 2>&1; then
        export DISPLAY=":${n}"
        trap 'kill "${XVFB_PID}" 2>/dev/null || true' EXIT
        return 0
      fi
      kill -0 "${XVFB_PID}" 2>/dev/null || break
      sleep 0.1
    done
    kill "${XVFB_PID}" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Stops the Xvfb that start_xvfb started, so a later stage can start its own.
stop_xvfb() {
  kill "${XVFB_PID}" 2>/dev/null || true
  trap - EXIT
  unset DISPLAY
}
