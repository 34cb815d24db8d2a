"""Cold start on a real, heavy web application, as after a power cut: the flow editor from npm
(.deps/node-red, see nodered-settings.js: several MB of scripts, live updates over a WebSocket,
many inputs) serves as the stored controller on port 80 of its address, /tqsettings.json included.
Three programs are started in turn, rounds alternating, each round with empty caches (a fresh
tmpfs on /tmp/cache and /tmp/data):

  controllerselect  the application, stored controller = the editor's address
  bare kiosk        one full-screen WebEngineView on the same engine with the application's
                    profile settings, nothing else (kiosk.cpp)
  kiosk + cover     the same with the start-up cover the application must show (the splash
                    image centred on black from the first frame, fading after a second): what
                    the cover alone costs, which is much on a machine drawing without a GPU
  chromium          Chromium in kiosk mode (a fresh --user-data-dir)

Measured: the time from exec to the first request made by the page's scripts (an XMLHttpRequest
or the WebSocket, seen on the server's side), and the summed PSS of the process tree
CS_BENCH_SETTLE seconds later; and the CPU time the process tree had used by the first script
request, steadier than the time on a machine shared with other work. For the two Qt programs, where the time goes: the application's
own trace (main() entered, web engine initialized, window exposed, first frame, main document
created: the start-up decision has set the page's address by then) and the server's view (the
availability check's HEAD, the page's GET /). A script error of the page in a Qt program is
reported with its round.

Environment: CS_BENCH_ONLY (comma-separated names of the programs to run, while tuning one; all
three by default), CS_BENCH_ROUNDS (default 3), CS_BENCH_SETTLE (default 3), CS_BENCH_WATCH (seconds the
application then stays on the editor with its page probes' round trips logged, default 60; 0:
none), CS_BENCH_BACKEND ("gl",
the default: Mesa's software OpenGL as the board's path; or "software": the Qt Quick software
back-end and Chromium's --disable-gpu), CS_BENCH_WRAP (a command put before the two Qt programs, for
profiling them; "{name}" in it is replaced by "controllerselect" or "kiosk":
"perf record -g -o /tmp/perf-{name}.data --"), CS_BENCH_BASELINE (another build of the
application, e.g. of the main branch, run as a fourth program "baseline" in the same rounds, for
a before/after comparison under the same load)."""

import json
import os
import shlex
import shutil
import signal
import statistics
import subprocess
import sys
import time

import bench_coldstart as cs

ROUNDS = int(os.environ.get("CS_BENCH_ROUNDS", "3"))
SETTLE = float(os.environ.get("CS_BENCH_SETTLE", "3"))
WATCH = int(os.environ.get("CS_BENCH_WATCH", "60"))
BACKEND = os.environ.get("CS_BENCH_BACKEND", "gl")
HERE = os.path.dirname(os.path.abspath(__file__))
RED = os.path.join(cs.SOURCE_DIR, ".deps", "node-red", "node_modules", "node-red", "red.js")
KIOSK = os.path.join(cs.BINARY_DIR, "tests", "bench", "coldstart", "bench_kiosk")
SPLASH = os.path.join(cs.SOURCE_DIR, "assets", "splash.bmp")
WORK = os.path.join(cs.BINARY_DIR, "tmp", "bench-heavyapp")
LOG = os.path.join(WORK, "requests.log")
NAMES = ["controllerselect", "bare kiosk", "kiosk + cover", "chromium"]


def refusal():
    why = cs.refusal()
    if why:
        return why
    for path in (RED, KIOSK, shutil.which("node") or "node"):
        if not os.path.exists(path):
            return "%s is missing (build, and run scripts/setup.sh --bench)" % path
    return ""


def start_app(ip):
    ready = os.path.join(WORK, "app.ready")
    env = dict(os.environ, CS_APP_IP=ip, CS_APP_DIR=os.path.join(WORK, "app"), CS_APP_LOG=LOG,
               CS_APP_READY=ready)
    with open(os.path.join(WORK, "app.out"), "w") as out:
        app = subprocess.Popen(cs.LAN_EXEC + ["node", RED, "--settings",
                                              os.path.join(HERE, "nodered-settings.js")],
                               env=env, stdout=out, stderr=subprocess.STDOUT)
    deadline = time.time() + 60
    while not os.path.exists(ready):
        if time.time() > deadline or app.poll() is not None:
            sys.exit("the web application did not start (see %s)" % os.path.join(WORK, "app.out"))
        time.sleep(0.05)
    return app


