#!/bin/sh
# The monitor list from the command line, beside the window: the same two entries added by
# address give the same monitor.cfg, byte for byte; a file the window saved goes through export
# unchanged and lists the same after an import into an empty list; the list holds 256 agents and refuses the
# 257th, as the window does; what cannot be done leaves monitor.cfg as it was.
# shellcheck source=cli_common.sh
. "$(dirname "$0")/cli_common.sh"

make_config window
make_config cli
make_config empty
make_config full
run_console window addItemsAndSave
run_cli cli monitor add --no-wait 10.77.3.1
expect_status 0
run_cli cli monitor add --no-wait 10.77.3.2
expect_status 0
cmp "$work/window/monitor.cfg" "$work/cli/monitor.cfg" || fail "monitor.cfg differs from the window's"

run_cli window monitor export "$work/exported.cfg"
expect_status 0
cmp "$work/window/monitor.cfg" "$work/exported.cfg" || fail "the export differs"
run_cli empty monitor import "$work/exported.cfg"
expect_status 0
# A loaded record counts as having answered, as Monitor load makes it: the rows are the same.
run_cli window monitor list --csv
cp "$work/out" "$work/window.csv"
run_cli empty monitor list --csv
cmp "$work/window.csv" "$work/out" || fail "the import lists $(cat "$work/out")"

run_cli cli monitor list --csv
expect_status 0
printf 'S,IP Address,MAC Address,Protocol Version,Product Name,System Name,DHCP,Location,Trap IP,Subnet Mask,Gateway\r\n,10.77.3.1,,0.000.000,,,disable,,,,\r\n,10.77.3.2,,0.000.000,,,disable,,,,\r\n' >"$work/expected.csv"
cmp "$work/expected.csv" "$work/out" || fail "list: $(cat "$work/out")"

run_cli cli monitor remove 10.77.3.1
expect_status 0
run_cli cli monitor list --json
if ! grep -q '"ip": "10.77.3.2"' "$work/out" || grep -q '10.77.3.1' "$work/out"; then
    fail "after remove: $(cat "$work/out")"
fi
# An agent added by address that never answered: all it has is its address.
validate_json agents "$work/out"
expect_agent "$work/out" 10.77.3.2 \
    '{"mac":null,"version":null,"productName":null,"systemName":null,"dhcp":null,"location":null,"trapIp":null,"subnetMask":null,"gateway":null,"loaderMode":null,"protocolVersion":null,"interfaceVersion":null,"monitored":true,"alive":null,"interface":null,"lastSeen":null}'
run_cli window monitor list --json
validate_json agents "$work/out"

# "-" is standard output and standard input, byte for byte; a standard output that cannot be
# written is a file error.
"$CLI" --cfg "$work/window" monitor export - >"$work/exported-stdout.cfg" ||
    fail "export to standard output"
cmp "$work/window/monitor.cfg" "$work/exported-stdout.cfg" || fail "the export to - differs"
make_config piped
"$CLI" --cfg "$work/piped" monitor import - <"$work/exported-stdout.cfg" ||
    fail "import from standard input"
cmp "$work/empty/monitor.cfg" "$work/piped/monitor.cfg" ||
    fail "the import from - differs from the import of the file"
if [ -e "$work/piped/-" ] || [ -e ./- ]; then fail "a file named - was written"; fi
status=0
"$CLI" --cfg "$work/window" monitor export - >/dev/full 2>"$work/err" || status=$?
expect_status 6
expect_message "vantelo-cli: cannot write standard output"
cp "$work/cli/monitor.cfg" "$work/before.cfg"
run_cli cli monitor remove 10.77.3.1
expect_status 2
expect_message "vantelo-cli: 10.77.3.1 is not in the monitor list"
run_cli cli monitor add --no-wait 10.77.3.2
expect_status 2
expect_message "vantelo-cli: Error: Duplicate IP in monitor list or discovery list"
run_cli cli monitor add 0.0.0.0
expect_status 2
expect_message "vantelo-cli:  Error: IP address is illegal"
head -c 100 /dev/zero >"$work/torn.cfg"
run_cli cli monitor import "$work/torn.cfg"
expect_status 6
expect_message "vantelo-cli: Error: Config File Error"
run_cli cli monitor import "$work/missing.cfg"
expect_status 6
expect_message "vantelo-cli: cannot read $work/missing.cfg"
cmp "$work/before.cfg" "$work/cli/monitor.cfg" || fail "a refused command changed monitor.cfg"

n=0
while [ "$n" -lt 256 ]; do
    run_cli full monitor add --no-wait "10.77.$((4 + n / 200)).$((1 + n % 200))"
    expect_status 0
    n=$((n + 1))
done
[ "$(wc -c <"$work/full/monitor.cfg")" = $((256 * 272)) ] || fail "not 256 records"
cp "$work/full/monitor.cfg" "$work/before.cfg"
run_cli full monitor add --no-wait 10.77.9.9
expect_status 2
expect_message "vantelo-cli: Error: out of 256 device in monitor list"
run_cli full monitor import "$work/exported.cfg"
expect_status 2
expect_message "vantelo-cli: Error: out of 256 device in monitor list"
cmp "$work/before.cfg" "$work/full/monitor.cfg" || fail "the full list changed"
echo ok
