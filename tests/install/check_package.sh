#!/usr/bin/env bash
# Checks the Debian package: its fields and dependencies, the files it installs (unpacked into a
# fresh folder), the unpacked program started headless in English through an event script (it
# finds its language file from where it lies), and the desktop entries, the AppStream metadata and
# lintian with no error where their checkers are installed.
#   check_package.sh PACKAGE.deb
set -euo pipefail

deb=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/package-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
	echo "package check: $*" >&2
	exit 1
}

depends=$(dpkg-deb -f "$deb" Depends)
for d in libc6 libcairo2 libpango-1.0-0 libsdl2-2.0-0 fonts-vlgothic; do
	grep -q "\b$d\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
for f in bin/ZorvyPreferences bin/MOZELTCommonPrefs bin/zorvy-prefs bin/appsend bin/msgdump \
	bin/portlisten bin/portsend share/mozelt/Language/Dictionaries/MOZELT.enUS \
	share/mozelt/Language/Dictionaries/MOZELT.jaJP share/applications/ZorvyPreferences.desktop \
	share/applications/MOZELTCommonPrefs.desktop share/man/man1/ZorvyPreferences.1.gz \
	share/icons/hicolor/scalable/apps/ZorvyPreferences.svg share/doc/zorvy-preferences/copyright \
	share/doc/zorvy-preferences/changelog.gz share/bash-completion/completions/zorvy-prefs; do
	[ -e "$usr/$f" ] || fail "the package lacks /usr/$f"
done
for p in ZorvyPreferences MOZELTCommonPrefs; do
	if file "$usr/bin/$p" | grep -q "not stripped"; then
		fail "$p is not stripped"
	fi
	resources=$("$usr/bin/msgdump" --resource "$usr/bin/$p") || resources=
	grep -qF '"BEOS:APP_SIG"' <<<"$resources" || fail "the packaged $p lost its resources"
done
# The C library the package asks for starts every program in it: its newest symbol version, and
# packed relocations (2.36), are covered by the lowest libc6 the Depends field allows.
wanted=$(grep -o 'libc6 (>= [0-9.]*)' <<<"$depends" | sed 's/.* \([0-9.]*\))/\1/' | sort -V | tail -1)
[ -n "$wanted" ] || fail "Depends names no lowest libc6: $depends"
for p in "$usr"/bin/*; do
	needed=$(readelf -V "$p" | sed -n 's/.*Name: GLIBC_\([0-9.]*\) .*/\1/p' | sort -V | tail -1)
	if readelf -V "$p" | grep -q GLIBC_ABI_DT_RELR; then
		needed=$(printf '%s\n2.36\n' "$needed" | sort -V | tail -1)
	fi
	dpkg --compare-versions "$wanted" ge "$needed" ||
		fail "$(basename "$p") needs libc6 $needed, the package asks for $wanted"
done

# The unpacked program, in English, headless.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Each line waits for a window of exactly that title: the English one.
printf 'shot "Zorvy Preferences" %s\nclose "Zorvy Preferences"\n' "$work/english.png" >"$work/events"
help=$("$usr/bin/ZorvyPreferences" --help)
grep -qxF "Language folder: $(cd "$usr/share/mozelt/Language/Dictionaries" && pwd -P)" <<<"$help" ||
	fail "the unpacked program does not find its language files"
BEAPI_DISPLAY=headless BEAPI_EVENTS=$work/events timeout 120 \
	"$usr/bin/ZorvyPreferences" --language enUS || fail "the unpacked program ended with status $?"
[ -s "$work/english.png" ] || fail "the unpacked program showed no window titled \"Zorvy Preferences\""

if command -v desktop-file-validate >/dev/null; then
	desktop-file-validate "$usr"/share/applications/*.desktop || fail "desktop entries are not valid"
fi
version=$(dpkg-deb -f "$deb" Version)
metainfo=$usr/share/metainfo/vnd.mozelt.ZorvyPreferences.metainfo.xml
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metadata names no release $version"
if command -v appstreamcli >/dev/null; then
	appstreamcli validate --no-net "$metainfo" || fail "the metadata is not valid"
fi
if command -v lintian >/dev/null; then
	lintian --fail-on error "$deb" || fail "lintian reports errors"
fi
echo "package check: passed"
