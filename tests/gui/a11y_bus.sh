#!/bin/sh
# The accessibility bus check: a private session bus (which starts the accessibility bus on
# demand), Xvfb, the gallery's main window with Qt's AT-SPI bridge on, and a client that reads
# the window as a screen reader would. Exits 77 (skipped) where the bus cannot be had.
#
# usage: a11y_bus.sh SUBJECT CHECK-SCRIPT
set -eu
subject=$1
check=$2
python=/usr/bin/python3

skip() {
    echo "a11y_bus: skipped: $*"
    exit 77
}
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (package dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no at-spi-bus-launcher (package at-spi2-core)"
command -v Xvfb >/dev/null || skip "no Xvfb"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    skip "no Python AT-SPI bindings (package python3-pyatspi)"

if [ "${A11Y_INSIDE:-}" != 1 ]; then
    A11Y_INSIDE=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=private_display.sh
. "$(dirname "$0")/private_display.sh"

start_display
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$subject" 60 >"$work/subject.log" 2>&1 &
app=$!
"$python" "$check" "$(basename "$subject")" 20
