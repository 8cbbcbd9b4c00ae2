# Sourced by the end-to-end scripts: a virtual screen of 1280x1024 (Xvfb) with
# openbox as window manager, the Spanish letters on keys of their own, and the
# helpers that drive the program through xdotool. Expects `work` (a temporary
# folder, removed at exit) and `shots` (where screenshots go) to be set.

unset QT_QPA_PLATFORM
# Xvfb takes the first free display itself and writes its number once it
# listens: a display another run is still letting go of is never shared, and
# nothing below talks to a screen that is not this run's own. -noreset: an X
# server resets when its last client leaves (xdpyinfo below), and refuses the
# next one (openbox) while it does.
exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec {display_fd}>&-
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Waits (up to 30 seconds) for a command to succeed.
ready() { for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
ready grep -q '[0-9]' "$work/display" ||
  { echo "e2e: FAIL: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(tr -dc '0-9' <"$work/display")
ready xdpyinfo || { echo "e2e: FAIL: Xvfb did not answer on $DISPLAY" >&2; cat "$work/xvfb.log" >&2; exit 1; }
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
ready sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
  { echo "e2e: FAIL: openbox did not start on $DISPLAY" >&2; cat "$work/openbox.log" "$work/xvfb.log" >&2; exit 1; }

# Spanish letters on keys of their own before the program starts. Otherwise
# xdotool lends a spare key to each accented letter while typing it, and the
# program may read that key before it learns the new key map: the letter is
# then lost ("argn" for "argán").
free_keys=($(xmodmap -pke | awk 'NF == 3 { print $2 }'))
letters=("aacute Aacute" "eacute Eacute" "iacute Iacute" "oacute Oacute" "uacute Uacute"
         "ntilde Ntilde" "udiaeresis Udiaeresis")
[ ${#free_keys[@]} -ge ${#letters[@]} ] || { echo "e2e: FAIL: no free keys for the Spanish letters" >&2; exit 1; }
for i in "${!letters[@]}"; do xmodmap -e "keycode ${free_keys[$i]} = ${letters[$i]}"; done

step=0
fail() { echo "e2e: FAIL: $*" >&2; import -window root "$shots/failure.png" 2>/dev/null || true; exit 1; }
shot() { step=$((step + 1)); import -window root "$shots/$(printf '%02d' $step)-$1.png"; }
# Waits until a visible window with this exact title is the active window.
wait_active() {
  for _ in $(seq 300); do
    local id name
    id=$(xdotool getactivewindow 2>/dev/null || true)
    if [ -n "$id" ]; then
      name=$(xdotool getwindowname "$id" 2>/dev/null || true)
      [ "$name" = "$1" ] && { sleep 0.3; return 0; }
    fi
    sleep 0.1
  done
  fail "window \"$1\" did not become active"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
type_text() { xdotool type --delay 25 "$1"; }
key() { xdotool key "$@"; sleep 0.2; }
