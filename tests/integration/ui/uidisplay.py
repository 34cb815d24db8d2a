"""The real application on the display side of scripts/testnet.sh, with a private /config,
stand-in controllers on the lan side, its own X server and synthetic mouse and keys.

Everything here refuses to run outside a private network and mount namespace made for it."""

import json
import os
import shlex
import shutil
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.environ.get("CS_SOURCE_DIR", os.path.join(HERE, "..", "..", ".."))
BINARY_DIR = os.environ.get("CS_BINARY_DIR", "")
SIM = os.path.join(SOURCE_DIR, "tools", "controller-sim", "controller-sim")
APP = os.path.join(BINARY_DIR, "bin", "controllerselect")
LAN_EXEC = shlex.split(os.environ.get("CS_LAN_EXEC", ""))
LAN_IPS = os.environ.get("CS_LAN_IPS", "").split()
CONFIG = "/config"
LAST_CONTROLLER = os.path.join(CONFIG, "last_selected_controller")
SETTINGS = os.path.join(CONFIG, "controllerselect.ini")
ARTIFACTS = os.environ.get("CS_ARTIFACT_DIR", os.path.join(BINARY_DIR, "artifacts", "ui"))

# Window coordinates of the list page's controls at 1280 x 800 (drawer content inset by three
# content margins): first row, list "Connect", manual address field, swipe strip.
ROW_Y = [275, 325, 375]
LIST_CONNECT = (1198, 719)
MANUAL_FIELD = (1000, 120)
SEARCH_BUTTON = (222, 105, 32, 30)  # inside the search button, around its icon
STRIP = (640, 785)

# Colours that tell the screens apart: the drawer's cover and the list are pure white, the
# stand-in controller's page is #f4f6f8 with its heading in #1d5fa8 at the top left, the list
# page's arrow and logo are #008440.
WHITE = "#ffffff"
PAGE_HEADING = "#1d5fa8"
PRIMARY = "#008440"
BUTTON = "#77b08b"  # an enabled button; a disabled one is light grey
HEADING_BOX = (20, 25, 120, 50)
LOGO_BOX = (25, 25, 170, 40)
# The on-screen keypad of an address field: its digits in the text colour.
KEY_TEXT = "#3e3e3e"
KEYPAD = (0, 420, 1280, 380)


def refusal():
    """Empty when this process may start the application; otherwise why not."""
    links = subprocess.run(["ip", "-o", "link", "show"], capture_output=True, text=True).stdout
    names = sorted(line.split(":")[1].strip().split("@")[0] for line in links.splitlines())
    if names != ["csdisp0", "lo"]:
        return "not inside the private test network (interfaces: %s)" % names
    # Started by `unshare -m`: the parent is still in the mount namespace we must not touch.
    if os.readlink("/proc/self/ns/mnt") == os.readlink("/proc/%d/ns/mnt" % os.getppid()):
        return "not inside a private mount namespace: /config would be the machine's own"
    if not LAN_EXEC or len(LAN_IPS) < 3:
        return "CS_LAN_EXEC / CS_LAN_IPS missing: run through scripts/testnet.sh --lan-hosts 3"
    if not os.access(APP, os.X_OK):
        return "%s is not built" % APP
    return ""


def mount_private_config():
    # Only a mount point on the machine; the tmpfs over it lives in this namespace alone.
    os.makedirs(CONFIG, exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=4m,mode=0755", "cs-test-config", CONFIG],
                   check=True)
    # The X sockets too: no other run's X server can be reached, or reach ours, through them.
    os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m,mode=1777", "cs-test-x11", "/tmp/.X11-unix"],
                   check=True)


def reset_config(last_controller=None, display_timeout=None):
    for name in os.listdir(CONFIG):
        os.remove(os.path.join(CONFIG, name))
    if last_controller is not None:
        with open(LAST_CONTROLLER, "w") as f:
            f.write(last_controller)
    if display_timeout is not None:
        with open(SETTINGS, "w") as f:
            f.write("[General]\nDisplayTimeout=%d\n" % display_timeout)


