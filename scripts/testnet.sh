#!/usr/bin/env bash
# Builds a throw-away private network, runs one command on its "display" side and tears the
# network down again, whatever way the command ends. Nothing run here can reach the machine's
# real interfaces: the display namespace holds only lo and csdisp0, the lan namespace only lo
# and cslan0, joined to each other by one veth pair.
#
#   display namespace                      lan namespace
#   csdisp0 <PREFIX>.0.1/16  <---veth--->  cslan0 <PREFIX>.0.2/16
#                                                 + <PREFIX>.1.1, <PREFIX>.1.2, ... (controllers)
#
# As root this uses `ip netns` (named namespaces cs-disp-<pid>, cs-lan-<pid>); otherwise, or with
# --userns, an unprivileged user namespace made with `unshare -rn`.
set -euo pipefail

usage() {
    cat <<EOF
Usage: $(basename "$0") [--lan-hosts N] [--prefix A.B] [--userns] -- <command> [args...]

Runs <command> inside the display side of a private network and returns its exit code.

Options:
  --lan-hosts N   extra addresses on the lan side for simulated controllers (default 3,
                  at most 10000): A.B.1.1 ... A.B.1.250, then A.B.2.1 and so on
  --prefix A.B    first two octets of the network (default 10.77); the network is A.B.0.0/16
  --userns        use an unprivileged user namespace (unshare -rn) even when run as root
  -h, --help      this text

Environment given to <command>:
  CS_LAN_EXEC       command prefix that runs a program inside the lan namespace
  CS_DISPLAY_IP     A.B.0.1            CS_DISPLAY_IF   csdisp0
  CS_LAN_IP         A.B.0.2            CS_LAN_IF       cslan0
  CS_LAN_IPS        the N controller addresses, space-separated
  CS_BROADCAST_IP   A.B.255.255
  CS_NETNS_DISPLAY, CS_NETNS_LAN   namespace names (ip netns mode only)
  CS_LAN_PID        pid holding the lan namespace (user namespace mode only)

Example:
  $(basename "$0") --lan-hosts 2 -- sh -c '\$CS_LAN_EXEC ip -br addr; ip -br addr'
EOF
}

die() {
    echo "testnet.sh: $*" >&2
    exit 2
}

lan_hosts=3
prefix=10.77
force_userns=0
inside_userns=0
while [ $# -gt 0 ]; do
    case "$1" in
    --lan-hosts) lan_hosts=${2-}; shift 2 || die "--lan-hosts needs a number" ;;
    --lan-hosts=*) lan_hosts=${1#*=}; shift ;;
    --prefix) prefix=${2-}; shift 2 || die "--prefix needs A.B" ;;
    --prefix=*) prefix=${1#*=}; shift ;;
    --userns) force_userns=1; shift ;;
    --inside-userns) inside_userns=1; shift ;; # internal: second stage inside unshare -rn
    -h | --help) usage; exit 0 ;;
    --) shift; break ;;
    *) usage >&2; die "unexpected argument '$1' (put the command after --)" ;;
    esac
