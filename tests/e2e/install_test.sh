#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what lands where, and starts the installed
# program the way its desktop entry does (in a real X server).
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/tarvolyn" ] || fail "no bin/tarvolyn"
count=$(find "$prefix/share/tarvolyn/dsb" -name '*.dsb' | wc -l)
[ "$count" -eq 24 ] || fail "share/tarvolyn/dsb holds $count data files, not 24"
for icon in 16x16 48x48; do
    [ -f "$prefix/share/icons/hicolor/$icon/apps/tarvolyn.png" ] || fail "no $icon icon"
done
metainfo=$(find "$prefix/share/metainfo" -name '*.metainfo.xml')
[ -n "$metainfo" ] || fail "no AppStream metadata"
desktop=$prefix/share/applications/tarvolyn.desktop
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
grep -qx "Path=$prefix/share/tarvolyn" "$desktop" || fail "the desktop entry does not start in share/tarvolyn"
appstreamcli validate --no-net --pedantic "$metainfo" >/dev/null || appstreamcli validate --no-net "$metainfo" ||
    fail "the AppStream metadata is not valid"

"$here/x_server.sh" "$here/e2e.sh" installed "$desktop"
echo "installed and started from $prefix"
