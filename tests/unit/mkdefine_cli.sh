#!/bin/sh
# The tool writes files the loader reads back, and refuses bad arguments with exit code 2
# without writing anything.
set -u
mkdefine=$1
check=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for pair in "03B27F16 1F40" "00000000 0000" "ffffffff FFFF" "a1b2c3d4 0bb8"; do
    # shellcheck disable=SC2086 # the pair is two words
    set -- $pair
    "$mkdefine" --device-type "$1" --base-port "$2" -o "$dir/define.ecf" || fail "exit for $pair"
    got=$("$check" "$dir/define.ecf") || fail "loader refused $pair"
    want=$(echo "$1 $2" | tr a-f A-F)
    [ "$got" = "$want" ] || fail "read back '$got', wanted '$want'"
done

for args in "--device-type 3B27F16 --base-port 1F40" "--device-type 03B27F16 --base-port 1F4G" \
            "--device-type 03B27F16" "--bogus 1" "--device-type 03B27F16 --base-port 1F40 -o"; do
    rm -f "$dir/out.ecf"
    # shellcheck disable=SC2086
    "$mkdefine" $args -o "$dir/out.ecf" 2>"$dir/err"
    code=$?
    [ "$code" = 2 ] || fail "exit $code for '$args'"
    [ "$(wc -l < "$dir/err")" = 1 ] || fail "not one line on stderr for '$args'"
    [ ! -e "$dir/out.ecf" ] || fail "wrote a file for '$args'"
done
"$mkdefine" --device-type 03B27F16 --base-port 1F40 -o /nonexistent/dir/x.ecf 2>/dev/null
[ $? = 2 ] || fail "unwritable output not refused"
echo ok
