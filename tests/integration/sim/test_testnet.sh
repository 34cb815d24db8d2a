#!/usr/bin/env bash
# Checks scripts/testnet.sh itself, in both of its modes: the two sides are built as promised,
# nothing but lo and the veth end exists on the display side, the exit code comes through, and
# everything (namespaces, processes left behind) is gone afterwards, also after a SIGTERM.
set -uo pipefail
testnet=$(cd "$(dirname "$0")/../../.." && pwd)/scripts/testnet.sh
failures=0
check() { # label, condition...
    local label=$1
    shift
    if "$@"; then echo "ok   $label"; else echo "FAIL $label"; failures=$((failures + 1)); fi
}

# Gone, or a zombie waiting for an init that does not reap (as in some containers).
gone() { [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

modes=(netns)
[ "$(id -u)" = 0 ] && modes+=(--userns)
for mode in "${modes[@]}"; do
    flag=$([ "$mode" = netns ] || echo "$mode")
    tmp=$(mktemp -d)

    # One run that records what it sees, leaves a process behind in the lan namespace and exits 7.
    # shellcheck disable=SC2016
    $testnet $flag --lan-hosts 251 -- bash -c '
        ip -o link show | awk -F": " "{print \$2}" | sed "s/@.*//" | sort > "$0/display-links"
        ip -o -4 addr show dev csdisp0 | awk "{print \$4}" > "$0/display-addrs"
        $CS_LAN_EXEC ip -o -4 addr show dev cslan0 | awk "{print \$4}" > "$0/lan-addrs"
        env | grep ^CS_ | sort > "$0/env"
        readlink /proc/self/ns/net > "$0/ns"
        $CS_LAN_EXEC sleep 300 & echo $! > "$0/leftover"
        # Left behind only once it runs in the lan namespace: the wrapper has become the sleep.
        for _ in $(seq 250); do [ "$(cat /proc/$!/comm 2>/dev/null)" = sleep ] && break; sleep 0.02; done
        exit 7' "$tmp"
    rc=$?
    check "$mode: exit code of the command" [ "$rc" = 7 ]
    check "$mode: display side has only lo and csdisp0" [ "$(tr '\n' ' ' < "$tmp/display-links")" = "csdisp0 lo " ]
    check "$mode: display address" [ "$(cat "$tmp/display-addrs")" = "10.77.0.1/16" ]
    check "$mode: lan side has its own and 251 more addresses" [ "$(wc -l < "$tmp/lan-addrs")" = 252 ]
    check "$mode: 251st address rolls over to the next /24" grep -qx "10.77.2.1/16" "$tmp/lan-addrs"
    check "$mode: CS_LAN_IPS lists them" grep -q "^CS_LAN_IPS=10.77.1.1 10.77.1.2 .* 10.77.1.250 10.77.2.1$" "$tmp/env"
    check "$mode: display ip in the environment" grep -qx "CS_DISPLAY_IP=10.77.0.1" "$tmp/env"
    check "$mode: command ran in a namespace of its own" [ "$(cat "$tmp/ns")" != "$(readlink /proc/self/ns/net)" ]
    check "$mode: leftover lan process killed" gone "$(cat "$tmp/leftover")"
    if [ "$mode" = netns ]; then
        check "$mode: namespaces removed" bash -c "! ip netns list | grep -q '^cs-.*-'\$(grep -o '[0-9]*$' <<< '$(grep CS_NETNS_LAN "$tmp/env")')"
    fi

    # Other prefix, no extra hosts.
    out=$($testnet $flag --prefix 10.88 --lan-hosts 0 -- sh -c 'echo "$CS_DISPLAY_IP|$CS_LAN_IPS|$CS_BROADCAST_IP"')
    check "$mode: --prefix and --lan-hosts 0" [ "$out" = "10.88.0.1||10.88.255.255" ]

    # A SIGTERM to the script ends the command and still tears down.
    $testnet $flag -- sh -c 'echo "$CS_NETNS_LAN" > "$0/ns-name"; echo $$ > "$0/cmd-pid"; exec sleep 30' "$tmp" &
    pid=$!
    # The command is in its long sleep: the script is waiting on it.
    for _ in $(seq 250); do
        [ -s "$tmp/cmd-pid" ] && [ "$(cat "/proc/$(cat "$tmp/cmd-pid")/comm" 2>/dev/null)" = sleep ] && break
        sleep 0.02
    done
    kill -TERM $pid
    wait $pid
    rc=$?
    check "$mode: SIGTERM gives 143" [ "$rc" = 143 ]
    ns_name=$(cat "$tmp/ns-name" 2>/dev/null)
    if [ -n "$ns_name" ]; then
        check "$mode: namespaces removed after SIGTERM" bash -c "! ip netns list | grep -q '^$ns_name'"
    fi
    rm -rf "$tmp"
done

bad=$($testnet --lan-hosts x -- true 2>&1)
check "bad option refused" [ $? = 2 ]
check "bad option explained" grep -q "lan-hosts" <<< "$bad"

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
