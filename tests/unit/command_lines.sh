#!/bin/sh
# Every installed program answers --help (usage on stdout, exit 0) and --version (one line
# "NAME VERSION", exit 0), and refuses what it does not know with one line on stderr and exit 2.
# The console answers without a display, and takes Qt's own options.
# usage: command_lines.sh VERSION PROGRAM...
set -u
version=$1
shift
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect PROGRAM CODE STDOUT-PATTERN STDERR-LINES ARGUMENTS...: runs the program without a
# display and checks its exit code, that stdout matches the pattern (grep -E, "" for empty)
# and that stderr has that many lines.
expect() {
    program=$1 code=$2 pattern=$3 lines=$4
    shift 4
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" "$@" \
        >"$out" 2>"$err" </dev/null
    got=$?
    what="$(basename "$program") $*"
    [ "$got" = "$code" ] || fail "$what: exit $got, wanted $code ($(head -3 "$err"))"
    if [ -z "$pattern" ]; then
        [ ! -s "$out" ] || fail "$what: wrote to stdout"
    else
        grep -Eq -- "$pattern" "$out" || fail "$what: stdout lacks /$pattern/"
    fi
    [ "$(wc -l <"$err")" = "$lines" ] || fail "$what: $(wc -l <"$err") lines on stderr"
}

for program in "$@"; do
    name=$(basename "$program")
    for help in --help -h; do
        expect "$program" 0 "^[Uu]sage: .*$name" 0 "$help"
    done
    for ask in --version -v; do
        expect "$program" 0 "^$name $version\$" 0 "$ask"
        [ "$(wc -l <"$out")" = 1 ] || fail "$name $ask: not one line"
    done
    for bad in --bogus -x "--no-such-option=1"; do
        expect "$program" 2 "" 1 "$bad"
    done
done

# The console: Qt's options with one dash or two, with their values; anything else refused.
console=""
for program in "$@"; do
    [ "$(basename "$program")" = vantelo ] && console=$program
done
if [ -n "$console" ]; then
    expect "$console" 0 "^vantelo $version\$" 0 -platform offscreen -reverse --version
    expect "$console" 0 "^vantelo $version\$" 0 --style=Fusion -qwindowtitle "a b" --version
    expect "$console" 0 "-platform" 0 --help
    expect "$console" 2 "" 1 -style
    expect "$console" 2 "" 1 extra-argument
    expect "$console" 2 "" 1 -pla offscreen
fi
[ "$failures" = 0 ] || exit 1
echo ok
