#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks what it holds, and that lintian
# reports no errors.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/*.deb)
dpkg-deb --contents "$deb" | sed "s/ -> .*//" | awk "{print \$NF}" | sed "s#^\./#/#" > "$work/contents"
id=com.korvellabs.Tessamo
for path in /usr/games/tessamo /usr/bin/tessamo /usr/bin/tessamo-cli /usr/bin/tessamo-installer \
    /usr/lib/korvel-tessamo/libtessamo-setup.so \
    /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/$id.png /usr/share/icons/hicolor/256x256/apps/$id.png \
    /usr/share/icons/hicolor/scalable/apps/$id.svg \
    /usr/share/korvel-tessamo/device/Windows/pegcards.dll \
    /usr/share/korvel-tessamo/device/Windows/pegcards.192.dll \
    /usr/share/korvel-tessamo/device/Windows/PegHelp.exe \
    /usr/share/man/man6/tessamo.6.gz /usr/share/doc/korvel-tessamo/copyright; do
  grep -qx "$path" "$work/contents" || fail "$path not in the package"
done
dpkg-deb --field "$deb" Section | grep -qx games || fail "section is not games"
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || fail "dependencies not computed"

if command -v lintian > /dev/null; then
  lintian --no-tag-display-limit "$deb" > "$work/lintian.log" 2>&1 || true
  if grep -q "^E:" "$work/lintian.log"; then
    cat "$work/lintian.log"
    fail "lintian reports errors"
  fi
fi
echo "package-test: ok"
