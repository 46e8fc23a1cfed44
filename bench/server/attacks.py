#!/usr/bin/env python3
"""Re-runs the attacks of the server's hardening against a kelda-middleware on loopback and
prints one figure per attack. Every request loop is bounded in count and time.

    bench/server/attacks.py BUILD_DIR [--products N]
"""
import http.client
import json
import os
import re
import socket
import sqlite3
import stat
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

LOGIN = "loginUserName=demo%40kelda.test&loginPassword=kelda123"


class Server:
    def __init__(self, binary, products):
        self.dir = tempfile.mkdtemp(prefix="kelda-attacks-")
        self.data = os.path.join(self.dir, "data")
        self.record = os.path.join(self.dir, "record.jsonl")
        self.proc = subprocess.Popen(
            [binary, "--port", "0", "--data", self.data, "--products", str(products),
             "--record", self.record, "--log-level", "error"],
            stdout=subprocess.PIPE, text=True)
        line = self.proc.stdout.readline()
        self.port = int(re.search(r":(\d+)$", line.strip()).group(1))
        self.db = os.path.join(self.data, "kelda-middleware.sqlite")

    def rss_mb(self, key="VmRSS"):
        with open(f"/proc/{self.proc.pid}/status") as f:
            for line in f:
                if line.startswith(key):
                    return int(line.split()[1]) / 1024
        return -1

    def request(self, method, path, body="", headers=None, timeout=30):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        h = {"Content-Type": "application/x-www-form-urlencoded"}
        h.update(headers or {})
        conn.request(method, path, body=body.encode() if method == "POST" else None, headers=h)
        r = conn.getresponse()
        data = r.read()
        conn.close()
        return r.status, data

    def post(self, path, body, timeout=30):
        status, data = self.request("POST", path, body, timeout=timeout)
        try:
            return status, json.loads(data)
        except ValueError:
            return status, None

    def alive(self):
        return self.proc.poll() is None

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=30)


