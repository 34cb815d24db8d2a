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
                        code 200 is normal service again)
  /kill-once?key=K      the first request for K kills the render processes and is never
                        answered; later ones get a page titled "survivor"
  /form.html            a text, a password, a number and an inputmode=numeric field, a submit
                        (to /done.html), and a bottom field at the end of a tall page
"""
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
        elif url.path == "/done.html":
            self.page("done", "<p>done</p>")
        elif url.path == "/controller/status":
            CONTROLLER["status"] = (int(query["code"][0]), query.get("path", ["all"])[0])
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
            self.send_response(code)
            self.send_header("Content-Length", "0")
            self.end_headers()
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
