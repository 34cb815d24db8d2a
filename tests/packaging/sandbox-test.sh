#!/usr/bin/env bash
# The web engine's sandbox around a render process. As an ordinary user with the unit's flags, a
# render process lives in user and PID namespaces of its own and cannot gain privileges; as root
# with the application's own defaults (desktop runs, tests) it shares the application's. Neither
# start prints the toolkit's warnings about the start-up order.
#
# Runs in network, mount and PID namespaces of its own: loopback only, a tmpfs /config and scratch.
#   sandbox-test.sh <build dir> <unit file>      (as root)
set -euo pipefail

build=$(cd "$1" && pwd)
unit=$2
if [ -z "${CS_SANDBOX_TEST_NS-}" ]; then
    CS_SANDBOX_TEST_NS=1 exec unshare -n -m -p --fork --mount-proc --propagation private \
        "$0" "$build" "$unit"
fi
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

unit_flags=$(sed -n 's/^Environment="QTWEBENGINE_CHROMIUM_FLAGS=\(.*\)"$/\1/p' "$unit")
[ -n "$unit_flags" ] || fail "the unit gives no web engine flags"

ip link set lo up
# A scratch tmpfs of its own rather than one over /tmp, which may hold the build itself.
scratch=$(mktemp -d /tmp/cs-sandbox.XXXXXX)
trap 'umount -l "$scratch" 2>/dev/null; rmdir "$scratch"' EXIT
mount -t tmpfs -o mode=1777 cs-sandbox-tmp "$scratch"
mkdir -p /config && mount -t tmpfs -o mode=1777 cs-sandbox-config /config
mkdir -p "$scratch/www" && echo '{}' >"$scratch/www/tqsettings.json" &&
    echo '<h1>controller</h1>' >"$scratch/www/index.html"
python3 -m http.server 80 --bind 127.0.0.1 --directory "$scratch/www" >/dev/null 2>&1 &

# A render process is forked by the engine's zygote and keeps its command line; unlike the
# zygote (which must be single-threaded to fork) it runs threads.
renderer() {
    for p in /proc/[0-9]*; do
        if grep -qa -- "--type=zygot[e]" "$p/cmdline" 2>/dev/null &&
            [ "$(awk '/^Threads:/ {print $2}' "$p/status" 2>/dev/null)" -gt 1 ]; then
            echo "$p"
            return 0
        fi
    done
    return 1
}

# case name | user | flags ("-" for the application's own) | render process sandboxed
cases=(
    "service user, the unit's flags|nobody|$unit_flags|yes"
    "root, the application's defaults|root|-|no"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name user flags sandboxed <<<"$c"
    printf '127.0.0.1' >/config/last_selected_controller
    runtime=$(mktemp -d "$scratch/runtime.XXXX") && chown "$user" "$runtime"
    env=(PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen QT_QPA_OFFSCREEN_NO_GLX=1
        QT_QUICK_BACKEND=software QML2_IMPORT_PATH="$build/qml" QT_PLUGIN_PATH="$build/plugins"
        XDG_RUNTIME_DIR="$runtime" XDG_CACHE_HOME="$scratch/cache" XDG_DATA_HOME="$scratch/data")
    [ "$flags" = - ] || env+=("QTWEBENGINE_CHROMIUM_FLAGS=$flags")
    env -i "${env[@]}" setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
        "$build/bin/controllerselect" >"$scratch/app.log" 2>&1 &
    app=$!
    for _ in $(seq 300); do renderer >/dev/null && break; sleep 0.1; done
    r=$(renderer) || { cat "$scratch/app.log" >&2; fail "$name: no render process (the page did not load)"; }
    own=0
    for ns in user pid; do
        [ "$(readlink "$r/ns/$ns")" = "$(readlink "/proc/$app/ns/$ns")" ] || own=$((own + 1))
    done
    nnp=$(awk '/^NoNewPrivs:/ {print $2}' "$r/status")
    kill "$app" && wait "$app" || true
    if [ "$sandboxed" = yes ]; then
        [ "$own" = 2 ] && [ "$nnp" = 1 ] ||
            fail "$name: render process not sandboxed (own namespaces: $own of 2, NoNewPrivs $nnp)"
    else
        [ "$own" = 0 ] || fail "$name: render process in $own namespaces of its own"
    fi
    if grep -E "must be set before QCoreApplication|initialize\(\) called with QCoreApplication" "$scratch/app.log"; then
        fail "$name: start-up order warnings"
    fi
    echo "ok: $name: render process in $own of 2 namespaces of its own, NoNewPrivs $nnp"
done
