#!/usr/bin/env bash
# Draws the pictures of the README: each page of the preferences application with the default
# settings, on the headless display with the test fonts, so that they look the same on every
# machine.
#   docs/screenshots.sh [BUILD_DIR [OUT_DIR]]
# BUILD_DIR holds the built application (default build-release, else build-asan); OUT_DIR receives
# input.png, assist.png and punctuation.png (default docs/images). Exit status 0 when the three
# pictures were written, 1 otherwise.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${1:-}
if [ -z "$BUILD" ]; then
	BUILD=$ROOT/build-release
	[ -x "$BUILD/app/ZorvyPreferences" ] || BUILD=$ROOT/build-asan
fi
OUT=${2:-$ROOT/docs/images}
APP=$BUILD/app/ZorvyPreferences
if [ ! -x "$APP" ]; then
	echo "screenshots: no application in $BUILD (build it first: ./dev run, or ./dev test)" >&2
	exit 1
fi
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/screenshots.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/config" "$WORK/run"
chmod 700 "$WORK/run"

TITLE="Zorvy 環境設定"
# The category rows of the list on the left, in window coordinates.
cat >"$WORK/events" <<SCRIPT
shot "$TITLE" $WORK/input.png
click "$TITLE" 60 54
shot "$TITLE" $WORK/assist.png
click "$TITLE" 60 70
shot "$TITLE" $WORK/punctuation.png
close "$TITLE"
SCRIPT

env -u DISPLAY -u WAYLAND_DISPLAY -u BEAPI_SCREENSHOT_DIR -u BEAPI_SCALE \
	XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run" BEAPI_DISPLAY=headless \
	BEAPI_SCREEN=1024x768 FONTCONFIG_FILE="$ROOT/tests/fonts.conf" BEAPI_EVENTS="$WORK/events" \
	timeout 60 "$APP"

for page in input assist punctuation; do
	if [ ! -s "$WORK/$page.png" ]; then
		echo "screenshots: the application wrote no picture of the $page page" >&2
		exit 1
	fi
	cp "$WORK/$page.png" "$OUT/$page.png"
done
echo "screenshots: written to $OUT" >&2
