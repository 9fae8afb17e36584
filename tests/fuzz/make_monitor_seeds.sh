#!/bin/sh
# Writes the monitor list seeds that reach the file's limits: full_256 (a whole list) and
# over_257 (a whole list and one record more, which the reader cuts at 69,632 bytes). Each record
# is what the console stores from a simulated agent's answer, as vantelo-demo-monitor writes it.
# The seeds are committed; run this only to change them:
#   sh tests/fuzz/make_monitor_seeds.sh build/bin
set -eu
bin=$1
corpus="$(dirname "$0")/corpus/monitor_file"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The fuzz target's own definition: device type 03B27F16, base port 8000.
"$bin/vantelo-mkdefine" --device-type 03B27F16 --base-port 1F40 -o "$work/define.ecf"
awk 'BEGIN {
    for (n = 0; n < 257; n++)
        printf "02:00:0a:4d:%02x:%02x|10.77.%d.%d|255.255.0.0|10.77.0.1|10.77.0.1|VS-24|agent-%d|rack %d|admin|%s|2|%d|no\n",
            1 + int(n / 200), 1 + n % 200, 1 + int(n / 200), 1 + n % 200, n + 1, 1 + int(n / 24),
            n % 3 == 0 ? "enable" : n % 3 == 1 ? "disable" : "none", 1 + (n % 5 != 0)
}' >"$work/agents"
sed -n '1,256s/^[^|]*|\([^|]*\)|.*/\1/p' "$work/agents" >"$work/first"
# shellcheck disable=SC2046 # one address a word
"$bin/vantelo-demo-monitor" --define "$work/define.ecf" --agent-file "$work/agents" \
    -o "$corpus/full_256" $(cat "$work/first")
"$bin/vantelo-demo-monitor" --define "$work/define.ecf" --agent-file "$work/agents" \
    -o "$work/last" 10.77.2.57
cat "$corpus/full_256" "$work/last" >"$corpus/over_257"
wc -c "$corpus/full_256" "$corpus/over_257"
