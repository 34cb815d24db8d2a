#!/usr/bin/env bash
# The Debian package under a real systemd: a minimal Debian 12 root (debootstrap, cached under
# .deps/service-test), the amd64 package installed there with apt in a plain container run (the
# only step that shares the machine's network), then the root booted with its own systemd and
# no network but loopback. For this test only the stand-in platform modules are added, and a
# headless platform is given through /etc/default/controllerselect.
#
#   scripts/service-test.sh <build dir>      (as root; `make service-test`)
#
# Prints the figures (time to start, restart delays, the watchdog's restart) and exits non-zero on
# the first failed check.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cache=$here/.deps/service-test

# Our own mount namespace: the tmpfs nspawn needs on /run/systemd/nspawn must not outlive us.
if [ -z "${CS_SERVICE_TEST_NS-}" ]; then
    [ "$(id -u)" = 0 ] || { echo "service-test: needs root (debootstrap, systemd-nspawn)" >&2; exit 2; }
    CS_SERVICE_TEST_NS=1 exec unshare -m --propagation private "$0" "$build"
fi
mkdir -p /run/systemd/nspawn
mount -t tmpfs -o mode=0755 cs-nspawn /run/systemd/nspawn

t0=$(date +%s)
fail() {
    echo "FAIL: $*" >&2
    [ -z "${leader-}" ] || in_ct journalctl -u controllerselect --no-pager -n 40 >&2 || true
    exit 1
}
ok() { echo "ok: $*"; }
since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN {printf "%.1f", b - a}'; }
# The container shares the host's monotonic clock, on which systemd stamps its starts.
uptime_now() { python3 -c 'import time; print(time.monotonic())'; }

