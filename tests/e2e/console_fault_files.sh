#!/bin/sh
# The console's files: its configuration directory taken away while it runs and put back; Monitor
# save onto a full file system, after which monitor.cfg is as it was; and a start-up with a
# damaged definition file and a monitor list file of random bytes.
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
agents="$(dirname "$0")/console_agents.txt"

make_config removed
"$DEMO_MONITOR" --define "$work/define.ecf" --agent-file "$agents" -o "$work/removed/monitor.cfg" \
    10.77.1.1 10.77.1.2 || fail "vantelo-demo-monitor"
start_console_sim --agent-file "$agents" --quiet
run_console removed configDirectoryRemovedAndRestored

# tools/testnet runs this in a mount namespace of its own: the small file system stays in it.
mkdir "$work/small"
mount -t tmpfs -o size=64k tmpfs "$work/small" || fail "cannot mount a tmpfs"
mkdir "$work/small/full"
cp "$work/define.ecf" "$work/small/full/define.ecf"
cp "$work/removed/monitor.cfg" "$work/small/full/monitor.cfg"
cp "$work/small/full/monitor.cfg" "$work/monitor.before"
dd if=/dev/zero of="$work/small/filler" bs=1024 2>/dev/null || true
VANTELO_E2E_CONFIG="$work/small/full" VANTELO_E2E_CONTROL="$work/control.sock" \
    "$DRIVER" monitorSaveOntoFullDisk || fail "console driver: monitorSaveOntoFullDisk"
cmp "$work/monitor.before" "$work/small/full/monitor.cfg" || fail "monitor.cfg changed"
umount "$work/small"

make_config damaged
head -c 300 /dev/urandom >"$work/damaged/define.ecf"
head -c 70000 /dev/urandom >"$work/damaged/monitor.cfg"
run_console damaged startsWithDamagedFiles
stop_sim
echo ok
