#!/usr/bin/env bash
# Starts the whole application on a desktop, as it would run on the board, without touching
# this machine's network or configuration:
#   - inside the private network of scripts/testnet.sh, with three simulated controllers on the
#     other side of it (the search finds them within a few seconds);
#   - with a private /config (a tmpfs in a mount namespace of its own);
#   - with the stand-in platform, whose network manager reports Ethernet up; its state file is
#     printed, so the cable can be "pulled" while running (see platform/README.md);
#   - in a window when there is an X display, otherwise under Xvfb, with a screenshot of the
#     screen refreshed every few seconds.
#
#   scripts/run.sh <build dir>                       run until Ctrl-C (or RUN_SECONDS=N seconds)
#   scripts/run.sh <build dir> --screenshots <dir>   headless: write controller-list.png (the
#                                                    controllers found) and controller-page.png
#                                                    (the first one's web interface), then stop
#   CS_DEMO_BEHAVIOUR=B[+B] gives "East wing" controller-sim behaviours, to see what the display
#   does with such a controller, e.g. CS_DEMO_BEHAVIOUR=page=hang or http-restart=1:8
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)

die() {
    echo "run.sh: $*" >&2
    exit 2
}

usage() {
    sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'
}

# --- outer stage: checks, then the private network and mount namespace --------------------------

outer() {
    [ $# -ge 1 ] || { usage >&2; exit 2; }
    case "$1" in -h | --help) usage; exit 0 ;; esac
    local build shots=""
    build=$(cd "$1" 2>/dev/null && pwd) || die "no build directory '$1'"
    shift
    if [ "${1-}" = "--screenshots" ]; then
        [ -n "${2-}" ] || die "--screenshots needs a directory"
        mkdir -p "$2"
        shots=$(cd "$2" && pwd)
        shift 2
    fi
    [ $# -eq 0 ] || die "unexpected argument '$1'"
    [ -x "$build/bin/controllerselect" ] || die "$build/bin/controllerselect is missing: build first (make run)"
    [ -f "$build/qml/Zel/Gui/qmldir" ] || die "the platform stand-in is not built in $build"
    for tool in unshare mount Xvfb xdotool import; do
        command -v "$tool" >/dev/null || die "$tool is missing: run scripts/setup.sh"
    done
    # /config is only a mount point here: a tmpfs covers it in the application's own mount
    # namespace, so nothing is ever written to this machine's /config.
    if [ ! -d /config ]; then
        [ "$(id -u)" -eq 0 ] || die "/config does not exist; as root, run: mkdir /config (it stays empty)"
        mkdir /config
    fi
    exec "$here/scripts/testnet.sh" --lan-hosts 3 -- \
        unshare -m --propagation private bash "$0" --inside "$build" "$shots"
}

# --- inner stage: display side of the private network, own mount namespace -----------------------

pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do
        kill -TERM "$p" 2>/dev/null || true
    done
    for p in "${pids[@]}"; do
        wait "$p" 2>/dev/null || true
    done
    [ -n "${work-}" ] && rm -rf "$work"
}

# Nothing may leave this namespace except through the private veth pair.
check_private_network() {
    local ifs
    ifs=$(ip -o link show | awk -F': ' '{print $2}' | sed 's/@.*//' | sort | tr '\n' ' ')
    [ "$ifs" = "csdisp0 lo " ] || die "not inside the private network (interfaces: $ifs)"
}