deb=$(ls "$build"/dist/controllerselect_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no amd64 package in $build/dist (make service-test builds it)"

# --- the Debian 12 root, made once -------------------------------------------------------------
base=$cache/bookworm
if [ ! -e "$base/.complete" ]; then
    echo "making the Debian 12 root in $base (once, about 2 minutes)"
    rm -rf "$base.new"
    mkdir -p "$cache"
    debootstrap --variant=minbase --include=systemd,systemd-sysv,dbus bookworm "$base.new" \
        http://deb.debian.org/debian >"$cache/debootstrap.log" 2>&1 ||
        fail "debootstrap (see $cache/debootstrap.log)"
    rm -rf "$base" && mv "$base.new" "$base" && touch "$base/.complete"
fi

work=$build/service-test
root=$work/root
rm -rf "$work" && mkdir -p "$work" "$cache/archives/partial" "$cache/lists/partial"
cp -a "$base" "$root"

# What a version that ran as root left behind: /config and its files owned by root.
mkdir -p "$root/config"
printf '192.0.2.1' >"$root/config/last_selected_controller"
printf '[General]\nDisplayTimeout=300\n' >"$root/config/controllerselect.ini"

# --- install: a plain run, sharing the network for apt only --------------------------------
echo "installing $(basename "$deb") with apt"
mkdir -p "$root/mnt/pkg" && cp "$deb" "$root/mnt/pkg/"
systemd-nspawn --quiet --register=no --keep-unit --resolv-conf=copy-host -D "$root" \
    --bind="$cache/archives:/var/cache/apt/archives" --bind="$cache/lists:/var/lib/apt/lists" \
    --pipe sh -c "apt-get -q update >/dev/null &&
        DEBIAN_FRONTEND=noninteractive apt-get -q -y install --no-install-recommends \
            /mnt/pkg/$(basename "$deb") busybox" >"$work/apt.log" 2>&1 ||
    { tail -n 30 "$work/apt.log" >&2; fail "apt could not install the package"; }
ok "apt installed the package and its $(grep -o '[0-9]* newly installed' "$work/apt.log") packages"

# The stand-in platform modules (never part of the package), found through /etc/default.
standin=/opt/controllerselect-standin
mkdir -p "$root$standin"
cp -a "$build/qml" "$build/plugins" "$root$standin/"
# A headless platform; the web engine's flags without --no-sandbox, as the unit gives them.
cat >"$root/etc/default/controllerselect" <<EOF
QT_QPA_PLATFORM=offscreen
QT_QPA_OFFSCREEN_NO_GLX=1
QT_QUICK_BACKEND=software
EOF
# A stand-in controller's web server on the container's loopback, for a page to render.
mkdir -p "$root/srv/www"
echo '{}' >"$root/srv/www/tqsettings.json"
echo '<html><body><h1>controller</h1></body></html>' >"$root/srv/www/index.html"

# --- boot, with no network but loopback ---------------------------------------------------------
s0=$(date +%s.%N)
systemd-nspawn --quiet --register=no --keep-unit --private-network --console=passive \
    -D "$root" --boot >"$work/boot.log" 2>&1 &
nspawn=$!
cleanup() {
    if kill -0 "$nspawn" 2>/dev/null; then
        kill -TERM "$nspawn" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$nspawn" 2>/dev/null || break; sleep 0.2; done
        kill -KILL "$nspawn" 2>/dev/null || true
    fi
}
trap cleanup EXIT

leader=
for _ in $(seq 100); do
    for p in /proc/[0-9]*; do
        if [ "$(awk '/^PPid:/ {print $2}' "$p/status" 2>/dev/null)" = "$nspawn" ]; then
            leader=${p#/proc/}
        fi
    done
    [ -n "$leader" ] && break
    sleep 0.1
done
[ -n "$leader" ] || fail "the container did not start (see $work/boot.log)"
in_ct() { nsenter -t "$leader" -a "$@"; }
show() { in_ct systemctl show -P "$2" "$1"; }
wait_for() { # <seconds> <command...>: until the command succeeds
    local end=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$end" ] || return 1
        sleep 0.1
    done
}
booted() { in_ct systemctl is-system-running | grep -E "running|degraded" >/dev/null; }
wait_for 60 booted || fail "the container's systemd did not finish booting"
ok "container booted in $(since "$s0") s"

# --- a main document that fails to load (no platform modules yet) ends the process -----------
# Result and status in one reading: the next start resets both.
failed_run() {
    local props
    props=$(in_ct systemctl show -p Result -p ExecMainStatus controllerselect)
    grep -qx Result=exit-code <<<"$props" && status=$(sed -n 's/^ExecMainStatus=//p' <<<"$props")
}
wait_for 30 failed_run || fail "without its platform modules the service does not fail"
[ "$status" != 0 ] || fail "the failed start exited with 0"
in_ct journalctl -u controllerselect --no-pager | grep "module \"Zel" >/dev/null ||
    fail "the toolkit's diagnostics of the failed document are not in the journal"
ok "main document without its modules: exit code $status, restarted by systemd"
# The boot's order on the monotonic clock (seconds), which the container shares with its host.
at() {
    in_ct journalctl -b -o short-monotonic --no-pager |
        awk -v p="$1" 'index($0, p) && !n { n = 1; sub(/^\[ */, ""); sub(/\].*/, ""); print }'
}
online=$(awk -v t="$(show network-online.target ActiveEnterTimestampMonotonic)" 'BEGIN {printf "%.6f", t / 1e6}')
first=$(at 'Starting controllerselect.service')
[ -n "$online" ] && [ -n "$first" ] && awk -v a="$online" -v b="$first" 'BEGIN {exit !(a <= b)}' ||
    fail "started (${first:-never}) before network-online.target (${online:-never})"
ok "started at boot after network-online.target (reached at ${online} s, service started at ${first} s)"

# --- with the modules: up after network-online.target, and stays up ----------------------------
cat >>"$root/etc/default/controllerselect" <<EOF
QML2_IMPORT_PATH=$standin/qml
QT_PLUGIN_PATH=$standin/plugins
EOF
s0=$(date +%s.%N)
# Type=notify: the restart's job ends when the application says READY=1, its main document loaded.
in_ct systemctl restart controllerselect
ready=$(uptime_now)
running() { [ "$(show controllerselect SubState)" = running ]; }
wait_for 30 running || fail "the service does not run"
[ "$(show controllerselect Type)" = notify ] || fail "the unit is Type=$(show controllerselect Type)"
pid=$(show controllerselect MainPID)
ready=$(awk -v r="$ready" -v t="$(show controllerselect ExecMainStartTimestampMonotonic)" 'BEGIN {printf "%.1f", r - t / 1e6}')
# The stored controller does not answer here: the application clears its stored choice, which
# proves it may replace a file that root once wrote.
cleared() { [ ! -s "$root/config/last_selected_controller" ]; }
wait_for 20 cleared || fail "the application could not clear /config/last_selected_controller"
ok "time to start: ready (READY=1) $ready s after its exec; $(since "$s0") s from systemctl restart to the stored controller checked and cleared (a file root had written)"
sleep 5 # a duration under test: it stays up
[ "$(show controllerselect MainPID)" = "$pid" ] && running || fail "the service did not stay up"
ok "stays up (same process after 5 s)"

# --- its user, its groups, /config ------------------------------------------------------------
uid=$(in_ct awk '/^Uid:/ {print $2}' "/proc/$pid/status")
[ "$(in_ct getent passwd "$uid" | cut -d: -f1)" = controllerselect ] || fail "runs as uid $uid"
groups=$(for g in $(in_ct awk '/^Groups:/ {$1 = ""; print}' "/proc/$pid/status"); do
    in_ct getent group "$g" | cut -d: -f1; done | sort | tr '\n' ' ')
for g in video render input; do
    [[ " $groups" == *" $g "* ]] || fail "not in group $g (groups: $groups)"
done
gid=$(in_ct awk '/^Gid:/ {print $2}' "/proc/$pid/status")
# Inside the service's own view of the file system, as its user: replace the settings file whole.
in_ct nsenter -t "$pid" -m -S "$uid" -G "$gid" sh -c \
    'cp /config/controllerselect.ini /config/.probe && mv /config/.probe /config/controllerselect.ini' ||
    fail "the service's user cannot replace /config/controllerselect.ini"
ok "runs as controllerselect with groups: $groups; may replace both /config files"

# --- the web engine's sandbox around a render process ------------------------------------------
in_ct busybox httpd -p 127.0.0.1:80 -h /srv/www
printf '127.0.0.1' >"$root/config/last_selected_controller"
in_ct systemctl restart controllerselect
wait_for 30 running || fail "the service does not run after the restart"
pid=$(show controllerselect MainPID)
# A render process is forked by the engine's zygote and keeps its command line; unlike the
# zygote (which must be single-threaded to fork) it runs threads.
renderer() {
    in_ct sh -c 'for p in /proc/[0-9]*; do
        grep -qa -- "--type=zygot[e]" "$p/cmdline" 2>/dev/null &&
            [ "$(awk "/^Threads:/ {print \$2}" "$p/status")" -gt 1 ] && { echo "$p"; exit 0; }
    done; exit 1'
}
wait_for 30 renderer || fail "no render process (the page did not load)"
r=$(renderer)
for ns in user pid; do
    [ "$(in_ct readlink "$r/ns/$ns")" != "$(in_ct readlink "/proc/$pid/ns/$ns")" ] ||
        fail "the render process shares the application's $ns namespace: no sandbox"
done
[ "$(in_ct awk '/^NoNewPrivs:/ {print $2}' "$r/status")" = 1 ] || fail "render process may gain privileges"
ok "render process ${r#/proc/} in user and PID namespaces of its own, NoNewPrivs 1"

# --- a kernel that gives the service no user namespaces: pages still shown, and said once ------
# A copy of the unit, since a drop-in's RestrictNamespaces= would add to the unit's list.
unit=$root/usr/lib/systemd/system/controllerselect.service
sed 's/^RestrictNamespaces=.*/RestrictNamespaces=pid net/' "$unit" >"$root/etc/systemd/system/controllerselect.service"
grep -qx 'RestrictNamespaces=pid net' "$root/etc/systemd/system/controllerselect.service" ||
    fail "the unit has no RestrictNamespaces= line to change"
in_ct systemctl daemon-reload
in_ct systemctl restart controllerselect
wait_for 30 running || fail "without user namespaces the service does not run"
[ "$(show controllerselect FragmentPath)" = /etc/systemd/system/controllerselect.service ] ||
    fail "the copy of the unit is not in use"
pid=$(show controllerselect MainPID)
invocation=$(show controllerselect InvocationID)
unsandboxed_renderer() { r=$(renderer) && [ "$(in_ct readlink "$r/ns/user")" = "$(in_ct readlink "/proc/$pid/ns/user")" ]; }
wait_for 30 unsandboxed_renderer || fail "without user namespaces no render process (the page is not shown)"
n=$(in_ct journalctl --no-pager -o cat _SYSTEMD_INVOCATION_ID="$invocation" |
    grep -c "web pages run without the web engine's sandbox" || true)
[ "$n" = 1 ] || fail "without user namespaces the journal says $n times that pages run without the sandbox (want once)"
rm "$root/etc/systemd/system/controllerselect.service"
in_ct systemctl daemon-reload
in_ct systemctl restart controllerselect
wait_for 30 running || fail "the packaged unit does not run again"
[ "$(show controllerselect FragmentPath)" != /etc/systemd/system/controllerselect.service ] ||
    fail "the copy of the unit is still in use"
ok "no user namespaces (RestrictNamespaces=pid net): page shown by render process ${r#/proc/}, \"web pages run without the web engine's sandbox\" said $n time"

# --- restarts: a crash waits longer each time, a clean exit does not ---------------------------
restart_delay() { # <signal>: seconds from the signal to the next start
    local before killed
    wait_for 30 running || fail "not running before SIG$1"
    before=$(show controllerselect MainPID)
    [ "$before" -gt 1 ] || fail "no main process to signal"
    killed=$(uptime_now)
    in_ct sh -c "kill -$1 $before"
    # Started since the signal, and running.
    new_main() {
        awk -v a="$killed" -v b="$(show controllerselect ExecMainStartTimestampMonotonic)" \
            'BEGIN {exit !(b / 1e6 > a)}' && running
    }
    wait_for 60 new_main || fail "not restarted after SIG$1"
    awk -v a="$killed" -v b="$(show controllerselect ExecMainStartTimestampMonotonic)" \
        'BEGIN {printf "%.2f", b / 1e6 - a}'
}
within() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN {exit !(v >= lo && v < hi)}'; }
d1=$(restart_delay KILL)
d2=$(restart_delay KILL)
within "$d1" 2 4 && within "$d2" 4 7 || fail "restart delays after SIGKILL: $d1 s, $d2 s (want 2, then 4)"
ok "SIGKILL: restarted after $d1 s, then after $d2 s"
d3=$(restart_delay TERM)
within "$d3" 0 1 || fail "a clean exit restarted after $d3 s (want within 1 s)"
ok "clean exit (SIGTERM): restarted after $d3 s"

# --- the watchdog: a main thread that stops is killed and restarted, after the failure's delay --
wait_for 30 running || fail "not running before SIGSTOP"
stopped=$(show controllerselect MainPID)
s0=$(uptime_now)
in_ct sh -c "kill -STOP $stopped"
watchdog_restart() {
    [ "$(show controllerselect MainPID)" != "$stopped" ] && running &&
        awk -v a="$s0" -v b="$(show controllerselect ExecMainStartTimestampMonotonic)" 'BEGIN {exit !(b / 1e6 > a)}'
}
wait_for 60 watchdog_restart || fail "a stopped main process was not restarted by the watchdog"
started=$(awk -v t="$(show controllerselect ExecMainStartTimestampMonotonic)" 'BEGIN {printf "%.6f", t / 1e6}')
# The journal's last word on the stopped process: the watchdog, and when the process ended.
mono_of() { # <text>: monotonic time of its last line since SIGSTOP
    in_ct journalctl -u controllerselect -o short-monotonic --no-pager |
        awk -v p="$1" -v a="$s0" 'index($0, p) { t = $0; sub(/^\[ */, "", t); sub(/\].*/, "", t); if (t + 0 > a) last = t }
            END { if (last == "") exit 1; print last }'
}
fired=$(mono_of "Watchdog timeout") || fail "the journal has no watchdog time-out"
mono_of "Failed with result 'watchdog'" >/dev/null || fail "the stopped process's end is not the watchdog's"
ended=$(mono_of "Main process exited") || fail "the journal does not say when the stopped process ended"
delay=$(in_ct cat /run/controllerselect/restart-delay 2>/dev/null || true)
[ "$delay" = 2 ] || fail "the restart-delay step did not count the watchdog's kill as a failure (state: '$delay')"
read -r total waited firedafter < <(awk -v s="$s0" -v f="$fired" -v e="$ended" -v b="$started" \
    'BEGIN {printf "%.1f %.1f %.1f\n", b - s, b - e, f - s}')
within "$firedafter" 14 21 && within "$waited" "$delay" $((delay + 2)) && within "$total" 15 35 ||
    fail "watchdog: fired $firedafter s after SIGSTOP (want about 15 to 20), restarted $waited s after the end (want $delay), $total s in all"
ok "watchdog: SIGSTOP to a new running process in $total s (time-out $firedafter s after SIGSTOP, then the failure's delay: $waited s, $delay s planned)"

# --- stop, reinstall, purge --------------------------------------------------------------------
in_ct systemctl start controllerselect
wait_for 30 running || fail "not running before the stop"
s0=$(date +%s.%N)
in_ct systemctl stop controllerselect
stop=$(since "$s0")
[ "$(show controllerselect ActiveState)" = inactive ] || fail "still $(show controllerselect ActiveState) after stop"
[ "$(show controllerselect Result)" = success ] || fail "stop ended with $(show controllerselect Result)"
ok "systemctl stop: ended in $stop s (time-out $(show controllerselect TimeoutStopUSec))"

in_ct systemctl start controllerselect
wait_for 30 running || fail "not running before the reinstall"
pid=$(show controllerselect MainPID)
# A link the service's user planted in /config, to a file only root may read: the upgrade, as
# root, must neither hand that file over nor stop.
in_ct sh -c 'printf "secret\n" >/etc/cs-secret && chown root:root /etc/cs-secret && chmod 0640 /etc/cs-secret'
in_ct setpriv --reuid=controllerselect --regid=controllerselect --clear-groups \
    ln -s /etc/cs-secret /config/controllerselect.ini.lock || fail "could not plant the link"
secret() { in_ct stat -c '%U:%G %a' /etc/cs-secret; }
target_before=$(secret)
in_ct apt-get -q -y install --reinstall "/mnt/pkg/$(basename "$deb")" >"$work/reinstall.log" 2>&1 ||
    { cat "$work/reinstall.log" >>"$work/apt.log"; fail "reinstall failed (see $work/apt.log)"; }
cat "$work/reinstall.log" >>"$work/apt.log"
reinstalled() { running && [ "$(show controllerselect MainPID)" != "$pid" ]; }
wait_for 30 reinstalled || fail "reinstalling did not restart the running service"
ok "reinstalling restarted the running service"
[ "$(in_ct dpkg-query -W -f='${Status}' controllerselect)" = "install ok installed" ] ||
    fail "the reinstall over a planted link left the package $(in_ct dpkg-query -W -f='${Status}' controllerselect)"
[ "$(secret)" = "$target_before" ] || fail "the upgrade changed the planted link's target: $target_before, now $(secret)"
[ "$(in_ct readlink /config/controllerselect.ini.lock)" = /etc/cs-secret ] || fail "the planted link is gone"
said=$(grep -m1 "controllerselect.ini.lock is a symbolic link" "$work/reinstall.log") ||
    fail "the upgrade did not say that it left the link alone"
ok "upgrade over a link planted as /config/controllerselect.ini.lock: installed, the target still $(secret); it said: ${said#controllerselect: }"

in_ct apt-get -q -y purge controllerselect >>"$work/apt.log" 2>&1 || fail "purge failed"
[ ! -e "$root/usr/lib/systemd/system/controllerselect.service" ] &&
    [ ! -e "$root/lib/systemd/system/controllerselect.service" ] || fail "the unit is still there"
! in_ct getent passwd controllerselect >/dev/null || fail "the user is still there"
[ "$(stat -c %U "$root/config/controllerselect.ini")" = root ] || fail "/config not given back to root"
ok "purge removed the unit and the user"

echo "service test passed in $(($(date +%s) - t0)) s"
