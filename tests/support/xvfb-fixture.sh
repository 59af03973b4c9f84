#!/bin/sh
# The display tests' CTest fixture: "start FOLDER" starts a private Xvfb on a display number
# the server picks itself and writes that display (":N") to FOLDER/display and the server's
# pid to FOLDER/pid; "stop FOLDER" ends it. The tests read FOLDER/display, whatever
# $DISPLAY says, so they never draw on the screen of the session that runs them.
set -eu
command="$1"
folder="$2"
mkdir -p "${folder}"
case "${command}" in
  start)
    rm -f "${folder}/display"
    : >"${folder}/number"
    # Detached, its output closed, so that CTest does not wait for it to end.
    setsid Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp -noreset \
      3>"${folder}/number" </dev/null >/dev/null 2>&1 &
    echo $! >"${folder}/pid"
    for _ in $(seq 1 100); do
      number="$(tr -dc 0-9 <"${folder}/number")"
      if [ -n "${number}" ] && xdpyinfo -display ":${number}" >/dev/null 2>&1; then
        # The server's screen saver would hold back every change once the run is ten minutes old.
        xset -display ":${number}" s off
        echo ":${number}" >"${folder}/display"
        echo "private Xvfb on :${number}"
        exit 0
      fi
      sleep 0.1
    done
    echo "the private Xvfb did not start" >&2
    kill "$(cat "${folder}/pid")" 2>/dev/null || true
    exit 1
    ;;
  stop)
    [ -f "${folder}/pid" ] && kill "$(cat "${folder}/pid")" 2>/dev/null || true
    rm -f "${folder}/pid" "${folder}/display" "${folder}/number"
    ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
