#!/usr/bin/env python3
"""Runs a command beside a small HTTP and HTTPS server on loopback.

The HTTPS server uses a self-signed certificate made with openssl for this run only. The
servers' base addresses are given to the command as CS_TEST_HTTP_URL and CS_TEST_HTTPS_URL.
A third server plays a controller's web server that can go away and come back, on the port
given as CS_TEST_CONTROLLER_URL: "/" (title "controller") and "/tqsettings.json".
The command's output is passed through; the run fails when the command fails, when a
--forbid pattern shows up in the output, or when an --expect pattern does not.

Pages:
  /first.html           title "first", a link (id "next") to /second.html?delay=600 that
                        covers 0,0 to 400,200
  /second.html?delay=N  answered after N ms, title "second"
  /console.html?msg=M   writes M to the script console
  /kill-renderer        kills the web engine's render processes under the command (SIGKILL)
  /controller/down      the controller's server stops listening (connections are refused)
  /controller/up        it listens again on the same port
  /controller/status?code=N&path=P  it answers N with an empty body for P ("/" or "all";
                        code 0 closes the connection unanswered; 200 is normal service again)
  /kill-once?key=K      the first request for K kills the render processes and is never
                        answered; later ones get a page titled "survivor"
  /form.html            a text, a password, a number and an inputmode=numeric field, a submit
                        (to /done.html), and a bottom field at the end of a tall page
  /asks.html            title "asks": a grid of 200 x 80 cells (ids and places in ASKS) that
                        raise alert, confirm, prompt, arm a leave-page question, open a new
                        window, log in, download, pick a file or a colour, link to mail and
                        a shell, or raise 50 alerts in a row; a script's answer becomes the
                        title ("confirm:true")
  /login-a.html, /login-b.html  behind HTTP basic authentication, user "admin", password
                        "secret" (realms "Controller A" and "Controller B"); without it a
                        page titled "login required", with it one titled "logged in"
  /popup.html           title "popup": opens a window as it loads, without a tap
  /export.csv           a download (an attachment)
  /nomenu.html, /storm.html, /endless.html, /hang.html?key=K  titled so: cancel the menu and
                        touches; raise an alert every 100 ms ("storm 3"); a picture never ends
                        loading; the first for K loops for ever once shown (later ones: "alive")
  /controller/status?...&body=1  the error status comes with a page (title "booting")
"""
import base64
import argparse
import http.server
import os
import re
import signal
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

CHILD = None
CONTROLLER = {"server": None, "port": 0, "lock": threading.Lock(), "status": (200, "all")}
KILLED = set()
HUNG = set()

FORM = """<form id="login" action="/done.html" style="margin:0">
<input id="text" name="user" style="position:absolute;left:20px;top:20px;width:300px;height:40px">
<input id="password" type="password" name="pw"
 style="position:absolute;left:20px;top:80px;width:300px;height:40px">
<input id="number" type="number" name="n"
 style="position:absolute;left:20px;top:140px;width:300px;height:40px">
<input id="numeric" inputmode="numeric" name="m"
 style="position:absolute;left:20px;top:200px;width:300px;height:40px">
<input id="bottom" name="b" style="position:absolute;left:20px;top:1960px;width:300px;height:40px">
<button id="submit" style="position:absolute;left:20px;top:260px">Log in</button>
</form><a id="away" href="/first.html"
 style="position:absolute;left:400px;top:20px;width:200px;height:100px;display:block">away</a>
<div style="height:2000px"></div>"""


# Cells of /asks.html, four a row: (id, markup inside the cell). A cell's centre is at
# x = 100 + 200 * column, y = 40 + 80 * row.
ASKS = [
    ("alert", '<button onclick="ask(\'alert\', function () { alert(\'Set-point saved\'); return \'done\'; })">'),
    ("confirm", '<button onclick="ask(\'confirm\', function () { return confirm(\'Delete schedule?\'); })">'),
    ("prompt", '<button onclick="ask(\'prompt\', function () { return prompt(\'Name of the zone\', \'Hall\'); })">'),
    ("arm", '<button onclick="window.onbeforeunload = function (e) { e.preventDefault();'
            ' e.returnValue = \'\'; }; document.title = \'armed\'">'),
    ("leave", '<a href="/first.html">'),
    ("blank", '<a href="/second.html?delay=0" target="_blank">'),
    ("open", '<button onclick="window.open(\'/second.html?delay=0\')">'),
    ("login-a", '<a href="/login-a.html">'),
    ("login-b", '<a href="/login-b.html">'),
    ("download", '<a href="/export.csv">'),
    ("file", '<input type="file">'),
    ("colour", '<input type="color">'),
    ("mail", '<a href="mailto:service@controller.invalid">'),
    ("shell", '<a href="ssh://admin@controller.invalid">'),
    ("loop", '<button onclick="ask(\'loop\', function () { for (var i = 1; i <= 50; ++i)'
             ' alert(i); return \'done\'; })">'),
]


