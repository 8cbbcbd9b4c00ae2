#!/usr/bin/env bash
# Checks the Debian package: its fields and contents, lintian, the AppStream
# and desktop-entry validators, and an installation into a fresh root in which
# the installed yerbalis-admin creates a database and the installed yerbalis
# starts under Xvfb and ends with exit code 0 when its menu window is closed.
#   tests/package/check.sh [PACKAGE.deb]   (default: the one package in the top folder)
set -euo pipefail
cd "$(dirname "$0")/../.."
deb=${1:-}
if [ -z "$deb" ]; then
  debs=(yerbalis_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "package: FAIL: expected one yerbalis_*.deb, run scripts/package.sh" >&2; exit 1; }
  deb=${debs[0]}
fi
deb=$(realpath "$deb")

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package: FAIL: $*" >&2; exit 1; }
field() { dpkg-deb --field "$deb" "$1"; }

# Fields: name, the project's version, the file name cpack gave it, and a
# Depends line that dpkg-shlibdeps computed from the programs' libraries.
version=$(sed -n 's/^project(Yerbalis VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"
[ "$(field Package)" = yerbalis ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), project $version"
[ "$(basename "$deb")" = "yerbalis_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"
depends=$(field Depends)
names=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for lib in libc6 libqt6widgets6 libqt6core6 libsqlite3-0 libpq5 libstdc++6; do
  grep -qx -- "$lib" <<< "$names" || fail "Depends lacks $lib: $depends"
done
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends: $(field Recommends)"

# apt can resolve the Depends line (here against what this machine has).
apt-get install --simulate --no-install-recommends "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot install the package"; }
grep -Eq '^Inst yerbalis |yerbalis is already the newest version' "$work/apt.log" || { cat "$work/apt.log"; fail "apt would not install yerbalis"; }

# Contents: the programs stripped, the menu entry, the icon in three sizes,
# the AppStream file, both manual pages and the documentation files.
dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' > "$work/contents"
for f in /usr/bin/yerbalis /usr/bin/yerbalis-admin /usr/share/applications/yerbalis.desktop \
         /usr/share/icons/hicolor/scalable/apps/yerbalis.svg \
         /usr/share/icons/hicolor/48x48/apps/yerbalis.png /usr/share/icons/hicolor/256x256/apps/yerbalis.png \
         /usr/share/metainfo/yerbalis.metainfo.xml /usr/share/man/man1/yerbalis.1.gz \
         /usr/share/man/man1/yerbalis-admin.1.gz /usr/share/doc/yerbalis/copyright \
         /usr/share/doc/yerbalis/changelog.gz; do
  grep -qx "$f" "$work/contents" || fail "the package lacks $f"
done
grep -q '/usr/local/\|yerbalis-bench\|/include/' "$work/contents" && fail "the package holds files it should not: $(grep '/usr/local/\|yerbalis-bench\|/include/' "$work/contents")"
tree=$work/tree
dpkg-deb --extract "$deb" "$tree"
for p in yerbalis yerbalis-admin; do
  file -b "$tree/usr/bin/$p" | grep -q ', stripped' || fail "$p is not stripped: $(file -b "$tree/usr/bin/$p")"
done
for size in 48 256; do
  file -b "$tree/usr/share/icons/hicolor/${size}x$size/apps/yerbalis.png" | grep -q "PNG image data, $size x $size," \
    || fail "the $size px icon is $(file -b "$tree/usr/share/icons/hicolor/${size}x$size/apps/yerbalis.png")"
done
# The companion's manual page has a section for every command of its help.
zcat "$tree/usr/share/man/man1/yerbalis-admin.1.gz" > "$work/admin.1"
for c in $("$tree/usr/bin/yerbalis-admin" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
  grep -q "^\.SS $c\$" "$work/admin.1" || fail "the manual page of yerbalis-admin lacks the command $c"
done
zgrep -q 'YERBALIS_DATA_DIR' "$tree/usr/share/man/man1/yerbalis.1.gz" || fail "the manual page of yerbalis lacks its environment"

# Validators. lintian fails on errors only; the package carries no overrides.
lintian --fail-on error --no-tag-display-limit "$deb" > "$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
echo "package: lintian: $(grep -c '^E:' "$work/lintian.log" || true) errors, $(grep -c '^W:' "$work/lintian.log" || true) warnings"
grep '^[EW]:' "$work/lintian.log" || true
desktop-file-validate "$tree/usr/share/applications/yerbalis.desktop" || fail "desktop-file-validate"
# The component id stays the desktop file's name "yerbalis" until the project
# has a domain of its own for a reverse-DNS id; everything else must pass.
appstreamcli validate-tree --no-net --override=cid-desktopapp-is-not-rdns=info "$tree" > "$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "appstreamcli validate-tree"; }

# Installation into a fresh root with its own dpkg database. The libraries come
# from this machine, so Depends cannot be met inside the root itself.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' yerbalis | grep -q "install ok installed" || fail "not installed"
program=$root/usr/bin/yerbalis
admin=$root/usr/bin/yerbalis-admin

# --version and --help print and exit 0 without a display.
(
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
  [ "$("$program" --version)" = "yerbalis $version" ] || fail "yerbalis --version: $("$program" --version)"
  [ "$("$admin" --version)" = "yerbalis-admin $version" ] || fail "yerbalis-admin --version: $("$admin" --version)"
  "$program" --help | grep -Eq '^(Usage|Uso): yerbalis' || fail "yerbalis --help"
  status=0; "$program" --version > /dev/full 2>/dev/null || status=$?
  [ "$status" -eq 1 ] || fail "yerbalis --version into a full device: exit code $status"
  status=0; "$program" > "$work/nodisplay.log" 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "yerbalis without a display: exit code $status"
)

# The installed companion creates a database that checks clean.
"$admin" create "$work/created" > /dev/null || fail "yerbalis-admin create"
[ "$(ls "$work/created" | wc -l)" -eq 14 ] || fail "yerbalis-admin create made $(ls "$work/created" | wc -l) files"
"$admin" check "$work/created" > /dev/null || fail "yerbalis-admin check on the created database"

# The installed program starts on a fresh data directory and ends with exit
# code 0 when its menu window is closed (Alt+F4 under openbox).
display=110
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
export DISPLAY=:$display
unset QT_QPA_PLATFORM
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1
wait_active() {
  for _ in $(seq 150); do
    local id
    id=$(xdotool getactivewindow 2>/dev/null || true)
    [ -n "$id" ] && [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$1" ] && { sleep 0.3; return 0; }
    sleep 0.1
  done
  fail "window \"$1\" did not become active"
}
data=$work/data
YERBALIS_DATA_DIR=$data "$program" > "$work/program.log" 2>&1 &
app=$!
pids+=($app)
wait_active "Yerbalis v1.0 (Base de Datos)"      # the presentation over the menu
presentation=$(xdotool getactivewindow)
xdotool key alt+i                                # "&Inicio"
for _ in $(seq 50); do
  id=$(xdotool getactivewindow 2>/dev/null || true)
  [ -n "$id" ] && [ "$id" != "$presentation" ] && break
  sleep 0.1
done
wait_active "Yerbalis v1.0 (Base de Datos)"      # the menu
[ "$(xdotool getactivewindow)" != "$presentation" ] || fail "the presentation did not close"
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && { cat "$work/program.log"; fail "the program did not end when its menu was closed"; }
status=0; wait "$app" || status=$?
[ "$status" -eq 0 ] || { cat "$work/program.log"; fail "the installed program ended with exit code $status"; }
"$admin" check "$data" > /dev/null || fail "the program's new data directory does not check clean"

# Removal leaves nothing of the package behind.
dpkg --root="$root" --force-not-root -r yerbalis > "$work/dpkg-r.log" 2>&1 || { cat "$work/dpkg-r.log"; fail "dpkg -r"; }
left=$(find "$root" -path "$root/var" -prune -o ! -type d -print | head -5)
[ -z "$left" ] || fail "files left after removal: $left"

echo "package: $(basename "$deb"): $(stat -c %s "$deb") bytes, installed size $(field Installed-Size) KiB"
echo "package: Depends: $depends"
echo "package: OK"
