# The one way the project starts a private Xvfb, sourced by the scripts (bash) and by the
# display tests' CTest fixture (tests/support/xvfb-fixture.sh, sh).

# launch_xvfb SIZE FOLDER: starts Xvfb detached, its output closed (so that CTest does not
# wait for it), on a display number the server picks itself, with its screen saver off
# (it would hold back every change of a run older than ten minutes); writes that display
# (":N") to FOLDER/display and the server's pid to FOLDER/pid. Fails when it does not start.
launch_xvfb() {
  mkdir -p "$2"
  rm -f "$2/display"
  : >"$2/number"
  setsid Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$2/number" </dev/null >/dev/null 2>&1 &
  echo $! >"$2/pid"
  for _ in $(seq 1 100); do
    xvfb_number="$(tr -dc 0-9 <"$2/number")"
    if [ -n "${xvfb_number}" ] && xdpyinfo -display ":${xvfb_number}" >/dev/null 2>&1; then
      xset -display ":${xvfb_number}" s off
      echo ":${xvfb_number}" >"$2/display"
      return 0
    fi
    sleep 0.1
  done
  echo "the private Xvfb did not start" >&2
  end_xvfb "$2"
  return 1
}

# end_xvfb FOLDER: stops the server launch_xvfb started there.
end_xvfb() {
  [ -f "$1/pid" ] && kill "$(cat "$1/pid")" 2>/dev/null || true
  rm -f "$1/pid" "$1/display" "$1/number"
}

# start_xvfb [SIZE]: for a script, launches Xvfb, exports DISPLAY and XVFB_PID and stops the
# server when the calling script exits.
start_xvfb() {
  local folder
  folder="$(mktemp -d)"
  if ! launch_xvfb "${1:-2560x1600x24}" "${folder}"; then
    rm -rf "${folder}"
    return 1
  fi
  XVFB_PID="$(cat "${folder}/pid")"
  DISPLAY="$(cat "${folder}/display")"
  export XVFB_PID DISPLAY
  rm -rf "${folder}"
  trap 'kill "${XVFB_PID}" 2>/dev/null || true' EXIT
}

# Stops the Xvfb that start_xvfb started, so a later stage can start its own.
stop_xvfb() {
  kill "${XVFB_PID}" 2>/dev/null || true
  trap - EXIT
  unset DISPLAY
}