def together(count, work):
    results = [None] * count
    barrier = threading.Barrier(count)

    def run(i):
        barrier.wait()
        try:
            results[i] = work(i)
        except Exception as e:  # noqa: BLE001 - reported as a result
            results[i] = e
    threads = [threading.Thread(target=run, args=(i,)) for i in range(count)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return results


def order_body(lines, extra=""):
    items = json.dumps([{"setUpcID": str(u), "setQuantity": str(q)} for u, q in lines])
    return ("itemBOAttr=" + urllib.parse.quote(items) + "&cardId=1&contactId=1"
            "&shippingMethod=" + urllib.parse.quote('{"code":"G"}') + "&" + LOGIN +
            "&securityCode=123&promoCode=" + extra)


def attack_page_overflow(s):
    out = []
    for method in ("POST", "GET"):
        for path in ("/results", "/results_search"):
            body = ("categoryId=30200" if path == "/results" else "searchPhrase=classic") + \
                "&pageNumber=461168601842738792"
            if method == "GET":
                status, data = s.request("GET", path + "?" + body)
            else:
                status, data = s.request("POST", path, body)
            answer = json.loads(data)
            out.append(f"{method} {path}: HTTP {status}, {len(answer.get('data', []))} rows, "
                       f"errorMsg {answer.get('errorMsg')!r}")
    return out + [f"server alive: {s.alive()}"]


def shippable_upc(s):
    db = sqlite3.connect(s.db, timeout=30)
    upc = db.execute(
        "SELECT u.id FROM upcs u JOIN products p ON p.id = u.product_id WHERE p.available = 1 "
        "AND p.excluded_states = '' AND p.surcharge_cents = 0 AND u.price_cents < 5000 AND "
        "instr(p.shipping_codes, 'G') > 0 ORDER BY u.id LIMIT 1 OFFSET ?",
        (int(time.time() * 1000) % 500,)).fetchone()[0]
    db.execute("UPDATE upcs SET stock = 3 WHERE id = ?", (upc,))
    db.commit()
    return db, upc


def attack_oversell(s):
    db, upc = shippable_upc(s)
    out = []
    for name, lines in (("two lines of 3", [(upc, 3), (upc, 3)]),
                        ("20,000 lines of 1", [(upc, 1)] * 20000)):
        status, a = s.post("/keldas_processorder", order_body(lines))
        if not a or "data" not in a:
            out.append(f"{name} against stock 3: HTTP {status} {json.dumps(a)[:120]}")
            continue
        out.append(f"{name} against stock 3: confirmation {a['data'].get('confirmationNumber')!r}, "
                   f"upcAvailability {list(a.get('upcAvailability', {}).values())}")
    sold = db.execute("SELECT COALESCE(SUM(quantity), 0) FROM order_lines WHERE upc_id = ?", (upc,)).fetchone()[0]
    stock = db.execute("SELECT stock FROM upcs WHERE id = ?", (upc,)).fetchone()[0]
    return out + [f"units sold {sold}, stock left {stock}"]


def attack_reservation(s):
    out = []
    db = sqlite3.connect(s.db, timeout=30)
    for trial in range(5):
        _, upc = shippable_upc(s)
        db.execute("UPDATE upcs SET stock = 100 WHERE id = ?", (upc,))
        db.commit()
        _, prepared = s.post("/keldas_prepareorder", order_body([(upc, 1)]))
        reservation = prepared["data"]["orderReservationNumber"]
        body = order_body([(upc, 1)], "&orderReservationNumber=" + reservation)
        answers = together(30, lambda i: s.post("/keldas_processorder", body))
        ok = [r[1] for r in answers if isinstance(r, tuple) and r[1]]
        confirmed = sum(1 for a in ok if (a.get("data") or {}).get("confirmationNumber"))
        failed = len(answers) - len(ok)
        stored = db.execute("SELECT COUNT(*) FROM orders WHERE reservation_number = ?", (reservation,)).fetchone()[0]
        out.append(f"trial {trial + 1}: 30 requests, {confirmed} confirmed, {stored} stored, "
                   f"{failed} without an answer")
    return out


def attack_registrations(s):
    email = f"twin{int(time.time())}@example.com"
    body = (f"firstName=Ann&lastName=Lee&emailAddress={email}&password=secret1&verifyPassword=secret1"
            "&address1=1 Main St&city=New York&state=NY&zipcode=10001")
    answers = together(20, lambda i: s.post("/register", body))
    statuses = {}
    for r in answers:
        if not isinstance(r, tuple):
            key = type(r).__name__
        else:
            status, a = r
            first = (a or {}).get("status", [{}])[0]
            key = f"HTTP {status} {first.get('success') or first.get('error') or (a or {}).get('errorMsg')}"
        statuses[key] = statuses.get(key, 0) + 1
    return [f"20 simultaneous registrations: {statuses}"]


def attack_nan(s):
    out = []
    for position in ("latitude=nan&longitude=-73.99", "latitude=0x28&longitude=-73.99"):
        status, a = s.post("/store_locator", position)
        out.append(f"{position}: HTTP {status}, {json.dumps(a)[:100]}")
    return out


def attack_slow_senders(s):
    socks = []
    for _ in range(70):
        c = socket.create_connection(("127.0.0.1", s.port))
        c.sendall(b"POST /category HTTP/1.1\r\nHost: 127.0.0.1\r\n")
        socks.append(c)
    stop = time.time() + 15
    worst, served, n = 0.0, 0, 0
    while time.time() < stop:
        round_start = time.time()
        for c in socks:
            try:
                c.sendall(f"X-Slow-{n}: 1\r\n".encode())
            except OSError:
                pass
        n += 1
        for _ in range(10):
            t = time.time()
            status, _ = s.post("/category", "&categoryId=118", timeout=60)
            worst = max(worst, time.time() - t)
            served += status == 200
        time.sleep(max(0.0, 3 - (time.time() - round_start)))
    answered = 0
    for c in socks:
        c.settimeout(1)
        try:
            answered += c.recv(64).startswith(b"HTTP/1.1 408")
        except OSError:
            pass
        c.close()
    return [f"70 slow senders (a header line every 3 s) for 15 s: {served} new requests served, "
            f"slowest {worst * 1000:.1f} ms; {answered} slow connections answered 408"]


def attack_header_flood(s):
    before = s.rss_mb()
    c = socket.create_connection(("127.0.0.1", s.port))
    c.sendall(b"GET /get_promo HTTP/1.1\r\nHost: 127.0.0.1\r\n")
    line = b"X-Flood: " + b"a" * 1000 + b"\r\n"
    sent = 0
    c.settimeout(5)
    try:
        while sent < 200 * 1024 * 1024:
            c.sendall(line * 100)
            sent += len(line) * 100
    except OSError:
        pass
    c.close()
    return [f"header flood: {sent / 1024 / 1024:.1f} MB sent before the server closed the "
            f"connection; resident memory {before:.0f} MB before, {s.rss_mb():.0f} MB after"]


def attack_ranges(s):
    path = "/product?productId=100001"
    _, plain = s.request("GET", path)
    ranges = "bytes=" + ",".join(["0-"] * 2700)  # each range the whole answer
    status, ranged = s.request("GET", path, headers={"Range": ranges})
    return [f"Range with 2,700 ranges on a product answer: HTTP {status}, {len(ranged):,} bytes "
            f"(the answer is {len(plain):,} bytes)"]


def attack_analytics(s):
    for i in range(10000):
        conn = http.client.HTTPConnection("127.0.0.1", s.port, timeout=30) if i % 500 == 0 else conn
        conn.request("GET", f"/analytics/tag?ci=1&tid=1&cd=shopper{i}%40example.com&pad=" + "x" * 2000)
        conn.getresponse().read()
    status, page = s.request("GET", "/analytics/log")
    log = json.loads(page)
    return [f"after 10,000 tags: one log answer is {len(page) / 1024:.0f} KB (HTTP {status}) with "
            f"{len(log['data'])} tags, {log.get('totalCount', len(log['data']))} kept; "
            f"resident memory {s.rss_mb():.0f} MB"]


def attack_secrets(s):
    mode = lambda p: oct(stat.S_IMODE(os.stat(p).st_mode))
    files = [s.data] + [os.path.join(s.data, f) for f in sorted(os.listdir(s.data))] + [s.record]
    record = open(s.record).read()
    leaked = [w for w in ("kelda123", "securityCode=123", "4111111111111111") if w in record]
    return [", ".join(f"{os.path.basename(f)} {mode(f)}" for f in files),
            f"secrets found in the record file: {leaked or 'none'}"]


def attack_signin(s):
    out = []
    for i in range(12):
        t = time.time()
        _, a = s.post("/signin", f"loginUserName=demo%40kelda.test&loginPassword=guess{i}")
        if i in (0, 9, 10, 11):
            out.append(f"wrong password {i + 1}: {a['status'][0]['error']!r} in {(time.time() - t) * 1000:.0f} ms")
    _, a = s.post("/signin", LOGIN)
    out.append(f"then the right password: {a['status'][0]['error']!r}")
    before = s.rss_mb("VmHWM")
    together(40, lambda i: s.post("/signin", f"loginUserName=user{i}%40example.com&loginPassword=x"))
    together(40, lambda i: s.post("/register", f"firstName=A&lastName=B&emailAddress=r{i}x{int(time.time())}%40example.com"
                                   "&password=secret1&verifyPassword=secret1&address1=1 Main&city=Boston&state=MA&zipcode=02108"))
    out.append(f"40 simultaneous registrations (Argon2id 19 MiB each): peak resident memory {before:.0f} -> {s.rss_mb('VmHWM'):.0f} MB")
    return out


def main():
    build = sys.argv[1]
    products = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--products" else 20000
    binary = os.path.join(build, "bin", "kelda-middleware")
    s = Server(binary, products)
    try:
        for name, attack in (("1 page overflow", attack_page_overflow), ("2 oversold stock", attack_oversell),
                             ("3 reservation used twice", attack_reservation),
                             ("4 simultaneous registrations", attack_registrations), ("5 nan position", attack_nan),
                             ("6a slow senders", attack_slow_senders), ("6b header flood", attack_header_flood),
                             ("6c ranges", attack_ranges), ("7 analytics log", attack_analytics),
                             ("8 secrets at rest", attack_secrets), ("9 sign-in guessing", attack_signin)):
            print(f"== {name} (load {os.getloadavg()[0]:.2f})", flush=True)
            try:
                for line in attack(s):
                    print("   " + line, flush=True)
            except Exception as e:  # noqa: BLE001 - a fault of the server under attack
                print(f"   failed: {e!r}; server alive: {s.alive()}", flush=True)
            if not s.alive():
                print(f"   the server died (exit status {s.proc.returncode}); starting a new one", flush=True)
                s = Server(binary, products)
        print(f"server alive at the end: {s.alive()}")
    finally:
        s.stop()


if __name__ == "__main__":
    main()
