#!/usr/bin/env python3
"""Checks the stand-in controller from the display side of scripts/testnet.sh: the bytes of every
kind of reply, where replies come from, the HTTP statuses, the log, the flood and the refusals.
Run as: scripts/testnet.sh --lan-hosts 220 -- python3 test_controller_sim.py"""

import http.client
import json
import os
import shlex
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIM = os.path.join(HERE, "..", "..", "..", "tools", "controller-sim", "controller-sim")
LAN_EXEC = shlex.split(os.environ.get("CS_LAN_EXEC", ""))
LAN_IPS = os.environ.get("CS_LAN_IPS", "").split()
BROADCAST = os.environ.get("CS_BROADCAST_IP", "10.77.255.255")
LAN_BASE_IP = os.environ.get("CS_LAN_IP", "10.77.0.2")
PORT = 26487
DISCOVERY = bytes.fromhex("C58259100A0000000000")


def envelope(body, crc=None):
    length = struct.pack("<I", len(body) + 8)
    crc = zlib.crc32(length + body) if crc is None else crc
    return struct.pack("<I", crc) + length + body


def reply(*blocks, msg_type=3):
    return envelope(struct.pack(">H", msg_type) + b"".join(bytes((k, len(v))) + v for k, v in blocks))


def display_socket():
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4 << 20)
    s.bind(("0.0.0.0", PORT))
    return s


def collect(sock, seconds, until=None):
    """(arrival offset, sender, bytes) of every datagram not sent by the display itself."""
    got, start = [], time.monotonic()
    while time.monotonic() - start < seconds and (until is None or len(got) < until):
        sock.settimeout(max(0.001, seconds - (time.monotonic() - start)))
        try:
            data, src = sock.recvfrom(65535)
        except socket.timeout:
            break
        if src[0] != os.environ.get("CS_DISPLAY_IP", "10.77.0.1"):
            got.append((time.monotonic() - start, src, data))
    return got


class Sim:
    """controller-sim running in the lan namespace, stopped on leaving the block."""

    def __init__(self, controllers, *extra):
        self.dir = tempfile.TemporaryDirectory()
        self.config = os.path.join(self.dir.name, "sim.json")
        self.log = os.path.join(self.dir.name, "sim.log")
        self.ready = os.path.join(self.dir.name, "ready")
        with open(self.config, "w") as f:
            json.dump(controllers, f)
        self.args = [*LAN_EXEC, SIM, "--quiet", "--config", self.config, "--log", self.log,
                     "--ready-file", self.ready, *extra]

    def __enter__(self):
        self.proc = subprocess.Popen(self.args)
        deadline = time.monotonic() + 10
        while not os.path.exists(self.ready):
            if self.proc.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError(f"controller-sim did not start ({self.proc.poll()})")
            time.sleep(0.02)
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        self.proc.wait(5)
        self.dir.cleanup()

    def records(self, kind=None):
        with open(self.log) as f:
            recs = [json.loads(line) for line in f if line.endswith("\n")]
        return [r for r in recs if kind is None or r["kind"] == kind]

    def records_until(self, kind, done, timeout=5.0):
        """The records of a kind once done(records) holds, or at the timeout."""
        deadline = time.monotonic() + timeout
        while True:
            recs = self.records(kind)
            if done(recs) or time.monotonic() > deadline:
                return recs
            time.sleep(0.02)


def ip(n):
    return LAN_IPS[n]


