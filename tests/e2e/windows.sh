#!/usr/bin/env bash
# Where the windows go, on the real program under Xvfb with openbox, driven
# through the mouse and the keyboard (xdotool) and watched through the window
# manager's own lists (xprop, xwininfo). Each run starts the program afresh
# and goes through, in this order:
#   1. about screen, its second box shown, "Volver al Menú": the menu is the
#      active window, the box stays mapped above the menu, and the
#      presentation does not come;
#   2. the same, then a click on the box and one on the menu: the presentation
#      comes, once;
#   3. the sales terminal, restored from maximized: 640x461, centred;
# then "Salir" on the exit screen. The presentation is modal and stays until
# "&Inicio": one that comes when it should not is still there at the next
# step, and every step begins by checking that none is shown.
#
# Usage: tests/e2e/windows.sh [COUNT]   (COUNT runs, 3 by default)
# Screenshots of the first run are kept in $E2E_SHOTS-windows (default
# build/e2e-shots-windows). The windows do not depend on the database: with
# E2E_DATABASE set (the end-to-end run on a server) it is skipped (exit 77).
set -euo pipefail
cd "$(dirname "$0")/../.."
[ -z "${E2E_DATABASE:-}" ] || { echo "windows: skipped on a server database"; exit 77; }
count=${1:-3}
build=${YERBALIS_BUILD_DIR:-build}
program=$build/src/app/yerbalis
shots=${E2E_SHOTS:-$build/e2e-shots}-windows
rm -rf "$shots"
mkdir -p "$shots"
work=$(mktemp -d)
. tests/e2e/desktop.sh

TITLE="Yerbalis v1.0 (Base de Datos)"   # the menu's and the presentation's caption

