# shellcheck shell=sh disable=SC2154,SC2034 # $work comes from the caller, $xvfb goes back to it
# Sourced by the GUI checks that need a real display: start_display starts Xvfb on a free display
# and gives it a private runtime directory under $work; it sets $xvfb for the caller's cleanup and
# exports DISPLAY and XDG_RUNTIME_DIR. A display that does not come up is the caller's skip.
start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    tries=200
    until [ -s "$work/display" ]; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || skip "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.05
    done
    mkdir -m 700 "$work/runtime"
    DISPLAY=":$(cat "$work/display")"
    XDG_RUNTIME_DIR="$work/runtime"
    export DISPLAY XDG_RUNTIME_DIR
}