class Behaviours(unittest.TestCase):
    # name, controller (ip filled in), expected datagrams: bytes or a check on the list
    CASES = [
        ("plain reply", {"name": "AB", "model": 7, "serial": "S1"},
         [bytes.fromhex("e9202230" "15000000" "0003" "66024142" "060107" "02025331")]),
        ("no model block", {"name": "Kitchen", "serial": "K-9"},
         [reply((102, b"Kitchen"), (2, b"K-9"))]),
        ("no blocks at all", {}, [reply()]),
        ("big model number, UTF-8 name", {"name": "Kühlhaus", "model": 256, "serial": "x"},
         [reply((102, "Kühlhaus".encode()), (6, b"\x01\x00"), (2, b"x"))]),
        ("extra blocks in order, repeats kept",
         {"name": "E", "blocks": [[4, 1024], [2, "first"], [2, "second"], [201, {"hex": "00ff"}]]},
         [reply((102, b"E"), (4, b"\x04\x00"), (2, b"first"), (2, b"second"), (201, b"\x00\xff"))]),
        ("duplicate", {"name": "D", "behaviour": "duplicate"}, [reply((102, b"D"))] * 2),
        ("duplicate three times", {"name": "D3", "behaviour": "duplicate=3"}, [reply((102, b"D3"))] * 3),
        ("corrupt checksum", {"name": "C", "behaviour": "corrupt-crc"}, "corrupt"),
        ("wrong message type", {"name": "W", "behaviour": "wrong-type"},
         [reply((102, b"W"), msg_type=1)]),
        ("silent", {"name": "S", "behaviour": "silent"}, []),
        ("late reply", {"name": "L", "behaviour": ["reply-delay=400"]}, [reply((102, b"L"))]),
        ("silent web server still replies", {"name": "H", "behaviour": "http=silent"},
         [reply((102, b"H"))]),
    ]

    @classmethod
    def setUpClass(cls):
        cls.rows = []
        for n, (label, c, expected) in enumerate(cls.CASES):
            cls.rows.append((label, ip(n), expected))
        cls.sim = Sim([{"ip": ip(n), **c} for n, (_, c, _) in enumerate(cls.CASES)]).__enter__()
        cls.sock = display_socket()

    @classmethod
    def tearDownClass(cls):
        cls.sock.close()
        cls.sim.__exit__()

    def search(self, dst, seconds=0.8):
        self.sock.sendto(DISCOVERY, (dst, PORT))
        got = collect(self.sock, seconds)
        by_ip = {}
        for t, src, data in got:
            self.assertEqual(src[1], PORT, "replies leave from the discovery port")
            by_ip.setdefault(src[0], []).append((t, data))
        return by_ip

    def test_each_behaviour_to_both_broadcasts(self):
        for dst in (BROADCAST, "255.255.255.255"):
            by_ip = self.search(dst)
            self.assertEqual(set(by_ip) - {r[1] for r in self.rows}, set(), "no strangers answer")
            for label, addr, expected in self.rows:
                with self.subTest(label, dst=dst):
                    got = by_ip.get(addr, [])
                    datagrams = [d for _, d in got]
                    if expected == "corrupt":
                        self.assertEqual(len(datagrams), 1)
                        d = datagrams[0]
                        self.assertEqual(struct.unpack_from("<I", d, 4)[0], len(d))
                        self.assertNotEqual(struct.unpack_from("<I", d)[0], zlib.crc32(d[4:]))
                        self.assertEqual(d[8:10], b"\x00\x03")
                    else:
                        self.assertEqual(datagrams, expected)
            delayed = [t for t, _ in by_ip[ip(10)]]
            prompt = [t for a, got in by_ip.items() if a != ip(10) for t, _ in got]
            self.assertGreaterEqual(min(delayed), 0.35)
            self.assertLess(max(prompt), 0.3)

    def test_unicast_reaches_only_its_controller(self):
        for dst, answering in ((ip(0), {ip(0)}), (ip(5), {ip(5)}), (LAN_BASE_IP, set())):
            with self.subTest(dst=dst):
                self.assertEqual(set(self.search(dst, 0.3)), answering)

    def test_log_has_every_datagram(self):
        garbage = DISCOVERY[:-1] + b"\x01"

        def from_first(recs):
            return [r for r in recs if r["src"] == f"{ip(0)}:{PORT}"]
        sent_before = len(from_first(self.sim.records("udp-out")))
        self.sock.sendto(garbage, (BROADCAST, PORT))
        self.sock.sendto(DISCOVERY, (ip(0), PORT))
        got = collect(self.sock, 0.5)
        self.assertEqual([src[0] for _, src, _ in got], [ip(0)], "garbage gets no answer")
        ins = self.sim.records_until("udp-in", lambda recs: any(r["hex"] == garbage.hex() for r in recs))
        self.assertIn({"src": f"10.77.0.1:{PORT}", "dst": f"{BROADCAST}:{PORT}", "hex": garbage.hex(),
                       "message": "invalid"}, [{k: r[k] for k in ("src", "dst", "hex", "message")} for r in ins])
        # A datagram is logged once it has left, so maybe only after it has arrived here.
        outs = from_first(self.sim.records_until("udp-out", lambda recs: len(from_first(recs)) > sent_before))
        self.assertEqual(len(outs), sent_before + 1)
        self.assertEqual(outs[-1]["hex"], got[0][2].hex())
        self.assertEqual(outs[-1]["dst"], f"10.77.0.1:{PORT}")
        self.assertTrue(all(isinstance(r["time"], float) for r in ins + outs))


