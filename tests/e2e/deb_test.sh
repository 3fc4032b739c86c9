#!/usr/bin/env bash
# Builds the Debian package and checks its contents and dependencies.
#   deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(find "$out" -maxdepth 1 -name 'tarvolyn_*.deb' | head -n 1)
[ -n "$deb" ] || fail "cpack made no package"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo fonts-dejavu-core fonts-comic-neue fonts-noto-cjk; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/tarvolyn ./usr/share/tarvolyn/dsb/start.dsb ./usr/share/applications/tarvolyn.desktop; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
dpkg-deb -x "$deb" "$out/root"
grep -qx 'Path=/usr/share/tarvolyn' "$out/root/usr/share/applications/tarvolyn.desktop" ||
    fail "the packaged desktop entry does not start in /usr/share/tarvolyn"
echo "package $(basename "$deb") is right"
