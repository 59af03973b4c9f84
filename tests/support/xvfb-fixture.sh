#!/bin/sh
# The display tests' CTest fixture: "start FOLDER" starts a private Xvfb (scripts/xvfb.sh)
# and leaves its display (":N") in FOLDER/display and the server's pid in FOLDER/pid; "stop
# FOLDER" ends it. The tests read FOLDER/display, whatever $DISPLAY says, so they never
# draw on the screen of the session that runs them.
set -eu
. "$(dirname "$0")/../../scripts/xvfb.sh"
case "$1" in
  start)
    launch_xvfb 2560x1600x24 "$2"
    echo "private Xvfb on $(cat "$2/display")"
    ;;
  stop)
    end_xvfb "$2"
    ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