class Web(unittest.TestCase):
    CASES = [
        ("settings file", "ok", "HEAD", "/tqsettings.json", 200),
        ("settings file by GET", "ok", "GET", "/tqsettings.json", 200),
        ("start page links to a second page", "ok", "GET", "/", 200),
        ("second page links back", "ok", "GET", "/details.html", 200),
        ("unknown path", "ok", "GET", "/nothing-here", 404),
        ("other method", "ok", "POST", "/", 405),
        ("forced 404", "http=404", "HEAD", "/tqsettings.json", 404),
        ("forced 500 on the start page", "http=500", "GET", "/", 500),
        ("refused", "http=refused", "HEAD", "/tqsettings.json", ConnectionRefusedError),
        ("accepted, never answered", "http=silent", "HEAD", "/tqsettings.json", socket.timeout),
        ("late web server, before it is up", "http-start-delay=1.5", "HEAD", "/tqsettings.json",
         ConnectionRefusedError),
    ]
    BODY_HAS = {"/": ['href="/details.html"', "Boiler room"], "/details.html": ['href="/"'],
                "/tqsettings.json": ['"name": "Boiler room"']}

    def request(self, addr, method, path, timeout=1.0):
        c = http.client.HTTPConnection(addr, 80, timeout=timeout)
        try:
            c.request(method, path)
            r = c.getresponse()
            return r.status, r.read().decode()
        finally:
            c.close()

    def test_statuses(self):
        behaviours = sorted({b for _, b, *_ in self.CASES if b != "ok"})
        addr_of = {"ok": ip(0), **{b: ip(n + 1) for n, b in enumerate(behaviours)}}
        controllers = [{"ip": a, "name": "Boiler room", "model": 3, "serial": "SN0001",
                        "behaviour": [] if b == "ok" else [b]} for b, a in addr_of.items()]
        with Sim(controllers) as sim:
            started = time.monotonic()
            for label, b, method, path, expected in self.CASES:
                with self.subTest(label):
                    if isinstance(expected, int):
                        status, body = self.request(addr_of[b], method, path)
                        self.assertEqual(status, expected)
                        if method == "HEAD":
                            self.assertEqual(body, "")
                        elif status == 200:
                            for text in self.BODY_HAS[path]:
                                self.assertIn(text, body)
                    else:
                        with self.assertRaises(expected):
                            self.request(addr_of[b], method, path, timeout=0.7)
            with self.subTest("late web server, once it is up"):
                # The start delay is what is tested: asked again once it has passed.
                time.sleep(max(0.0, started + 2.0 - time.monotonic()))
                self.assertEqual(self.request(addr_of["http-start-delay=1.5"], "HEAD", "/tqsettings.json")[0], 200)
            # Every answer is logged before it is sent; the unanswered request once it is read.
            silent = f"{addr_of['http=silent']}:80"
            logged = [(r["dst"], r["method"], r["path"], r["status"])
                      for r in sim.records_until("http", lambda recs: any(r["dst"] == silent for r in recs))]
            self.assertIn((f"{ip(0)}:80", "HEAD", "/tqsettings.json", 200), logged)
            self.assertIn((silent, "HEAD", "/tqsettings.json", None), logged)
            self.assertFalse([x for x in logged if x[0].startswith(addr_of["http=refused"] + ":")])


