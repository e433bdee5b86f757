#!/bin/sh
# Runs the input test program under its own virtual X server: holds the left
# button above the window centre, types "ab" and Return, then "q".
app="$1"
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "Xvfb or xdotool missing: whole-program input test skipped"
    exit 77
fi
out=$(mktemp)
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$x_pid" ] && kill "$x_pid" 2>/dev/null
    rm -f "$out" "$out.display"
}
trap cleanup EXIT
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$out.display" 2>/dev/null &
x_pid=$!
for i in $(seq 50); do [ -s "$out.display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$out.display")"
export DISPLAY
unset SDL_VIDEODRIVER
export LIBGL_ALWAYS_SOFTWARE=1
"$app" >"$out" 2>&1 &
app_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name Orvane | head -1)
[ -n "$win" ] || { echo "no window"; cat "$out"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
# 30% of the half height above the centre.
xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT / 2 - HEIGHT * 3 / 20))
sleep 0.3
xdotool mousedown 1
sleep 1
xdotool mouseup 1
sleep 0.3
xdotool type --delay 100 ab
xdotool key Return
sleep 0.3
xdotool type q
wait "$app_pid"
app_pid=
cat "$out"
keys=$(grep '^key ' "$out" | tr '\n' ' ')
[ "$keys" = "key 97 key 98 key 1013 " ] || { echo "keys arrived as: $keys"; exit 1; }
z=$(sed -n 's/^z //p' "$out")
awk -v z="$z" 'BEGIN { exit !(z > 0) }' || { echo "viewpoint did not move forward: $z"; exit 1; }
echo "e2e input: forward to z=$z, keys in order"
