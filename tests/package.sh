#!/usr/bin/env bash
# The Debian package as a shop gets it: made by CPack from the build tree,
# checked by lintian (no errors), unpacked into a temporary root, and run
# from there; its desktop entry, AppStream metainfo and manual page checked.
# Usage: package.sh BUILD_DIR LAYOUT
set -euo pipefail
build=$1 layout=$2
for tool in cpack lintian dpkg-deb appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
version=$("$build/src/numora" --version | sed 's/^numora //')
deb="$work/out/numora_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$work/out"; fail "no $deb"; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libcups2 libqt6sql6-sqlite qt6-qpa-plugins fonts-dejavu-core; do
  [[ $depends == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
done

# Errors fail the package; warnings are shown for the record.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -q '^E:' "$work/lintian.log"; then fail "lintian reports errors"; fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
numora="$root/usr/bin/numora"
[ "$("$numora" --version)" = "numora $version" ] || fail "--version"
"$numora" --help >"$work/help.txt" || fail "--help"
grep -q '^usage: numora \[LAYOUT\]' "$work/help.txt" || fail "--help has no usage line"
export HOME="$work/home" XDG_DATA_HOME= XDG_CONFIG_HOME=
mkdir -p "$HOME"
cp "$layout" "$work/Shop.2x2"
"$numora" print "$work/Shop.2x2" --pages 2 --dry-run >"$work/dry.txt" || fail "print --dry-run"
grep -q 'position 1' "$work/dry.txt" || { cat "$work/dry.txt"; fail "dry run shows no numbers"; }
cmp -s "$layout" "$work/Shop.2x2" || fail "a dry run changed the layout"

share="$root/usr/share"
for f in applications/numora.desktop mime/packages/numora-layout.xml icons/hicolor/scalable/apps/numora.svg \
         icons/hicolor/48x48/apps/numora.png icons/hicolor/256x256/apps/numora.png doc/numora/README.md \
         doc/numora/copyright doc/numora/changelog.gz man/man1/numora.1.gz; do
  [ -f "$share/$f" ] || fail "the package lacks /usr/share/$f"
done
desktop-file-validate "$share/applications/numora.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=numora %f' "$share/applications/numora.desktop" || fail "the menu entry opens no file"
appstreamcli validate --no-net --pedantic "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
grep -q "release version=\"$version\"" "$share"/metainfo/*.metainfo.xml || fail "metainfo lacks release $version"

# The manual page is made from --help: every command and option of the help
# is in it, and man renders it without a warning.
zcat "$share/man/man1/numora.1.gz" >"$work/numora.1"
# The page's text without roff's escapes for hyphens and fonts.
sed -e 's/\\-/-/g' -e 's/\\f[A-Z]//g' -e 's/\\f\[[A-Z]*\]//g' "$work/numora.1" >"$work/numora.txt"
for word in $(grep -oE -- '--[a-z][a-z-]+' "$work/help.txt" | sort -u) numora.print numora.journal numora.reprint \
            'Exit status' 'Environment' XDG_CONFIG_HOME Numbering.ini journal.sqlite; do
  grep -qE -- "$word" "$work/numora.txt" || fail "the manual page lacks $word"
done
if command -v man >/dev/null; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$work/numora.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns: $warnings"
fi
echo "package $deb: ok"
