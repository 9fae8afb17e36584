# shellcheck shell=sh
# Sourced by the end to end tests of vantelo-cli, which tools/testnet runs inside a private
# network namespace. The programs come in the environment: those of console_common.sh, CLI
# (vantelo-cli) and CAPTURE (udp_capture).
# shellcheck source=console_common.sh
. "$(dirname "$0")/console_common.sh"
: "${CLI:?vantelo-cli}" "${CAPTURE:?udp_capture}"
capture_pid=""
# shellcheck disable=SC2034 # read by the tests that source this file
agents="$(dirname "$0")/console_agents.txt"

# Runs vantelo-cli on the configuration directory $work/$1 with the remaining arguments;
# its standard output goes to $work/out, its standard error to $work/err, and its exit status
# to $status.
run_cli() {
    config=$1
    shift
    status=0
    "$CLI" --cfg "$work/$config" "$@" >"$work/out" 2>"$work/err" || status=$?
}

# Fails unless the last run_cli ended with STATUS.
expect_status() {
    [ "$status" = "$1" ] ||
        fail "vantelo-cli ended with $status, expected $1; stderr: $(cat "$work/err")"
}

# Fails unless the last run_cli's standard error has a line that is exactly TEXT.
expect_message() {
    grep -qxF -- "$1" "$work/err" || fail "no message '$1' on stderr: $(cat "$work/err")"
}

# Prints the JSON object of the agent with MAC text $1 from the last `discover --json`, without
# its lastSeen (a time of the run).
agent_object() {
    tr -d '\n' <"$work/out" | sed 's/  */ /g; s/"lastSeen": "[^"]*", //' |
        grep -o "{[^}]*\"mac\": \"$1\"[^}]*}" ||
        fail "agent $1 not discovered: $(cat "$work/out")"
}

# Records every datagram to the agent port (base port 0x1388 + 2) in $work/$1 until
# stop_capture.
start_capture() {
    rm -f "$work/capture-ready"
    "$CAPTURE" 5002 60 "$work/$1" >"$work/capture-ready" &
    capture_pid=$!
    wait_until 5 grep -q ready "$work/capture-ready" 2>/dev/null ||
        fail "the capture did not start"
}

stop_capture() {
    kill "$capture_pid"
    wait "$capture_pid" || true
    capture_pid=""
}

# The set requests of capture $1: the datagrams with more than the 40-byte header, to
# destination $2, each once.
set_requests() {
    grep "^[0-9.]* $2 " "$work/$1" | awk 'length($3) > 80' | sort -u
}

schema="$(dirname "$0")/../../docs/vantelo-cli.schema.json"

# Fails unless file $2 is valid JSON against the definition $1 of the tool's schema: "agents"
# (discover and monitor list: the whole file), "event" (watch: each line an object) or
# "targetLine" (set, password and upgrade: each line an object). Uses
# Debian's python3-jsonschema.
validate_json() {
    python3 - "$schema" "$1" "$2" >"$work/validate" 2>&1 <<'PY' ||
import json, sys
import jsonschema
schema_path, definition, path = sys.argv[1:]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(
    {"$ref": "#/$defs/" + definition, "$defs": schema["$defs"]})
with open(path, "rb") as f:
    text = f.read().decode("utf-8")  # strict: the tool writes valid UTF-8
documents = [text] if definition == "agents" else text.splitlines()
if not documents:
    sys.exit("no JSON")
for document in documents:
    validator.validate(json.loads(document))
PY
        fail "$2 does not validate as $1: $(cat "$work/validate")"
}

# Fails unless the agent with IP $2 in the JSON array of file $1 has the fields of the JSON
# object $3, each with its value.
expect_agent() {
    python3 - "$@" >"$work/expect-agent" 2>&1 <<'PY' ||
import json, sys
path, ip, fields = sys.argv[1:]
with open(path, encoding="utf-8") as f:
    agents = [a for a in json.load(f) if a["ip"] == ip]
if len(agents) != 1:
    sys.exit("%d agents with IP %s" % (len(agents), ip))
wrong = {k: agents[0].get(k) for k, v in json.loads(fields).items() if agents[0].get(k) != v}
if wrong:
    sys.exit("differs: %s" % wrong)
PY
        fail "agent $2 in $1: $(cat "$work/expect-agent")"
}
