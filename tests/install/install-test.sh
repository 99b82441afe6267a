#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the installed tree as a desktop sees it:
# the entry and AppStream data validate, each icon has its size, the man pages are there,
# and the installed programs run from another folder with nothing from the build tree.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "install-test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
id=com.korvellabs.Tessamo

[[ -x $prefix/games/tessamo && -L $prefix/bin/tessamo ]] || fail "games/tessamo and its link in bin not installed"
for program in tessamo tessamo-cli tessamo-installer; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program not installed"
done
[[ -f $prefix/lib/korvel-tessamo/libtessamo-setup.so ]] || fail "setup library not installed"
for file in pegcards.dll pegcards.192.dll PegHelp.exe VevivoZozoruv.htm; do
  [[ -f $prefix/share/korvel-tessamo/device/Windows/$file ]] || fail "device file $file missing"
done
[[ ! -e $prefix/bin/desktop-uninstall.exe ]] || fail "the Windows uninstaller does not belong here"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > "$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "metainfo does not validate"; }
grep -q "^Icon=$id$" "$prefix/share/applications/$id.desktop" || fail "entry names another icon"

for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [[ -f $icon ]] || fail "icon $size missing"
  file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $size: $(file "$icon")"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
grep -q "<svg" "$svg" || fail "scalable icon is not an SVG"

for page in man6/tessamo.6 man1/tessamo-cli.1 man1/tessamo-installer.1; do
  [[ -f $prefix/share/man/$page.gz ]] || fail "man page $page missing"
done
[[ -f $prefix/share/doc/korvel-tessamo/copyright ]] || fail "licence missing"

# The installed programs, started from an unrelated folder with a settings store of their own.
mkdir -p "$work/elsewhere" "$work/data"
cd "$work/elsewhere"
export XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
unset KORVEL_DEVICE_ROOT || true

"$prefix/bin/tessamo-cli" --help | grep -q "tessamo-cli deal N" || fail "cli --help"
"$prefix/bin/tessamo-cli" render --help | grep -q "render" || fail "cli render --help"
"$prefix/bin/tessamo-cli" deal 1 | head -1 | grep -q "^JD 2D 9H JC 5D 7H 7C 5H$" || fail "cli deal"
# The faces come from the installed libraries: the picture matches the build tree's, which
# draws from the libraries the build made.
"$prefix/bin/tessamo-cli" render 1 --out installed.png
"$build/bin/tessamo-cli" render 1 --out built.png
cmp -s installed.png built.png || fail "installed render differs from the build tree's"

status=0
timeout -s TERM 4 "$prefix/bin/tessamo" > "$work/game.log" 2>&1 || status=$?
[[ $status -eq 124 || $status -eq 143 ]] || { cat "$work/game.log"; fail "the game ended early ($status)"; }
[[ -f $work/data/korvel-tessamo/registry.sqlite ]] || fail "no settings store written"
"$prefix/bin/tessamo-cli" registry export > store.txt
grep -q '"Games"=dword:00000001' store.txt || { cat store.txt; fail "first deal not recorded"; }

# Help opens the installed viewer through the device folder's link, and it finds the help file
# there.
"$prefix/share/korvel-tessamo/device/Windows/PegHelp.exe" --dump file:VevivoZozoruv.htm#Main_Contents \
  > help.txt 2> /dev/null || fail "the installed help viewer does not start"
grep -q "^anchor-found: yes" help.txt || { cat help.txt; fail "the installed help file is not found"; }

# The installer finds its setup library in the installed tree, relative to itself.
mkdir -p "$work/device/Storage/Apps" "$work/device/Windows"
KORVEL_DEVICE_ROOT=$work/device "$prefix/bin/tessamo-installer" install '\Storage\Apps\Cards' \
  > installer.log 2>&1 || { cat installer.log; fail "installer could not run its setup library"; }

echo "install-test: ok"