class Blink(unittest.TestCase):
    def test_blink_matches_mac(self):
        cases = [("same text", "00:1A:2B:3C:4D:5E", ip(0)), ("other case, no separators", "001a2b3c4d5e", ip(0)),
                 ("other controller", "00:1A:2B:3C:4D:5F", ip(1)), ("unknown", "11:22:33:44:55:66", None)]
        with Sim([{"ip": ip(0), "mac": "00:1A:2B:3C:4D:5E"}, {"ip": ip(1), "mac": "00-1a-2b-3c-4d-5f"}]) as sim, \
                display_socket() as s:
            for _, mac, _ in cases:
                s.sendto(envelope(b"\x00\x05" + mac.encode("latin-1") + b"\x05"), ("255.255.255.255", PORT))
            self.assertEqual(collect(s, 0.3), [], "a blink request gets no answer")
            blinks = {r["mac"]: r for r in sim.records("blink")}
            for label, mac, controller in cases:
                with self.subTest(label):
                    self.assertEqual(blinks.get(mac, {}).get("controller"), controller)
                    if controller:
                        self.assertEqual(blinks[mac]["value"], 5)


class Scale(unittest.TestCase):
    def test_two_hundred_answer_one_broadcast(self):
        ips = LAN_IPS[:200]
        controllers = [{"ip": a, "name": f"Room {n}", "model": 3, "serial": f"SN{n:04d}"} for n, a in enumerate(ips)]
        with Sim(controllers), display_socket() as s:
            s.sendto(DISCOVERY, (BROADCAST, PORT))
            got = collect(s, 3.0, until=200)
            self.assertEqual(sorted(src[0] for _, src, _ in got), sorted(ips))
            self.assertEqual(len({d for _, _, d in got}), 200)
            print(f"\n200 replies within {got[-1][0] * 1000:.1f} ms of the request", file=sys.stderr)

    def test_flood(self):
        ips = LAN_IPS[:5]
        n = 3000
        with Sim([{"ip": a, "name": "F", "model": 3, "serial": "S", "behaviour": "silent"} for a in ips],
                 "--flood", str(n), "--flood-seconds", "1"), display_socket() as s:
            s.sendto(DISCOVERY, (BROADCAST, PORT))
            got = collect(s, 5.0, until=n)
        self.assertEqual(len(got), n)
        self.assertGreater(got[-1][0], 0.8, "spread over the time given")
        self.assertLess(got[-1][0], 3.0)
        self.assertEqual(len({d[8:] for _, _, d in got}), n, "every reply distinct")
        self.assertEqual([src[0] for _, src, _ in got[:10]], ips * 2, "senders taken in turn")
        for _, _, d in got:
            self.assertEqual(struct.unpack_from("<I", d)[0], zlib.crc32(d[4:]))
        self.assertEqual(got[-1][2], reply((102, b"F 3000"), (6, b"\x03"), (2, b"S-03000")))


class Refusals(unittest.TestCase):
    # label, argv, where it runs (lan or display), exit code, text in stderr
    CASES = [
        ("display namespace has a foreign interface", [f"--controller=ip={LAN_BASE_IP}"], "display", 3, "csdisp0"),
        ("address not in this namespace", ["--controller=ip=10.99.0.1"], "lan", 3, "10.99.0.1"),
        ("unknown behaviour", ["--controller=ip=10.77.1.1,behaviour=explode"], "lan", 2, "explode"),
        ("not an address", ["--controller=ip=10.77.1"], "lan", 2, "10.77.1"),
        ("same address twice", ["--controller=ip=10.77.1.1", "--controller=ip=10.77.1.1"], "lan", 2, "share"),
        ("nothing configured", [], "lan", 2, "no controllers"),
        ("block value too long", [f"--controller=ip=10.77.1.1,name={'x' * 256}"], "lan", 2, "255"),
    ]

    def test_refuses_to_start(self):
        for label, argv, where, code, text in self.CASES:
            with self.subTest(label):
                prefix = LAN_EXEC if where == "lan" else []
                r = subprocess.run([*prefix, SIM, *argv], capture_output=True, text=True, timeout=10)
                self.assertEqual(r.returncode, code, r.stderr)
                self.assertIn(text, r.stderr)


if __name__ == "__main__":
    if not LAN_EXEC or len(LAN_IPS) < 200:
        sys.exit("run me inside scripts/testnet.sh --lan-hosts 200 (or more)")
    unittest.main(verbosity=2)