start_controllers() {
    local ips
    read -r -a ips <<<"$CS_LAN_IPS"
    [ ${#ips[@]} -ge 3 ] || die "the private network has fewer than three controller addresses"
    $CS_LAN_EXEC "$here/tools/controller-sim/controller-sim" --quiet \
        --controller "ip=${ips[0]},name=Boiler room,model=3,serial=KV-301-0001" \
        --controller "ip=${ips[1]},name=Roof ventilation,model=3,serial=KV-301-0002" \
        --controller "ip=${ips[2]},name=East wing,model=1,serial=KV-104-0173${CS_DEMO_BEHAVIOUR:+,behaviour=$CS_DEMO_BEHAVIOUR}" \
        --log "$work/controllers.log" --ready-file "$work/controllers.ready" &
    pids+=($!)
    for _ in $(seq 100); do
        [ -f "$work/controllers.ready" ] && return 0
        sleep 0.1
    done
    die "the simulated controllers did not start"
}

# An X server of our own when there is no display; its number comes back through a pipe.
start_xvfb() {
    local fifo=$work/displayfd
    mkfifo "$fifo"
    Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$fifo" 2>"$work/xvfb.log" &
    pids+=($!)
    local n
    read -r -t 10 n <"$fifo" || die "Xvfb did not start (see $work/xvfb.log)"
    export DISPLAY=":$n"
}

# Polls until the simulated controllers have seen $2 requests of the kind given by $1.
wait_for_log() {
    local pattern=$1 count=$2 seconds=$3
    for _ in $(seq $((seconds * 10))); do
        [ "$(grep -c -E "$pattern" "$work/controllers.log" 2>/dev/null)" -ge "$count" ] && return 0
        sleep 0.1
    done
    return 1
}

window_id() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name controllerselect 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.4
}

# The README's two pictures: the list after a search, and the first controller's interface.
take_screenshots() {
    local dir=$1 win
    wait_for_log '"path": "/tqsettings.json"' 3 30 || die "the search found no controllers"
    win=$(window_id) || die "no application window"
    # The search ends 5 s after the last answer; by then the splash has gone too.
    sleep 6.5
    import -window root "$dir/controller-list.png"
    # First row, then the list's Connect button (bottom right), in window coordinates.
    click "$win" 200 275
    click "$win" 1198 719
    wait_for_log '"method": "GET", "path": "/"' 1 20 || die "the controller page was not requested"
    sleep 3
    import -window root "$dir/controller-page.png"
    echo "Screenshots: $dir/controller-list.png $dir/controller-page.png"
}

inner() {
    local build=$1 shots=$2
    check_private_network
    mount -t tmpfs -o size=4m,mode=0755 cs-config /config
    work=$(mktemp -d /tmp/controllerselect-run.XXXXXX)
    trap cleanup EXIT
    trap 'exit 130' INT TERM

    start_controllers

    export QML2_IMPORT_PATH="$build/qml"
    export QT_PLUGIN_PATH="$build/plugins"
    export QT_QPA_PLATFORM=xcb
    export ZEL_NETWORK_STATE="$work/network.json"
    export XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    # A desktop has no Mali GPU: only the flags a desktop needs (root needs --no-sandbox).
    export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --touch-events=enabled"

    local headless=0
    if [ -n "$shots" ] || [ -z "${DISPLAY-}" ] || ! xdotool getmouselocation >/dev/null 2>&1; then
        headless=1
        start_xvfb
        # Xvfb has no GPU: the web engine draws in software without complaining about it.
        QTWEBENGINE_CHROMIUM_FLAGS+=" --disable-gpu"
    fi

    "$build/bin/controllerselect" &
    local app=$!
    pids=("$app" "${pids[@]}")

    echo "controllerselect runs in a private network with simulated controllers $CS_LAN_IPS"
    echo "  /config is a private tmpfs; network state: $ZEL_NETWORK_STATE"
    echo "  controllers' log: $work/controllers.log"

    if [ -n "$shots" ]; then
        take_screenshots "$shots"
        return 0
    fi

    local shot="" artifacts="$build/artifacts/run"
    if [ "$headless" -eq 1 ]; then
        mkdir -p "$artifacts"
        shot="$artifacts/screenshot.png"
        echo "  no display: running under Xvfb, screenshot every 5 s in $shot"
    fi
    echo "Press Ctrl-C to stop."

    local started=$SECONDS
    while kill -0 "$app" 2>/dev/null; do
        if [ -n "${RUN_SECONDS-}" ] && [ $((SECONDS - started)) -ge "$RUN_SECONDS" ]; then
            [ -n "$shot" ] && import -window root "$shot"
            return 0
        fi
        [ -n "$shot" ] && [ $(((SECONDS - started) % 5)) -eq 4 ] && import -window root "$shot"
        sleep 1
    done
    wait "$app"
}

if [ "${1-}" = "--inside" ]; then
    shift
    inner "$@"
else
    outer "$@"
fi
