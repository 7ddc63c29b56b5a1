#!/bin/sh
# Runs a program on a private 1920x1080 Xvfb screen under a window manager
# (openbox: a title bar and a frame, as on a desktop). Exit 77 when either
# is missing, so that ctest reports a skip instead of a pass.
# Usage: under_wm.sh PROGRAM [ARGS...]
for tool in Xvfb openbox xprop; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed"; exit 77; }
done
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb=$!
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2> /dev/null
  kill "$xvfb" 2> /dev/null
  wait 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT INT TERM
i=0
while [ ! -s "$work/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY
openbox --sm-disable > "$work/wm.log" 2>&1 &
wm=$!
# The manager is up once it names itself on the root window.
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id'; do
  [ $i -ge 100 ] && { echo "openbox did not start"; cat "$work/wm.log"; exit 1; }
  sleep 0.1
  i=$((i + 1))
done
QT_QPA_PLATFORM=xcb "$@"
