#!/usr/bin/env bash
# The program on a real X server (Xvfb with a window manager), as the file
# manager starts it: `numora PATH` opens with that layout's values, and at
# twice the scale on a 1600x1000 screen the window shrinks to fit. Leaves
# the screenshots the software centres show in SHOTS.
# Usage: desktop_open.sh NUMORA LAYOUT SHOTS
set -euo pipefail
numora=$1 layout=$2 shots=$3
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() {
  # The programs first, the X server last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of its own: Xvfb picks a free number and writes it.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
export HOME="$work/home" XDG_DATA_HOME= XDG_CONFIG_HOME= QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
mkdir -p "$HOME" "$shots"
# A name with a blank, as file managers pass them.
file="$work/Open me.2x2"
cp "$layout" "$file"

# Whether a visible window (only the program's are on this display) has a
# name that matches.
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
# A picture of the program's newest visible window.
shot() {
  local id
  id=$(xdotool search --onlyvisible --classname '^numora$' | tail -1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}
# The number of visible top-level windows of the program.
windows() { xdotool search --onlyvisible --classname '^numora$' 2>/dev/null | wc -l; }
# Waits (on a busy machine, a while) until the program shows n windows.
await() { for _ in $(seq 300); do [ "$(windows)" -ge "$1" ] && return; sleep 0.1; done; return 1; }

"$numora" "$file" &
app=$!
pids+=($app)
await 2 || fail "no question to open the file"
sleep 0.5
xdotool key y
for _ in $(seq 300); do [ "$(windows)" -eq 1 ] && break; sleep 0.1; done
sleep 1
shot "$shots/main-window.png"
# About, over the window, shows the version the package installed.
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --classname '^numora$' | tail -1)")"
xdotool mousemove $((X + 30)) $((Y + 10)) click 1
for _ in $(seq 300); do shown '^About' && break; sleep 0.1; done
shown '^About' || fail "About did not open"
sleep 0.5
shot "$shots/about.png"
xdotool key Escape
for _ in $(seq 300); do shown '^About' || break; sleep 0.1; done
await 1 || fail "the window did not come back after About"
sleep 0.5
xdotool key ctrl+q
# A changed layout is offered for saving (a second window over the main
# one): No leaves the file as it is.
for _ in $(seq 300); do
  kill -0 "$app" 2>/dev/null || break
  if [ "$(windows)" -ge 2 ]; then xdotool key n; sleep 0.5; fi
  sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end"
cmp -s "$layout" "$file" || fail "opening and ending changed the layout file"
ini="$HOME/.config/Numbering/Numbering.ini"
[ -f "$ini" ] || fail "no session written"
grep -qx "LayoutFile=$file" "$ini" || { cat "$ini"; fail "the session does not name the opened file"; }
start=$(sed -n '8s/^Counter 00 =//p' "$layout" | tr -d '\r')
grep -qx "Number8=$start" "$ini" || { cat "$ini"; fail "the window did not show the file's start number $start"; }
way=$(sed -n '5s/^Way Print  =//p' "$layout" | tr -d '\r')
grep -qx "Number5=$way" "$ini" || { cat "$ini"; fail "the window did not show the file's print order $way"; }

# Twice the scale: the window is scaled down to the screen's free area.
QT_SCALE_FACTOR=2 "$numora" &
app=$!
pids+=($app)
await 1 || fail "no window at scale 2"
sleep 1
id=$(xdotool search --onlyvisible --classname '^numora$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$id")"
x=$X y=$Y w=$WIDTH h=$HEIGHT
[ "$((x + w))" -le 1600 ] && [ "$((y + h))" -le 1000 ] && [ "$w" -ge 1400 ] ||
  fail "at scale 2 the window is ${w}x${h} at $x,$y on a 1600x1000 screen"
import -window root "$shots/scale-2.png"
echo "scale 2: window ${w}x${h} at $x,$y"