# Polls a condition (a command) for up to 30 seconds.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  fail "$what"
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ]; }
is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
is_maximized() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q MAXIMIZED_VERT; }
# The window manager's stacking order, bottom first: is window $1 above $2?
above() {
  local list
  list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
  local a b i=0 w
  a=$(printf '0x%x' "$1"); b=$(printf '0x%x' "$2")
  local pa=-1 pb=-1
  for w in $list; do
    [ "$w" = "$a" ] && pa=$i
    [ "$w" = "$b" ] && pb=$i
    i=$((i + 1))
  done
  [ $pa -ge 0 ] && [ $pb -ge 0 ] && [ $pa -gt $pb ]
}
# Client geometry "x y width height" of a window.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
# The visible windows with this exact caption.
windows_named() {
  local pattern
  pattern=$(printf '%s' "$1" | sed 's/[][\\.*^$()+?{}|]/\\&/g')
  xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | sort -u
}
window_named() { windows_named "$1" | head -1; }
# The terminal restored: its fixed size, centred on the 1280x1024 screen.
centred_terminal() {
  local x y w h
  read -r x y w h < <(geometry "$terminal")
  ! is_maximized "$terminal" && [ "$w" = 640 ] && [ "$h" = 461 ] &&
    [ $((x + w / 2 - 640)) -ge -1 ] && [ $((x + w / 2 - 640)) -le 1 ] &&
    [ $((y + h / 2 - 512)) -ge -1 ] && [ $((y + h / 2 - 512)) -le 1 ]
}
# The presentation: a second window with the menu's caption (each showing is
# a new window).
no_presentation() { [ -z "$(windows_named "$TITLE" | grep -vx "$menu")" ]; }
presentation_active() {
  local id
  id=$(xdotool getactivewindow 2>/dev/null) || return 1
  [ "$id" != "$menu" ] && [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$TITLE" ]
}

ABOUT_X=664; ABOUT_Y=952        # the menu's about button
EXIT_X=765; EXIT_Y=952          # the menu's exit button
BOX_BUTTON_X=367; BOX_BUTTON_Y=517   # the about screen's distributor button: shows the box
BACK_X=359; BACK_Y=317          # the about screen's "Volver al Menú"

for run in $(seq "$count"); do
  first=$([ "$run" = 1 ] && echo 1 || echo 0)
  snap() { [ "$first" = 1 ] && shot "$1" || true; }
  YERBALIS_DATA_DIR=$work/yerba1 "$program" >"$work/program.log" 2>&1 &
  app=$!
  pids+=($app)
  # The presentation over the menu: two windows of that caption, the active
  # one above the other.
  started() {
    local ids active
    ids=$(windows_named "$TITLE")
    [ "$(echo "$ids" | grep -c .)" = 2 ] || return 1
    active=$(xdotool getactivewindow 2>/dev/null) || return 1
    presentation=$active
    menu=$(echo "$ids" | grep -vx "$active") || return 1
    above "$presentation" "$menu"
  }
  wait_for "run $run: the presentation did not come over the menu at start" started
  snap presentation
  key alt+i
  wait_for "run $run: the menu is not active after the presentation" is_active "$menu"

  # 1 and 2: about, box, "Volver al Menú".
  for sequence in 1 2; do
    no_presentation || fail "run $run, sequence $sequence: the presentation is shown"
    click $ABOUT_X $ABOUT_Y
    wait_active "Acerca de..."
    xdotool mousemove $BOX_BUTTON_X $BOX_BUTTON_Y
    wait_for "run $run: the second about box did not come" eval '[ -n "$(window_named Quorvex)" ]'
    box=$(window_named Quorvex)
    wait_for "run $run: the second about box is not active" is_active "$box"
    snap "about-box-$sequence"
    click $BACK_X $BACK_Y
    wait_for "run $run, sequence $sequence: the menu is not active after Volver" \
      eval 'is_active "$menu" || ! no_presentation'
    no_presentation || fail "run $run, sequence $sequence: the presentation came after Volver al Menú"
    is_mapped "$box" || fail "run $run, sequence $sequence: the box left open was hidden"
    wait_for "run $run, sequence $sequence: the box left open is under the menu" above "$box" "$menu"
    snap "menu-with-box-$sequence"
    no_presentation || fail "run $run, sequence $sequence: the presentation came after Volver al Menú"
    if [ $sequence = 2 ]; then
      # From the box, left open, to the menu.
      read -r bx by bw bh < <(geometry "$box")
      click $((bx + bw / 2)) $((by + bh / 2))
      wait_for "run $run: the box did not become active on a click" is_active "$box"
      click 640 150
      wait_for "run $run: the presentation did not come from the box" presentation_active
      snap presentation-from-box
      key alt+i
      wait_for "run $run: the menu is not active after the presentation" is_active "$menu"
    fi
  done

  # 3: the sales terminal, restored.
  no_presentation || fail "run $run: the presentation is shown"
  key alt+u
  wait_active "Sumar Productos (Base de Datos)"
  terminal=$(xdotool getactivewindow)
  wait_for "run $run: the terminal is not maximized" is_maximized "$terminal"
  xdotool mousemove 400 8 click --repeat 2 --delay 100 1   # the title bar: restore
  wait_for "run $run: the restored terminal is not centred at 640x461 ($(geometry "$terminal"))" centred_terminal
  snap terminal-restored
  # Its return button, where a centred terminal has it: the click reaches it
  # only if the terminal stayed there.
  read -r tx ty _ _ < <(geometry "$terminal")
  click $((tx + 609)) $((ty + 429))
  wait_for "run $run: the terminal did not return to the menu from where it was centred" is_active "$menu"

  # The exit screen ends the run; nothing may stand in its way.
  no_presentation || fail "run $run: the presentation is shown"
  click $EXIT_X $EXIT_Y
  wait_active "-"
  click 570 514   # "Salir"
  status=0
  for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "run $run: the program did not end after Salir"
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "run $run: exit code $status"
  echo "windows: run $run passed"
done
echo "windows: $count of $count runs passed: no presentation after Volver al Menú, the box above the menu," \
  "the presentation once from the box, the terminal restored centred"
