#!/bin/sh
# The notification check: a private session bus, Xvfb, a real notification server (dunst) that
# logs every notification it receives through a script of its rules, and the subject: a silenced
# agent must give one notification with its name, a flood of traps a bounded handful that counts
# every trap. Exits 77 (skipped) where dunst, the bus or Xvfb cannot be had.
#
# usage: notify_bus.sh SUBJECT
set -eu
subject=$1
traps=1000
most=5

skip() {
    echo "notify_bus: skipped: $*"
    exit 77
}
fail() {
    echo "notify_bus: $*" >&2
    exit 1
}
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (package dbus-daemon)"
command -v dunst >/dev/null || skip "no dunst"
command -v Xvfb >/dev/null || skip "no Xvfb"

if [ "${NOTIFY_INSIDE:-}" != 1 ]; then
    NOTIFY_INSIDE=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
xvfb=""
daemon=""
cleanup() {
    [ -z "$daemon" ] || kill "$daemon" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=private_display.sh
. "$(dirname "$0")/private_display.sh"

start_display

# dunst runs the script of a matching rule with the application, summary and body.
cat >"$work/log-notification" <<SCRIPT
#!/bin/sh
printf '%s|%s\n' "\$2" "\$3" >>"$work/received"
SCRIPT
chmod +x "$work/log-notification"
cat >"$work/dunstrc" <<CONF
[global]
    monitor = 0
[log]
    appname = "Vantelo Utility"
    script = $work/log-notification
CONF
: >"$work/received"
dunst -config "$work/dunstrc" >"$work/dunst.log" 2>&1 &
daemon=$!
tries=200
until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
    grep -q 'boolean true'; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || skip "dunst did not take the notification service: $(cat "$work/dunst.log")"
    sleep 0.05
done

QT_QPA_PLATFORM=xcb timeout 60 "$subject" "$traps" >"$work/subject.log" 2>&1 ||
    fail "the subject failed: $(cat "$work/subject.log")"
# The scripts run after the notifications arrive; give the last one a moment.
sleep 1

echo "received:"
cat "$work/received"
silenced=$(grep -c '^1 switch not alive: core-1|' "$work/received" || true)
[ "$silenced" -eq 1 ] || fail "the silenced agent gave $silenced notifications, not 1"
others=$(grep -c 'not alive' "$work/received" || true)
[ "$others" -eq 1 ] || fail "$others notifications of agents not alive, only core-1 fell silent"
bursts=$(grep -c '^[0-9]* traps\{0,1\} from ' "$work/received" || true)
if [ "$bursts" -lt 1 ] || [ "$bursts" -gt "$most" ]; then
    fail "$traps traps gave $bursts notifications, not 1 to $most"
fi
told=$(sed -n 's/^\([0-9]*\) traps\{0,1\} from .*/\1/p' "$work/received" | awk '{ n += $1 } END { print n }')
[ "$told" -eq "$traps" ] || fail "the notifications count $told traps, not $traps"
grep '^[0-9]* traps\{0,1\} from ' "$work/received" | grep -q 'core-2, annex' ||
    fail "the trap notifications do not name core-2 and annex"
echo "notify_bus: $bursts notifications for $traps traps"
