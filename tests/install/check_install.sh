#!/usr/bin/env bash
# Installs the build tree into a fresh prefix with `cmake --install` and checks what a person
# gets: every program in bin and nothing else there, stripped but with their resources; the
# language files, desktop entries, icons, manual pages and shell completion where a desktop
# looks for them; and the installed programs running from there and reading their data from the
# prefix, not from the build tree.
#   check_install.sh BUILD_DIR
set -euo pipefail

build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/install-check.XXXXXX")
work=$(mktemp -d "${TMPDIR:-/tmp}/install-work.XXXXXX")
trap 'rm -rf "$prefix" "$work"' EXIT
fail() {
	echo "install check: $*" >&2
	exit 1
}

# Stripped as the package is: the programs keep their resources all the same.
cmake --install "$build" --prefix "$prefix" --strip >/dev/null || fail "cmake --install failed"

programs=(MOZELTCommonPrefs ZorvyPreferences appsend msgdump portlisten portsend zorvy-prefs)
expected=$(printf '%s\n' "${programs[@]}")
actual=$(ls "$prefix/bin")
[ "$actual" = "$expected" ] || fail "bin holds [$(echo $actual)], expected [$(echo $expected)]"
for p in "${programs[@]}"; do
	[ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
done

for f in share/mozelt/Language/Dictionaries/MOZELT.enUS share/mozelt/Language/Dictionaries/MOZELT.jaJP \
	share/applications/ZorvyPreferences.desktop share/applications/MOZELTCommonPrefs.desktop \
	share/bash-completion/completions/zorvy-prefs share/doc/zorvy-preferences/copyright \
	share/doc/zorvy-preferences/changelog.gz share/metainfo/vnd.mozelt.ZorvyPreferences.metainfo.xml; do
	[ -f "$prefix/$f" ] || fail "$f is missing"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/ZorvyPreferences.svg" ] || fail "the scalable icon is missing"
# The bitmap sizes are made where the rasteriser is installed (./dev installs it).
if command -v rsvg-convert >/dev/null; then
	for size in 16 22 24 32 48 64 128 256; do
		png=$prefix/share/icons/hicolor/${size}x$size/apps/ZorvyPreferences.png
		[ -f "$png" ] || fail "the ${size}x$size icon is missing"
		# Width and height are the big-endian words at bytes 16 and 20 of a PNG file.
		read -r -a header <<<"$(od -An -tu1 -j16 -N8 "$png")"
		width=$(((header[2] << 8) | header[3]))
		height=$(((header[6] << 8) | header[7]))
		[ "$width" = "$size" ] && [ "$height" = "$size" ] ||
			fail "the ${size}x$size icon is ${width}x$height"
	done
fi
for p in "${programs[@]}"; do
	[ -f "$prefix/share/man/man1/$p.1.gz" ] || fail "the manual page of $p is missing"
done

for p in MOZELTCommonPrefs ZorvyPreferences; do
	resources=$("$prefix/bin/msgdump" --resource "$prefix/bin/$p") || resources=
	grep -qF '"BEOS:APP_SIG"' <<<"$resources" || fail "the installed $p lost its resources"
done

# The installed programs run with no settings of their own and write nothing for these options.
export HOME=$prefix/home
mkdir -p "$HOME"
cd "$prefix"
version=$("$prefix/bin/ZorvyPreferences" --version) || fail "ZorvyPreferences --version failed"
[ "$version" = "Zorvy Preferences Ver 1.40" ] || fail "ZorvyPreferences --version said \"$version\""
version=$("$prefix/bin/MOZELTCommonPrefs" --version) || fail "MOZELTCommonPrefs --version failed"
[ "$version" = "MOZELT Common Preferences Ver 1.00" ] ||
	fail "MOZELTCommonPrefs --version said \"$version\""
"$prefix/bin/zorvy-prefs" --version >/dev/null || fail "zorvy-prefs --version failed"
for p in appsend msgdump portlisten portsend; do
	"$prefix/bin/$p" --help >/dev/null || fail "$p --help failed"
done

help=$("$prefix/bin/ZorvyPreferences" --help) || fail "ZorvyPreferences --help failed"
folder=$(cd "$prefix/share/mozelt/Language/Dictionaries" && pwd -P)
grep -qxF "Language folder: $folder" <<<"$help" ||
	fail "the installed program does not read its language files from $folder: $(grep 'Language folder' <<<"$help")"
grep -qxF "Languages: enUS, jaJP" <<<"$help" || fail "the installed program lists no languages"

if command -v desktop-file-validate >/dev/null; then
	desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop entries are not valid"
fi
# Every manual page reads without a warning of the formatter.
if command -v man >/dev/null; then
	for page in "$prefix"/share/man/man1/*.1.gz; do
		warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
			fail "man cannot show $page"
		[ -z "$warnings" ] || fail "$page: $warnings"
	done
fi
# The metadata's release is the version in the program's resources.
version=$(sed -n 's/^version \([0-9.]*\) .*/\1/p' "$source/app/resources/ZorvyPreferences.rdesc")
metainfo=$prefix/share/metainfo/vnd.mozelt.ZorvyPreferences.metainfo.xml
grep -qF "<release version=\"$version\"" "$metainfo" ||
	fail "the metadata names no release $version"
if command -v appstreamcli >/dev/null; then
	appstreamcli validate --no-net "$metainfo" >/dev/null || fail "the metadata is not valid"
fi
# Built for a published address, the metadata names the three pictures there, and those are the
# README's; an address that is not https:// is refused.
published=$work/published.metainfo.xml
cmake -DZORVY_PUBLISH_URL=https://example.org/zorvy/ \
	-DMETAINFO_IN="$source/desktop/ZorvyPreferences.metainfo.xml.in" -DMETAINFO_OUT="$published" \
	-P "$source/desktop/Metainfo.cmake" || fail "no metadata for a published address"
for page in input assist punctuation; do
	grep -qF "<image type=\"source\" width=\"551\" height=\"286\">https://example.org/zorvy/screenshots/$page.png</image>" \
		"$published" || fail "the published metadata does not show the $page page"
	[ -f "$source/docs/images/$page.png" ] || fail "no picture of the $page page to publish"
done
grep -qF '<screenshot type="default">' "$published" || fail "no default screenshot"
if command -v appstreamcli >/dev/null; then
	appstreamcli validate --no-net "$published" >/dev/null ||
		fail "the published metadata is not valid"
fi
if cmake -DZORVY_PUBLISH_URL='http://example.org/"x' -DMETAINFO_IN="$source/desktop/ZorvyPreferences.metainfo.xml.in" \
	-DMETAINFO_OUT="$work/refused.xml" -P "$source/desktop/Metainfo.cmake" >/dev/null 2>&1; then
	fail "an address that is not https:// was taken"
fi
echo "install check: passed"
