#!/usr/bin/env bash
# Installs the build into a staging prefix, then runs the installed programs from another folder
# with no Fretkit variable set: they must find their bundle by themselves. Also validates the
# installed menu entry, AppStream file, manual page and icons.
# Usage: installed_programs.sh BUILD-DIR VERSION
set -euo pipefail
build=$1
version=$2

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" >/dev/null

for variable in $(env | sed -n 's/^\(FRETKIT_[A-Z_]*\)=.*/\1/p'); do
  unset "$variable"
done
# Settings and the offscreen platform's runtime folder stay inside the stage.
export XDG_CONFIG_HOME="$stage/config" XDG_RUNTIME_DIR="$stage/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$stage/elsewhere" && cd "$stage/elsewhere"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

bin="$stage/usr/bin"
[ "$("$bin/fretkit" --version)" = "fretkit $version" ] || fail "fretkit --version"
chords=$("$bin/fretkit" chords E Maj triad) || fail "fretkit chords exited with $?"
grep -q "^E Maj triad, shape 1 of" <<<"$chords" || fail "no shapes from the installed database"
grep -q "G#" <<<"$chords" || fail "the shapes name no notes"

"$bin/fretkit-app" --screenshot "$stage/screen.png" >/dev/null 2>&1 || fail "fretkit-app --screenshot"
file "$stage/screen.png" | grep -q "PNG image data, 320 x 480" || fail "the screenshot is not the screen"

share="$stage/usr/share"
desktop-file-validate "$share/applications/org.fretkit.Fretkit.desktop" || fail "the menu entry"
appstreamcli validate --no-net "$share/metainfo/org.fretkit.Fretkit.metainfo.xml" ||
  fail "the AppStream file"
for size in 16 22 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/org.fretkit.Fretkit.png"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}-pixel icon"
done

page="$share/man/man1/fretkit.1"
[ -f "$page" ] || fail "no manual page"
# Every command of --help is in the manual page.
for command in $("$bin/fretkit" --help | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p'); do
  grep -q "fretkit $(sed 's/-/\\\\-/g' <<<"$command")\\\\fR" "$page" || fail "the manual page lacks $command"
done
[ -f "$share/doc/fretkit/README.md" ] && [ -f "$share/doc/fretkit/COPYRIGHT" ] || fail "documentation"
echo "installed programs work from $stage/elsewhere"