done
[ $# -gt 0 ] || { usage >&2; die "no command given"; }
[[ "$lan_hosts" =~ ^[0-9]+$ ]] && [ "$lan_hosts" -le 10000 ] || die "--lan-hosts must be 0..10000"
[[ "$prefix" =~ ^([0-9]{1,3})\.([0-9]{1,3})$ ]] && [ "${BASH_REMATCH[1]}" -le 255 ] &&
    [ "${BASH_REMATCH[2]}" -le 255 ] || die "--prefix must look like 10.77"

display_ip=$prefix.0.1
lan_ip=$prefix.0.2
lan_ips=()
for ((i = 0; i < lan_hosts; i++)); do
    lan_ips+=("$prefix.$((1 + i / 250)).$((1 + i % 250))")
done

# Addresses and routes of the lan side as one `ip -batch` script: hundreds of addresses in one go.
lan_batch() {
    echo "link set lo up"
    echo "addr add $lan_ip/16 dev cslan0"
    for ip in "${lan_ips[@]}"; do
        echo "addr add $ip/16 dev cslan0"
    done
    echo "link set cslan0 up"
    # Limited broadcasts and replies to extra display subnets leave through the veth, never elsewhere.
    echo "route add default dev cslan0"
}

display_batch() {
    echo "link set lo up"
    echo "addr add $display_ip/16 dev csdisp0"
    echo "link set csdisp0 up"
    # Without a route, a datagram to 255.255.255.255 fails with "network unreachable".
    echo "route add default dev csdisp0"
}

export_common() {
    export CS_DISPLAY_IP=$display_ip CS_DISPLAY_IF=csdisp0
    export CS_LAN_IP=$lan_ip CS_LAN_IF=cslan0
    export CS_LAN_IPS="${lan_ips[*]}"
    export CS_BROADCAST_IP=$prefix.255.255
}

# Waits for the command, forwarding a termination request to it; returns its exit code.
child=
run_command() {
    "$@" &
    child=$!
    local rc=0
    wait "$child" || rc=$?
    # A signal interrupts `wait`; wait again for the real end of the command.
    while kill -0 "$child" 2>/dev/null; do
        wait "$child" || rc=$?
    done
    child=
    return "$rc"
}

on_signal() {
    trap '' INT TERM HUP
    [ -n "$child" ] && kill -TERM "$child" 2>/dev/null
    exit "$1"
}

# Kills what is left in a namespace (given by its inode as in /proc/<pid>/ns/net), but never
# this script or its parents.
kill_in_netns() {
    local ns=$1 pids=() p
    for p in /proc/[0-9]*; do
        p=${p#/proc/}
        [ "$p" = "$$" ] && continue
        [ "$(readlink "/proc/$p/ns/net" 2>/dev/null)" = "$ns" ] && pids+=("$p")
    done
    [ ${#pids[@]} -gt 0 ] || return 0
    kill -TERM "${pids[@]}" 2>/dev/null || true
    local alive
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        alive=()
        # A zombie counts as gone: some containers' init never reaps it.
        for p in "${pids[@]}"; do
            [ "$(awk '{print $3}' "/proc/$p/stat" 2>/dev/null || echo Z)" = Z ] || alive+=("$p")
        done
        [ ${#alive[@]} -gt 0 ] || return 0
        sleep 0.05
    done
    kill -KILL "${alive[@]}" 2>/dev/null || true
}

# --- ip netns mode (root) ---------------------------------------------------------------------

netns_disp=
netns_lan=
netns_cleanup() {
    local ns
    for ns in "$netns_lan" "$netns_disp"; do
        [ -n "$ns" ] && [ -e "/run/netns/$ns" ] || continue
        kill_in_netns "$(ip netns exec "$ns" readlink /proc/self/ns/net 2>/dev/null)"
        ip netns del "$ns" 2>/dev/null || true
    done
}

# Namespaces left behind by a run that was killed outright (its pid is gone).
netns_remove_stale() {
    local ns pid
    for ns in $(ip netns list 2>/dev/null | awk '{print $1}'); do
        [[ "$ns" =~ ^cs-(disp|lan)-([0-9]+)$ ]] || continue
        pid=${BASH_REMATCH[2]}
        kill -0 "$pid" 2>/dev/null && continue
        kill_in_netns "$(ip netns exec "$ns" readlink /proc/self/ns/net 2>/dev/null)"
        ip netns del "$ns" 2>/dev/null || true
    done
}

run_netns() {
    netns_remove_stale
    netns_disp=cs-disp-$$
    netns_lan=cs-lan-$$
    trap netns_cleanup EXIT
    trap 'on_signal 130' INT
    trap 'on_signal 143' TERM
    trap 'on_signal 129' HUP
    ip netns add "$netns_disp"
    ip netns add "$netns_lan"
    # Created inside the display namespace with its peer placed straight into the lan namespace,
    # so neither end ever exists beside the machine's own interfaces.
    ip -n "$netns_disp" link add csdisp0 type veth peer name cslan0 netns "$netns_lan"
    lan_batch | ip -n "$netns_lan" -batch -
    display_batch | ip -n "$netns_disp" -batch -
    export_common
    export CS_NETNS_DISPLAY=$netns_disp CS_NETNS_LAN=$netns_lan
    export CS_LAN_EXEC="ip netns exec $netns_lan"
    local rc=0
    run_command ip netns exec "$netns_disp" "$@" || rc=$?
    return "$rc"
}

# --- user namespace mode (no root needed) -------------------------------------------------------

lan_holder=
userns_cleanup() {
    [ -n "$lan_holder" ] || return 0
    local ns
    ns=$(readlink "/proc/$lan_holder/ns/net" 2>/dev/null) && kill_in_netns "$ns"
    # Whatever the command left running on the display side (this script excepted).
    kill_in_netns "$(readlink /proc/self/ns/net)"
}

run_userns_inside() {
    trap userns_cleanup EXIT
    trap 'on_signal 130' INT
    trap 'on_signal 143' TERM
    trap 'on_signal 129' HUP
    # A sleeping process holds the lan namespace; the script itself is the display side.
    unshare -n sleep infinity &
    lan_holder=$!
    local mine
    mine=$(readlink /proc/self/ns/net)
    for _ in $(seq 100); do
        [ "$(readlink "/proc/$lan_holder/ns/net" 2>/dev/null)" != "$mine" ] && break
        sleep 0.01
    done
    [ "$(readlink "/proc/$lan_holder/ns/net" 2>/dev/null)" != "$mine" ] ||
        die "could not create the lan namespace"
    ip link add csdisp0 type veth peer name cslan0 netns "$lan_holder"
    lan_batch | nsenter -t "$lan_holder" -n ip -batch -
    display_batch | ip -batch -
    export_common
    unset CS_NETNS_DISPLAY CS_NETNS_LAN
    export CS_LAN_PID=$lan_holder
    export CS_LAN_EXEC="nsenter -t $lan_holder -n"
    local rc=0
    run_command "$@" || rc=$?
    return "$rc"
}

if [ "$inside_userns" = 1 ]; then
    run_userns_inside "$@"
elif [ "$(id -u)" = 0 ] && [ "$force_userns" = 0 ]; then
    command -v ip >/dev/null || die "iproute2 (ip) is needed"
    run_netns "$@"
else
    command -v unshare >/dev/null || die "util-linux (unshare) is needed"
    # exec: the namespaces die with this process tree, nothing is left to tear down outside.
    exec unshare -rn -- bash "$0" --inside-userns --lan-hosts "$lan_hosts" --prefix "$prefix" -- "$@"
fi
