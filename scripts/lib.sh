# Shared by the scripts: their error report, their step times, the display for Wine's windows,
# and which Windows builds this host runs. Sourced, not run. Wine itself is started only through scripts/wine-run.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
script="$(basename "$0")"

die() {
    echo "$script: $*" >&2
    exit 1
}

# A command that fails under `set -e` is named, never left as a bare exit status.
trap 'status=$?; echo "$script: stopped: \"$BASH_COMMAND\" failed with exit status $status" >&2' ERR
set -E

# A number of seconds as people read it: "47 s", "5 min 03 s".
duration() {
    if [ "$1" -ge 60 ]; then
        printf '%d min %02d s' $(($1 / 60)) $(($1 % 60))
    else
        printf '%d s' "$1"
    fi
}

# Runs a command and says how long it took: timed WHAT COMMAND [ARG...].
timed() {
    local what="$1" started=$SECONDS status=0
    shift
    "$@" || status=$?
    echo "$script: $what took $(duration $((SECONDS - started)))"
    return "$status"
}

# Runs a command where Wine's windows can appear: on the display if there is one (and this is
# not CI), else on a virtual X server of the given size.
with_display() {
    local size="$1"
    shift
    if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
        "$@"
    else
        command -v xvfb-run >/dev/null 2>&1 ||
            die "there is no display and no Xvfb to stand in for one: run scripts/setup, or install Debian's packages xvfb and xauth"
        xvfb-run -a -s "-screen 0 ${size}x24" "$@"
    fi
}

# The host's answer to what Wine can run here, found out once for this script and its children
# (after scripts/setup has installed Wine).
find_out_wine_host() {
    [ -n "${VARNHOLT_WINE_HOST:-}" ] || eval "$("$root/scripts/wine-run" --host)"
}

# The Windows builds, each with its folder below build/ and a name for people.
build_label() {
    case "$1" in
    win32) echo "32-bit build (i686, build/win32/bin/varnholt.exe)" ;;
    win64) echo "64-bit build (x86-64, build/win64/bin/varnholt.exe)" ;;
    esac
}

# The Windows builds this host runs, the one players get first.
runnable_builds() {
    find_out_wine_host
    if [ "$VARNHOLT_WINE_HOST" = "32+64" ]; then
        echo "win32 win64"
    else
        echo "win64"
    fi
}
