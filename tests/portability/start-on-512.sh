#!/usr/bin/env bash
# The application starts with Qt 5.12's web engine start-up rules: a copy of 5.12's
# QtWebEngine::initialize() preloaded, the application reaches its main document instead of
# ending in the toolkit's fatal error. In mount and network namespaces of its own (a tmpfs
# /config, loopback only).
#   start-on-512.sh <build dir> <preload list, colon-separated, ours last>      (as root)
set -euo pipefail
build=$(cd "$1" && pwd)
preload=$2
if [ -z "${CS_START512_NS-}" ]; then
    CS_START512_NS=1 exec unshare -n -m --propagation private "$0" "$build" "$preload"
fi
fail() { echo "FAIL: $*" >&2; [ ! -f "${log-}" ] || cat "$log" >&2; exit 1; }
mkdir -p /config && mount -t tmpfs -o mode=1777 cs-start512-config /config
log=/config/app.log
LD_PRELOAD=$preload QT_LOGGING_RULES="startup.info=true" "$build/bin/controllerselect" >"$log" 2>&1 &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT
for _ in $(seq 600); do
    grep -q "main document created" "$log" && break
    kill -0 "$app" 2>/dev/null || { wait "$app" && rc=0 || rc=$?; fail "ended with $rc before its main document"; }
    sleep 0.1
done
grep -q "main document created" "$log" || fail "no main document within 60 s"
grep -qF "${preload##*:}" "/proc/$app/maps" || fail "the 5.12 start-up rules were not preloaded"
echo "main document created with 5.12's QtWebEngine::initialize() preloaded"