def asks_page():
    cells = []
    for i, (name, markup) in enumerate(ASKS):
        tag = re.match(r"<(\w+)", markup).group(1)
        cell = ('%s id="%s" style="position:absolute;left:%dpx;top:%dpx;width:190px;'
                'height:70px;display:block;margin:0;padding:0">%s</%s>'
                % (markup[:-1], name, 5 + 200 * (i % 4), 5 + 80 * (i // 4), name, tag))
        cells.append(cell.replace(">%s</input>" % name, ">"))
    script = ("<script>function ask(name, f) { document.title = 'asking';"
              " document.title = name + ':' + JSON.stringify(f()); }</script>")
    return script + "".join(cells)


def renderer_pids(root_pid):
    """Render processes that descend from root_pid."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                cmdline = f.read().split(b"\0")
        except (OSError, ValueError, IndexError):
            continue
        children.setdefault(ppid, []).append((int(entry), cmdline))
    # Renderers forked by a zygote keep the zygote's command line: they are the zygotes'
    # own children.
    found, todo = [], [(root_pid, False)]
    while todo:
        parent, parent_is_zygote = todo.pop()
        for pid, cmdline in children.get(parent, []):
            is_zygote = b"--type=zygote" in cmdline
            todo.append((pid, is_zygote))
            if b"--type=renderer" in cmdline or (parent_is_zygote and is_zygote):
                found.append(pid)
    return found


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, fmt, *args):
        pass

    def page(self, title, body):
        data = ("<!DOCTYPE html><html><head><title>%s</title></head><body>%s</body></html>"
                % (title, body)).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        url = urllib.parse.urlparse(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/first.html":
            self.page("first", '<a id="next" href="/second.html?delay=600" style="display:block;'
                      'position:absolute;left:0;top:0;width:400px;height:200px">next</a>')
        elif url.path == "/second.html":
            time.sleep(int(query.get("delay", ["0"])[0]) / 1000.0)
            self.page("second", "<p>second page</p>")
        elif url.path == "/console.html":
            msg = query.get("msg", ["hello"])[0]
            self.page("console", "<script>\nconsole.log(%r);\n</script>" % msg)
        elif url.path in ("/controller/down", "/controller/up"):
            controller_listen(url.path.endswith("/up"))
            self.page("controller", "<p>%s</p>" % url.path)
        elif url.path == "/form.html":
            self.page("form", FORM)
        elif url.path == "/asks.html":
            self.page("asks", asks_page())
        elif url.path in ("/login-a.html", "/login-b.html"):
            realm = "Controller " + url.path[7].upper()
            good = "Basic " + base64.b64encode(b"admin:secret").decode()
            if self.headers.get("Authorization") == good:
                self.page("logged in", "<p>%s</p>" % realm)
                return
            data = b"<!DOCTYPE html><html><head><title>login required</title></head></html>"
            self.send_response(401)
            self.send_header("WWW-Authenticate", 'Basic realm="%s"' % realm)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
        elif url.path == "/popup.html":
            self.page("popup", "<script>window.open('/second.html?delay=0');</script>")
        elif url.path == "/export.csv":
            data = b"zone;set-point\nhall;21.5\n"
            self.send_response(200)
            self.send_header("Content-Type", "text/csv")
            self.send_header("Content-Disposition", 'attachment; filename="export.csv"')
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
        elif url.path == "/nomenu.html":
            self.page("nomenu", "<script>['contextmenu', 'touchstart', 'mousedown'].forEach(function (t)"
                      " { document.addEventListener(t, function (e) { e.preventDefault(); },"
                      " { passive: false }); });</script>")
        elif url.path == "/hang.html":
            hung = query["key"][0] in HUNG
            HUNG.add(query["key"][0])
            self.page("alive" if hung else "hang",
                      "" if hung else "<script>setTimeout(function () { for (;;) {} }, 300);</script>")
        elif url.path == "/storm.html":
            self.page("storm", "<script>var n = 0; setInterval(function () {"
                      " document.title = 'storm ' + (++n); alert(n); }, 100);</script>")
        elif url.path == "/endless.html":
            self.page("endless", '<img src="/stream.jpg">')
        elif url.path == "/stream.jpg":  # a camera's picture that never ends
            self.send_response(200)
            self.end_headers()
            try:
                for _ in range(600):
                    self.wfile.write(b"\0")
                    self.wfile.flush()
                    time.sleep(0.2)
            except OSError:  # the page went
                pass
        elif url.path == "/done.html":
            self.page("done", "<p>done</p>")
        elif url.path == "/controller/status":
            CONTROLLER["status"] = (int(query["code"][0]), query.get("path", ["all"])[0])
            CONTROLLER["body"] = query.get("body", ["0"])[0] == "1"
            self.page("controller", "<p>status</p>")
        elif url.path == "/kill-once":
            key = query.get("key", [""])[0]
            if key in KILLED:
                self.page("survivor", "<p>survivor</p>")
                return
            KILLED.add(key)
            for pid in renderer_pids(CHILD.pid) if CHILD else []:
                os.kill(pid, signal.SIGKILL)
            self.close_connection = True
        elif url.path == "/kill-renderer":
            pids = renderer_pids(CHILD.pid) if CHILD else []
            for pid in pids:
                os.kill(pid, signal.SIGKILL)
            self.page("killed", "<p>%d</p>" % len(pids))
        else:
            self.send_error(404)


class ControllerHandler(Handler):
    def do_HEAD(self):
        self.do_GET(body=False)

    def do_GET(self, body=True):
        code, where = CONTROLLER["status"]
        if code != 200 and (where == "all" or where == self.path.split("?")[0]):
            if code == 0:
                # As a server does while it restarts: the connection closes unanswered.
                self.close_connection = True
                return
            data = b"<title>booting</title>" if CONTROLLER.get("body") else b""
            self.send_response(code)
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            if body:
                self.wfile.write(data)
            return
        if self.path.split("?")[0] == "/tqsettings.json":
            data, ctype = b"{}", "application/json"
        elif self.path.split("?")[0] == "/":
            data = (b"<!DOCTYPE html><html><head><title>controller</title></head>"
                    b"<body><h1>controller</h1><script>var n = 0; setInterval(function () "
                    b"{ n += 1; }, 100);</script></body></html>")
            ctype = "text/html; charset=utf-8"
        else:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        if body:
            self.wfile.write(data)


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()


def controller_listen(up):
    with CONTROLLER["lock"]:
        server = CONTROLLER["server"]
        if up and server is None:
            server = http.server.ThreadingHTTPServer(("127.0.0.1", CONTROLLER["port"]),
                                                     ControllerHandler)
            CONTROLLER["port"] = server.server_address[1]
            CONTROLLER["server"] = server
            serve(server)
        elif not up and server is not None:
            server.shutdown()
            server.server_close()
            CONTROLLER["server"] = None


def main():
    global CHILD
    parser = argparse.ArgumentParser()
    parser.add_argument("--forbid", action="append", default=[])
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command

    with tempfile.TemporaryDirectory() as tmp:
        key, cert = os.path.join(tmp, "key.pem"), os.path.join(tmp, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=controller.invalid", "-keyout", key, "-out", cert],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        http_server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        https_server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        https_server.socket = context.wrap_socket(https_server.socket, server_side=True)
        serve(http_server)
        serve(https_server)
        controller_listen(True)

        env = dict(os.environ)
        env["CS_TEST_HTTP_URL"] = "http://127.0.0.1:%d" % http_server.server_address[1]
        env["CS_TEST_HTTPS_URL"] = "https://127.0.0.1:%d" % https_server.server_address[1]
        env["CS_TEST_CONTROLLER_URL"] = "http://127.0.0.1:%d" % CONTROLLER["port"]
        CHILD = subprocess.Popen(command, env=env, stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT)
        output = []
        for line in CHILD.stdout:
            text = line.decode(errors="replace")
            output.append(text)
            sys.stdout.write(text)
            sys.stdout.flush()
        rc = CHILD.wait()
        http_server.shutdown()
        https_server.shutdown()
        controller_listen(False)

    text = "".join(output)
    failed = rc != 0
    for pattern in args.forbid:
        if re.search(pattern, text, re.M):
            print("webserver.py: output must not match %r" % pattern)
            failed = True
    for pattern in args.expect:
        if not re.search(pattern, text, re.M):
            print("webserver.py: output does not match %r" % pattern)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
