#!/usr/bin/env bash
# Installs what building, running and testing need, and nothing else.
# Idempotent: only missing packages are installed; a second run does nothing.
#
#   scripts/setup.sh             what `make run` and `make test` need
#   scripts/setup.sh --board     and the arm64 cross-build with its emulated tests (`make board`)
#   scripts/setup.sh --package   and the Debian packages and their check (`make package`)
#   scripts/setup.sh --bench     and what the benchmarks compare against (`make bench`)
#   scripts/setup.sh --service-test  and the amd64 package under a real systemd (`make service-test`)
set -euo pipefail

board=0
package=0
bench=0
service_test=0
for arg in "$@"; do
    case "$arg" in
    --board) board=1 ;;
    --package) board=1; package=1 ;;
    --bench) bench=1 ;;
    --service-test) service_test=1 ;;
    *) echo "setup.sh: unknown option '$arg'" >&2; exit 2 ;;
    esac
done

here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    # build
    cmake make g++ pkg-config
    qtbase5-dev qtbase5-private-dev qtdeclarative5-dev qtdeclarative5-dev-tools
    qtwebengine5-dev qtquickcontrols2-5-dev qttools5-dev-tools libgles2-mesa-dev
    # QML modules the UI imports
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
    qml-module-qtquick-templates2 qml-module-qtquick-layouts qml-module-qtquick-dialogs
    qml-module-qtgraphicaleffects qml-module-qtwebengine qml-module-qttest
    libqt5svg5
    # certificates for the web view's HTTPS test server
    openssl
    # fonts bundled into the application
    fonts-lato
    # headless runs, screenshots, private test networks
    xvfb xauth imagemagick iproute2 util-linux python3
    xdotool
    # fuzzing and benchmarks
    clang-14 libclang-rt-14-dev libbenchmark-dev zlib1g-dev
)
# The arm64 build: cross compilers, the arm64 development packages of the Qt modules in use
# (the Qt tools stay the build machine's own) and user-mode emulation for the tests.
board_packages=(
    crossbuild-essential-arm64 qemu-user
    qtbase5-dev:arm64 qtbase5-private-dev:arm64 qtdeclarative5-dev:arm64
    qtwebengine5-dev:arm64 qtquickcontrols2-5-dev:arm64 libgles2-mesa-dev:arm64 zlib1g-dev:arm64
    libbenchmark-dev:arm64
)
if [ "$board" = 1 ]; then
    packages+=("${board_packages[@]}")
fi
if [ "$package" = 1 ]; then
    packages+=(dpkg-dev fakeroot lintian)
fi
if [ "$service_test" = 1 ]; then
    packages+=(dpkg-dev fakeroot debootstrap systemd-container)
fi
if [ "$bench" = 1 ]; then
    packages+=(chromium)
    # The heavy web application of the cold-start benchmark runs on Node.js.
    command -v node >/dev/null 2>&1 || packages+=(nodejs)
fi
# The icon font comes through npm; machines that carry Node.js already have it.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

add_arm64=0
if [ "$board" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx arm64; then
    add_arm64=1
fi

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:"
        [ "$add_arm64" = 1 ] && echo "  dpkg --add-architecture arm64"
        echo "  apt-get update && apt-get install -y ${missing[*]}"
        exit 1
    fi
    if [ "$add_arm64" = 1 ]; then
        echo "Adding the arm64 architecture to dpkg"
        dpkg --add-architecture arm64
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Font Awesome 5 Free (Solid and Regular) from its npm package; the platform stand-in serves it.
fa_dir="$here/.deps/fontawesome"
if [ ! -f "$fa_dir/webfonts/fa-solid-900.ttf" ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    (cd "$tmp" && npm pack --silent @fortawesome/fontawesome-free@5.15.4 >/dev/null)
    mkdir -p "$fa_dir"
    tar -xzf "$tmp"/fortawesome-fontawesome-free-5.15.4.tgz -C "$tmp"
    mkdir -p "$fa_dir/webfonts"
    cp "$tmp/package/webfonts/fa-solid-900.ttf" "$tmp/package/webfonts/fa-regular-400.ttf" "$fa_dir/webfonts/"
    cp "$tmp/package/LICENSE.txt" "$fa_dir/"
fi

# The heavy web application the cold-start benchmark shows: a flow editor from npm (several MB of
# scripts, live updates over a WebSocket). This release parses in the web engine's Chromium 87
# core; the 3.1 releases fetch a diagram renderer that does not parse there.
red_dir="$here/.deps/node-red"
red_version=3.0.2
if [ "$bench" = 1 ] &&
    ! grep -qs "\"version\": \"$red_version\"" "$red_dir/node_modules/node-red/package.json"; then
    rm -rf "$red_dir"
    mkdir -p "$red_dir"
    (cd "$red_dir" && npm install --silent --no-audit --no-fund --omit=dev "node-red@$red_version" >/dev/null)
fi