def requests_since(t0):
    """Times (s since t0) of the first HEAD /tqsettings.json, GET / and script request."""
    seen = {}
    with open(LOG) as f:
        for line in f:
            e = json.loads(line)
            if e["time"] < t0:
                continue
            if e["method"] == "HEAD" and e["path"].startswith("/tqsettings.json"):
                seen.setdefault("check request", e["time"] - t0)
            elif e["method"] == "GET" and e["path"] == "/":
                seen.setdefault("page request", e["time"] - t0)
            elif e["script"]:
                seen.setdefault("script request", e["time"] - t0)
    return seen


def trace(path, t0):
    """The program's own start-up trace: 'startup: <what> <epoch ms>' lines, as s since t0."""
    marks = {}
    with open(path, errors="replace") as f:
        for line in f:
            parts = line.split("startup: ", 1)
            if len(parts) == 2:
                what, _, ms = parts[1].strip().rpartition(" ")
                try:
                    marks.setdefault(what, float(ms) / 1000 - t0)
                except ValueError:
                    pass
    return marks


def cpu_ms(pids):
    """CPU time (user and system) the processes used so far."""
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except (OSError, IndexError, ValueError):
            pass
    return total * 1000 / os.sysconf("SC_CLK_TCK")


def wrap(name):
    return shlex.split(os.environ.get("CS_BENCH_WRAP", "").replace("{name}", name))


def stop(proc):
    os.killpg(proc.pid, signal.SIGTERM)
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
    try:
        os.killpg(proc.pid, signal.SIGKILL)  # helpers that outlived their parent
    except ProcessLookupError:
        pass


def launch(name, argv, env):
    """Starts a program as after a power cut (empty caches), its output into WORK/<name>.log;
    also returns when it was started."""
    cs.fresh_caches()
    os.makedirs(cs.HOME)
    out_path = os.path.join(WORK, name.replace(" ", "-") + ".log")
    t0 = time.time()
    with open(out_path, "w") as out:
        proc = subprocess.Popen(argv, env=env, start_new_session=True, stdout=out, stderr=out)
    return proc, out_path, t0


def one_round(name, argv, env):
    proc, out_path, t0 = launch(name, argv, env)
    seen = {}
    while "script request" not in seen and time.time() < t0 + 30 and proc.poll() is None:
        time.sleep(0.005)
        seen = requests_since(t0)
    cpu = cpu_ms(cs.tree(proc.pid))
    if "script request" not in seen:
        stop(proc)
        sys.exit("%s: no request from the page's scripts within 30 s (exit code %s, see %s)"
                 % (name, proc.returncode, out_path))
    time.sleep(SETTLE)
    pss = cs.pss_kib(cs.tree(proc.pid))
    stop(proc)
    marks = dict(trace(out_path, t0), **seen)
    with open(out_path, errors="replace") as f:
        errors = sum(1 for line in f if line.startswith("js: Uncaught"))
    if errors:
        print("  %s: %d script errors of the page (see %s)" % (name, errors, out_path))
    return {"ms": seen["script request"] * 1000, "pss": pss / 1024, "cpu": cpu,
            "marks": {k: v * 1000 for k, v in marks.items()}}


def liveness(argv, env):
    """The application on the editor for WATCH s from a cold start, with each of its page probes'
    round trips logged: how far the live, heavy page stays from the bound at which it would be
    taken for hung, and whether it ever was."""
    rules = env.get("QT_LOGGING_RULES", "") + ";page.probe.debug=true"
    proc, out_path, _ = launch("liveness", argv, dict(env, QT_LOGGING_RULES=rules.strip(";")))
    time.sleep(WATCH)  # what is measured: the page over this long
    stop(proc)
    trips, hung = [], 0
    with open(out_path, errors="replace") as f:
        for line in f:
            if "page answered in " in line:
                trips.append(int(line.rsplit("page answered in ", 1)[1].split()[0]))
            elif "The page has not answered for" in line:
                hung += 1
    if not trips:
        print("liveness: no probe answered in %d s (see %s)" % (WATCH, out_path))
        return
    print("liveness on the flow editor, %d s from a cold start: %d probes, round trip median %d ms,"
          " longest %d ms (taken for hung at 15000 ms); taken for hung %d times"
          % (WATCH, len(trips), statistics.median(trips), max(trips), hung), flush=True)


