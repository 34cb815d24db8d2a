"""Cold start, as after a power cut: the time from exec to the stored controller's page request,
seen on the controller's side, with empty caches (a fresh tmpfs on /tmp/cache and /tmp/data each
round), and the summed PSS of the process tree once the page shows. The same page is asked of
Chromium in kiosk mode (a fresh --user-data-dir each round) in the same run, rounds alternating.

Both are measured twice under Xvfb: drawing with OpenGL (here Mesa's software GL; the board's path,
where the first frames pay for compiling shaders) and drawing in software (the Qt Quick software
back-end, and Chromium with --disable-gpu). The web engine itself draws in software throughout.

Run by CTest through scripts/testnet.sh and `unshare -m`: it refuses to start outside a private
network and mount namespace, so nothing reaches the machine's network, /config, /tmp or home.

Environment: CS_BENCH_ROUNDS (default 5), CS_BENCH_SETTLE (seconds between the page request
and the memory reading, default 3)."""

import json
import os
import shlex
import shutil
import signal
import statistics
import subprocess
import sys
import time

SOURCE_DIR = os.environ["CS_SOURCE_DIR"]
BINARY_DIR = os.environ["CS_BINARY_DIR"]
APP = os.path.join(BINARY_DIR, "bin", "controllerselect")
SIM = os.path.join(SOURCE_DIR, "tools", "controller-sim", "controller-sim")
LAN_EXEC = shlex.split(os.environ.get("CS_LAN_EXEC", ""))
LAN_IPS = os.environ.get("CS_LAN_IPS", "").split()
ROUNDS = int(os.environ.get("CS_BENCH_ROUNDS", "5"))
SETTLE = float(os.environ.get("CS_BENCH_SETTLE", "3"))
WORK = os.path.join(BINARY_DIR, "tmp", "bench-coldstart")
LOG = os.path.join(WORK, "controllers.log")
# Where the application keeps the web engine's and the UI engine's caches on the board.
CACHES = ["/tmp/cache", "/tmp/data"]
# Root needs --no-sandbox.
ENGINE_FLAGS = ["--no-sandbox"]
HOME = "/tmp/data/home"


def refusal():
    links = subprocess.run(["ip", "-o", "link", "show"], capture_output=True, text=True).stdout
    names = sorted(line.split(":")[1].strip().split("@")[0] for line in links.splitlines())
    if names != ["csdisp0", "lo"]:
        return "not inside the private test network (interfaces: %s)" % names
    if os.readlink("/proc/self/ns/mnt") == os.readlink("/proc/%d/ns/mnt" % os.getppid()):
        return "not inside a private mount namespace"
    if not LAN_EXEC or not LAN_IPS:
        return "CS_LAN_EXEC / CS_LAN_IPS missing: run through scripts/testnet.sh"
    for path in (APP, shutil.which("chromium") or "chromium", shutil.which("Xvfb") or "Xvfb"):
        if not os.access(path, os.X_OK):
            return "%s is missing (build, and run scripts/setup.sh --bench)" % path
    return ""


def mount_tmpfs(path, size):
    os.makedirs(path, exist_ok=True)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%s,mode=0755" % size, "cs-bench", path],
                   check=True)


def fresh_caches():
    for path in CACHES:
        subprocess.run(["umount", path], stderr=subprocess.DEVNULL)
        mount_tmpfs(path, "512m")


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,),
                            stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return xvfb, ":" + number


def start_controller(ip):
    ready = os.path.join(WORK, "controllers.ready")
    sim = subprocess.Popen(LAN_EXEC + [sys.executable, SIM, "--quiet", "--log", LOG,
                                       "--ready-file", ready,
                                       "--controller", "ip=%s,name=Boiler room,model=3" % ip])
    deadline = time.time() + 10
    while not os.path.exists(ready):
        if time.time() > deadline or sim.poll() is not None:
            sys.exit("the stand-in controller did not start")
        time.sleep(0.05)
    return sim


def requests_since(t0):
    """(HEAD time, GET / time) of the display's first requests after t0, None when not yet."""
    head = get = None
    with open(LOG) as f:
        for line in f:
            entry = json.loads(line)
            if entry.get("kind") != "http" or entry["time"] < t0:
                continue
            if head is None and entry["method"] == "HEAD":
                head = entry["time"]
            if get is None and entry["method"] == "GET" and entry["path"] == "/":
                get = entry["time"]
    return head, get