def read_last_controller():
    try:
        with open(LAST_CONTROLLER) as f:
            return f.read()
    except FileNotFoundError:
        return None


def wait_until(predicate, timeout, step=0.1):
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            return value
        time.sleep(step)


class XServer:
    def __init__(self, workdir):
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            self.display = ":" + f.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class Controllers:
    """The stand-in controllers; one SPEC text per controller (see controller-sim --help)."""

    def __init__(self, workdir, specs, extra=()):
        self.log_path = os.path.join(workdir, "controllers.log")
        ready = os.path.join(workdir, "controllers.ready")
        for path in (self.log_path, ready):
            if os.path.exists(path):
                os.remove(path)
        args = [SIM, "--quiet", "--log", self.log_path, "--ready-file", ready]
        for spec in specs:
            args += ["--controller", spec]
        self.process = subprocess.Popen(LAN_EXEC + args + list(extra))
        if not wait_until(lambda: os.path.exists(ready), 10):
            raise RuntimeError("the stand-in controllers did not start")

    def log(self):
        with open(self.log_path) as f:
            return [json.loads(line) for line in f if line.strip()]

    def events(self, kind):
        return [e for e in self.log() if e["kind"] == kind]

    def discoveries(self):
        return [e for e in self.log() if e["kind"] == "udp-in" and e.get("message") == "discovery"]

    # A search sends its request several times within its first 4 s: one search is the copies
    # that follow its first by less than that (with room for a busy machine).
    def searches(self, span=6.0):
        starts = []
        for e in self.discoveries():
            if not starts or e["time"] - starts[-1] > span:
                starts.append(e["time"])
        return starts

    def http(self, ip, path=None, method=None, port=80):
        dst = "%s:%d" % (ip, port)
        return [e for e in self.log() if e["kind"] == "http" and e["dst"] == dst
                and (path is None or e["path"] == path) and (method is None or e["method"] == method)]

    def page_loads(self, ip, port=80):
        """The web view's requests for the controller's interface."""
        return self.http(ip, "/", "GET", port)

    def checks(self, ip, port=80):
        return self.http(ip, "/tqsettings.json", "HEAD", port)

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class Application:
    def __init__(self, workdir, display, ethernet=True):
        self.workdir = workdir
        self.display = display
        self.network_state = os.path.join(workdir, "network.json")
        if os.path.exists(self.network_state):
            os.remove(self.network_state)
        if not ethernet:
            self.set_ethernet(False)
        env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "QML"))}
        env.update({
            "DISPLAY": display,
            "QT_QPA_PLATFORM": "xcb",
            "QML2_IMPORT_PATH": os.path.join(BINARY_DIR, "qml"),
            "QT_PLUGIN_PATH": os.path.join(BINARY_DIR, "plugins"),
            "QTWEBENGINE_CHROMIUM_FLAGS": "--no-sandbox --disable-gpu",
            "ZEL_NETWORK_STATE": self.network_state,
            "ZEL_NETWORK_DELAY": "200",
            "XDG_CACHE_HOME": os.path.join(workdir, "cache"),
            "XDG_DATA_HOME": os.path.join(workdir, "data"),
            "XDG_RUNTIME_DIR": os.path.join(workdir, "runtime"),
        })
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        self.started = time.time()
        with open(os.path.join(workdir, "app.log"), "a") as log:
            self.log_start = log.tell()
            self.process = subprocess.Popen([APP], env=env, stdout=log, stderr=subprocess.STDOUT)
        try:
            self.window = self._find_window()
        except RuntimeError:
            self.stop()  # the caller never gets this object to stop it
            raise

    def _xdotool(self, *args):
        # xdotool can block for good on a window that goes away mid-query; never let it hang
        # the test, a retry or the next step will tell.
        try:
            return subprocess.run(["xdotool"] + [str(a) for a in args],
                                  env=dict(os.environ, DISPLAY=self.display),
                                  capture_output=True, text=True, timeout=15)
        except subprocess.TimeoutExpired:
            return subprocess.CompletedProcess(args, 1, "", "timed out")

    def _find_window(self):
        def find():
            out = self._xdotool("search", "--onlyvisible", "--name", "controllerselect").stdout.split()
            return out[0] if out else None
        window = wait_until(find, 60, 0.2)
        if not window:
            state = self.process.poll()
            with open(os.path.join(self.workdir, "app.log"), errors="replace") as log:
                log.seek(self.log_start)
                tail = "".join(log.readlines()[-40:])
            raise RuntimeError("no application window after %.1f s (%s); the log ends:\n%s"
                               % (time.time() - self.started,
                                  "running" if state is None else "exit status %d" % state, tail))
        return window

    def set_ethernet(self, up):
        """What pulling or plugging the cable does to the stand-in network manager."""
        state = {}
        if os.path.exists(self.network_state):
            with open(self.network_state) as f:
                state = json.load(f)
        ethernet = state.setdefault("ethernet", {})
        ethernet["carrier"] = up
        if not up:
            ethernet["connected"] = False
            ethernet.setdefault("connectionSettings", {"dhcp": True})
        tmp = self.network_state + ".tmp"
        with open(tmp, "w") as f:
            json.dump(state, f)
        os.replace(tmp, self.network_state)

    def set_link(self, up):
        """Pulls or plugs the cable for real: the display's interface goes down or up (with the
        test network's default route, which a DHCP client would bring back), and the stand-in
        network manager follows."""
        subprocess.run(["ip", "link", "set", "csdisp0", "up" if up else "down"], check=True)
        if up:
            subprocess.run(["ip", "route", "replace", "default", "dev", "csdisp0"], check=True)
        self.set_ethernet(up)

    # The X server hands input to the application in order; a caller that needs what a click or
    # a key brings awaits it on the screen or in the logs.
    def click(self, x, y, button=1):
        self._xdotool("mousemove", "--window", self.window, x, y, "click", button)

    def drag_to(self, start, end, release=True):
        self._xdotool("mousemove", "--window", self.window, *start, "mousedown", 1)
        steps = 10
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self._xdotool("mousemove", "--window", self.window, x, y)
            time.sleep(0.03)
        if release:
            self._xdotool("mouseup", 1)

    def release(self):
        self._xdotool("mouseup", 1)

    def type_text(self, text):
        self._xdotool("type", "--delay", 60, text)

    def key(self, name):
        self._xdotool("key", name)

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name)
        subprocess.run(["import", "-window", "root", path], env=dict(os.environ, DISPLAY=self.display),
                       check=True)
        return path

    def colour_share(self, name, colour, fuzz=1, box=None):
        """Share (0 to 1) of the pixels of a screenshot that are within fuzz per cent of colour;
        box (x, y, width, height) limits the count to that part of the screen."""
        return colour_share(os.path.join(ARTIFACTS, name), colour, fuzz, box)

    def mean_brightness(self):
        """Mean of the screen's pixels, 0 (black) to 1 (white)."""
        path = self.screenshot("_probe.png")
        out = subprocess.run(["convert", path, "-colorspace", "Gray", "-format", "%[fx:mean]", "info:"],
                             capture_output=True, text=True, check=True).stdout
        os.remove(path)
        return float(out)

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(15)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def colour_share(path, colour, fuzz=1, box=None):
    args = ["convert", path]
    if box:
        args += ["-crop", "%dx%d+%d+%d" % (box[2], box[3], box[0], box[1]), "+repage"]
    # Everything else black first, then the colour itself white: the mean is the share.
    args += ["-fuzz", "%g%%" % fuzz, "-fill", "black", "+opaque", colour,
             "-fill", "white", "-opaque", colour, "-colorspace", "Gray", "-format", "%[fx:mean]",
             "info:"]
    return float(subprocess.run(args, capture_output=True, text=True, check=True).stdout)


def make_workdir():
    return tempfile.mkdtemp(prefix="cs-ui-e2e-")


def remove_workdir(path):
    shutil.rmtree(path, ignore_errors=True)