def main():
    why = refusal()
    if why:
        sys.exit("bench_heavyapp: " + why)
    subprocess.run(["rm", "-rf", WORK], check=True)
    os.makedirs(WORK)
    cs.mount_tmpfs("/tmp", "1g")
    os.makedirs("/tmp/.X11-unix", mode=0o1777)
    os.chmod("/tmp/.X11-unix", 0o1777)
    cs.mount_tmpfs("/config", "4m")
    ip = cs.LAN_IPS[0]
    with open("/config/last_selected_controller", "w") as f:
        f.write(ip)

    xvfb, display = cs.start_xvfb()
    app = start_app(ip)
    base = dict(os.environ, DISPLAY=display, HOME=cs.HOME)
    for var in ("XDG_CACHE_HOME", "XDG_DATA_HOME", "QT_QPA_OFFSCREEN_NO_GLX", "QT_QUICK_BACKEND"):
        base.pop(var, None)
    chromium_env = dict(base, XDG_CACHE_HOME="/tmp/cache", XDG_CONFIG_HOME="/tmp/data/config")
    # The two Qt programs run alike: the application's own defaults where it sets them itself.
    qt_env = dict(base, QT_QPA_PLATFORM="xcb", XDG_CACHE_HOME="/tmp/cache",
                  XDG_DATA_HOME="/tmp/data", QSG_RENDER_LOOP="basic",
                  QT_LOGGING_RULES="startup.info=true",
                  QTWEBENGINE_CHROMIUM_FLAGS=" ".join(
                      cs.ENGINE_FLAGS + ["--disable-gpu", "--touch-events=enabled"]))
    chromium = ["chromium", "--kiosk", "--no-first-run",
                "--user-data-dir=/tmp/data/chromium"] + cs.ENGINE_FLAGS
    if BACKEND == "software":
        qt_env["QT_QUICK_BACKEND"] = "software"
        chromium.append("--disable-gpu")
    page = "http://%s/" % ip
    ours_env = dict(qt_env, ZEL_NETWORK_STATE=os.path.join(WORK, "network.json"))
    configs = [
        ("controllerselect", wrap("controllerselect") + [cs.APP], ours_env),
        ("baseline", [os.environ.get("CS_BENCH_BASELINE", "")], ours_env),
        ("bare kiosk", wrap("kiosk") + [KIOSK, page], qt_env),
        ("kiosk + cover", wrap("kiosk") + [KIOSK, page, SPLASH], qt_env),
        ("chromium", chromium + [page], chromium_env),
    ]
    only = [n for n in os.environ.get("CS_BENCH_ONLY", "").split(",") if n]
    configs = [c for c in configs if (not only or c[0] in only) and c[1][-1]]
    runs = {name: [] for name, _, _ in configs}
    try:
        for n in range(ROUNDS):
            for name, argv, env in configs:
                r = one_round(name, argv, env)
                runs[name].append(r)
                print("round %d %-17s first script request %6.0f ms  CPU %6.0f ms  PSS %5.0f MiB  (%s)"
                      % (n + 1, name, r["ms"], r["cpu"], r["pss"], ", ".join(
                          "%s %.0f" % (k, v) for k, v in sorted(r["marks"].items(),
                                                                key=lambda kv: kv[1]))),
                      flush=True)
        if "controllerselect" in runs and WATCH > 0:
            liveness(configs[0][1], configs[0][2])
    finally:
        stop_plain(app)
        stop_plain(xvfb)

    med = {name: [statistics.median(r[k] for r in rs) for k in ("ms", "pss", "cpu")]
           for name, rs in runs.items()}
    if any(n not in med for n in NAMES):
        return
    names = NAMES + (["baseline"] if "baseline" in med else [])
    print()
    print("cold start on the flow editor (%s drawing), medians of %d rounds:" % (BACKEND, ROUNDS))
    print("  %-36s" % "" + "".join("%17s" % n for n in names))
    for label, i, unit in (("exec to the first script request", 0, "ms"), ("PSS", 1, "MiB"),
                           ("CPU time until then (all processes)", 2, "ms")):
        print("  %-36s" % label + "".join("%13.0f %-3s" % (med[n][i], unit) for n in names))
    ours, bare, chromium_ = med["controllerselect"], med["bare kiosk"], med["chromium"]
    print("  controllerselect: time x%.2f of the bare kiosk (goal <= x1.05), x%.2f of the kiosk with"
          " the cover; PSS x%.2f of chromium (goal <= x0.80)"
          % (ours[0] / bare[0], ours[0] / med["kiosk + cover"][0], ours[1] / chromium_[1]))
    print()
    print("where the time goes (medians, ms after exec):")
    for name in [n for n in names if n != "chromium"]:
        keys = {k for r in runs[name] for k in r["marks"]}
        rows = [(statistics.median(r["marks"][k] for r in runs[name] if k in r["marks"]), k)
                for k in keys]
        print("  %s: %s" % (name, ", ".join("%s %.0f" % (k, t) for t, k in sorted(rows))))


def stop_plain(proc):
    proc.terminate()
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


if __name__ == "__main__":
    main()