def tree(root):
    """The pids of root and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(ppid, []).append(int(entry))
    pids, todo = [], [root]
    while todo:
        pid = todo.pop()
        pids.append(pid)
        todo.extend(children.get(pid, []))
    return pids


def pss_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def one_round(name, argv, env):
    fresh_caches()
    os.makedirs(HOME)
    t0 = time.time()
    with open(os.path.join(WORK, name + ".log"), "w") as out:
        proc = subprocess.Popen(argv, env=env, start_new_session=True, stdout=out, stderr=out)
    head = get = None
    deadline = t0 + 30
    while get is None and time.time() < deadline and proc.poll() is None:
        time.sleep(0.01)
        head, get = requests_since(t0)
    if get is None:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        sys.exit("%s: no page request within 30 s (exit code %s)" % (name, proc.returncode))
    time.sleep(SETTLE)
    pss = pss_kib(tree(proc.pid))
    os.killpg(proc.pid, signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
    # Helper processes that outlived their parent still belong to the session.
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    return {"page_ms": (get - t0) * 1000, "head_ms": (head - t0) * 1000 if head else None,
            "pss_mib": pss / 1024}


def main():
    why = refusal()
    if why:
        sys.exit("bench_coldstart: " + why)
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    # /tmp of this namespace alone: its X sockets and the caches below.
    mount_tmpfs("/tmp", "1g")
    os.makedirs("/tmp/.X11-unix", mode=0o1777)
    os.chmod("/tmp/.X11-unix", 0o1777)
    mount_tmpfs("/config", "4m")
    ip = LAN_IPS[0]
    with open("/config/last_selected_controller", "w") as f:
        f.write(ip)

    xvfb, display = start_xvfb()
    sim = start_controller(ip)
    base = dict(os.environ, DISPLAY=display, HOME=HOME)
    for var in ("XDG_CACHE_HOME", "XDG_DATA_HOME", "QT_QPA_OFFSCREEN_NO_GLX", "QT_QUICK_BACKEND"):
        base.pop(var, None)
    # The application puts its caches under /tmp itself; Chromium is told to.
    chromium_env = dict(base, XDG_CACHE_HOME="/tmp/cache", XDG_CONFIG_HOME="/tmp/data/config")
    ours_env = dict(base, QT_QPA_PLATFORM="xcb",
                    ZEL_NETWORK_STATE=os.path.join(WORK, "network.json"),
                    QTWEBENGINE_CHROMIUM_FLAGS=" ".join(
                        ENGINE_FLAGS + ["--disable-gpu", "--touch-events=enabled"]))
    chromium = ["chromium", "--kiosk", "--no-first-run",
                "--user-data-dir=/tmp/data/chromium"] + ENGINE_FLAGS
    page = "http://%s/" % ip
    configs = [
        ("controllerselect GL", [APP], ours_env),
        ("chromium GL", chromium + [page], chromium_env),
        ("controllerselect software", [APP], dict(ours_env, QT_QUICK_BACKEND="software")),
        ("chromium software", chromium + ["--disable-gpu", page], chromium_env),
    ]
    runs = {name: [] for name, _, _ in configs}
    try:
        for n in range(ROUNDS):
            for name, argv, env in configs:
                r = one_round(name, argv, env)
                runs[name].append(r)
                print("round %d %-26s page request %6.0f ms  (availability check %s)  PSS %5.0f MiB"
                      % (n + 1, name, r["page_ms"],
                         "%.0f ms" % r["head_ms"] if r["head_ms"] is not None else "none",
                         r["pss_mib"]), flush=True)
    finally:
        sim.terminate()
        xvfb.terminate()
        sim.wait()
        xvfb.wait()

    med = {name: {k: statistics.median(r[k] for r in rs) for k in ("page_ms", "pss_mib")}
           for name, rs in runs.items()}
    print()
    print("cold start, medians of %d rounds (exec to the page request at the controller):" % ROUNDS)
    for name in runs:
        print("  %-26s %6.0f ms   PSS %5.0f MiB" % (name, med[name]["page_ms"], med[name]["pss_mib"]))
    for mode in ("GL", "software"):
        heads = [r["head_ms"] for r in runs["controllerselect " + mode] if r["head_ms"] is not None]
        if heads:
            print("  controllerselect %s: availability check after %.0f ms" % (mode, statistics.median(heads)))
    for mode in ("GL", "software"):
        ours, theirs = med["controllerselect " + mode], med["chromium " + mode]
        print("  %-8s controllerselect / chromium: time x%.2f, PSS x%.2f"
              % (mode, ours["page_ms"] / theirs["page_ms"], ours["pss_mib"] / theirs["pss_mib"]))


if __name__ == "__main__":
    main()
