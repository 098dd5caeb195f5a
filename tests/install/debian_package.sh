#!/usr/bin/env bash
# Builds the Debian package with CPack and checks what it carries and what it depends on.
# Usage: debian_package.sh BUILD-DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null || fail "cpack"
package=$(ls "$out"/fretkit_*.deb)
depends=$(dpkg-deb -f "$package" Depends)
for library in libqt6widgets6 libportaudio2 libsndfile1 libsamplerate0 libsqlite3-0 libplist3 \
  libexpat1 qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
contents=$(dpkg-deb -c "$package")
for path in ./usr/bin/fretkit ./usr/bin/fretkit-app ./usr/share/fretkit/bundle/Info.plist \
  ./usr/share/fretkit/bundle/chords.db ./usr/share/applications/org.fretkit.Fretkit.desktop \
  ./usr/share/man/man1/fretkit.1; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
echo "$(basename "$package"): $(du -k "$package" | cut -f1) KiB; Depends: $depends"
