#!/usr/bin/env python3
"""A stand-in for the IP-echo service and for hosts that misbehave, on loopback only.

Usage: stub_server.py start | stop

'start' launches the server in the background and returns once it listens; 'stop'
asks it to end. Pages are served on 127.0.0.1:80, the answer chosen by the Host
header. The control port 127.0.0.1:8080 takes:
  GET /last?host=H         the head of the last request for host H, byte for byte
  GET /scenario?name=S     how the echo host answers from now on (a scenario name
                           below, or 'down': nothing listens on port 80)
  GET /quit                ends the server
The server ends by itself when the process that started it (ctest) is gone, and
after MAX_LIFETIME seconds in any case.
"""

import os
import socket
import subprocess
import sys
import threading
import time
import urllib.parse

PAGE_PORT = 80
CONTROL_PORT = 8080
DOMAIN = "stub.test"
ECHO_HOST = "ipecho.velloran.org"
MAX_LIFETIME = 1800
MAX_REQUEST_HEAD = 64 * 1024
SILENT_HOLD = 30
TRICKLE_LIMIT = 30
ENDLESS_LIMIT = 64 * 1024 * 1024
FLOOD_LINES = 50000
DRIP_BYTES = 5
TARGET = "/templates/ipv6man/?id='ipv6'/></iframe>"


def echo_page(address, filler=0):
    """An echo page: the marker and the address, after `filler` bytes of padding."""
    padding = pattern(filler)
    return (b"<html><head><script>" + padding +
            b"var ipaddress = '" + address.encode() + b"';</script></head></html>\n")


def pattern(length, start=0):
    """Deterministic ASCII filler, so a test can tell whether pieces were joined in order.

    ASCII, because a byte of 0x80 or above would take the marker's first letter along."""
    block = bytes(0x30 + i % 75 for i in range(251))
    offset = start % len(block)
    return (block * (length // len(block) + 2))[offset:offset + length]


def head(status, fields):
    lines = ["HTTP/1.0 " + status] + [f"{k}: {v}" for k, v in fields] + ["", ""]
    return "\r\n".join(lines).encode()


def answer_ok(conn, _):
    body = echo_page("192.0.2.1")
    conn.sendall(head("200 OK", [("Content-Type", "text/html"), ("Content-Length", len(body))]) + body)


def answer_nolength(conn, _):
    # Many default-sized pieces: the body is longer than one of them.
    conn.sendall(head("200 OK", [("Content-Type", "text/html")]) + echo_page("192.0.2.2", 250000))


def answer_notfound(conn, _):
    body = b"<h1>Not Found</h1>" + echo_page("192.0.2.4")
    conn.sendall(head("404 Not Found", [("Content-Length", len(body))]) + body)


def answer_redirect(conn, _):
    conn.sendall(head("302 Found", [("Location", f"http://ok.{DOMAIN}/landing"),
                                    ("Content-Length", 0)]))


def answer_broken(conn, _):
    # Promises more than it sends, then breaks the connection off.
    body = echo_page("192.0.2.5", 3000)
    conn.sendall(head("200 OK", [("Content-Length", 100000)]) + body)


def answer_big(conn, _):
    size = 5 * 1000 * 1000
    conn.sendall(head("200 OK", [("Content-Length", size)]))
    sent = 0
    while sent < size:
        chunk = pattern(min(65536, size - sent), sent)
        conn.sendall(chunk)
        sent += len(chunk)


def answer_endless(conn, _):
    conn.sendall(head("200 OK", [("Content-Type", "application/octet-stream")]))
    sent = 0
    while sent < ENDLESS_LIMIT:
        chunk = pattern(65536, sent)
        conn.sendall(chunk)
        sent += len(chunk)


def answer_trickle(conn, _):
    # The page, then one byte at a time, never stopping for long enough to time out.
    conn.sendall(head("200 OK", [("Content-Type", "text/html")]) + echo_page("192.0.2.6"))
    deadline = time.monotonic() + TRICKLE_LIMIT
    while time.monotonic() < deadline:
        conn.sendall(b" ")
        time.sleep(0.2)


def answer_garbage(conn, _):
    # No status line at all, then something that looks like a page.
    conn.sendall(b"\x00\xffNOT HTTP AT ALL\r\n\r\n" + echo_page("192.0.2.7"))


def answer_headerflood(conn, _):
    # Megabytes of header lines before the page.
    conn.sendall(b"HTTP/1.0 200 OK\r\n")
    line = b"X-Flood: " + b"a" * 90 + b"\r\n"
    for _ in range(FLOOD_LINES // 100):
        conn.sendall(line * 100)
    conn.sendall(b"\r\n" + echo_page("192.0.2.8"))


def answer_drip(conn, _):
    # The page's end comes one byte a second: slow, but finished well within the time limit.
    page = echo_page("192.0.2.9")
    cut = page.index(b"2.9'")
    conn.sendall(head("200 OK", [("Content-Type", "text/html")]) + page[:cut])
    for i in range(cut, len(page)):
        time.sleep(1 if i < cut + DRIP_BYTES else 0)
        conn.sendall(page[i:i + 1])


def answer_silent(conn, _):
    # Takes the request and never answers; lets go once the client hangs up.
    conn.settimeout(SILENT_HOLD)
    try:
        conn.recv(1)
    except OSError:
        pass


def answer_echo(conn, server):
    SCENARIOS.get(server.echo_scenario, answer_ok)(conn, server)


SCENARIOS = {
    "ok": answer_ok,
    "nolength": answer_nolength,
    "notfound": answer_notfound,
    "redirect": answer_redirect,
    "broken": answer_broken,
    "big": answer_big,
    "endless": answer_endless,
    "silent": answer_silent,
    "trickle": answer_trickle,
    "garbage": answer_garbage,
    "headerflood": answer_headerflood,
    "drip": answer_drip,
}


def read_head(conn):
    data = b""
    while b"\r\n\r\n" not in data and len(data) < MAX_REQUEST_HEAD:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk
    return data.split(b"\r\n\r\n", 1)[0] + b"\r\n\r\n" if b"\r\n\r\n" in data else data


def host_of(request_head):
    for line in request_head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"host":
            return value.strip().decode("latin-1").split(":")[0].lower()
    return ""


class Server:
    def __init__(self, watched_pid):
        self.watched_pid = watched_pid
        self.started = time.monotonic()
        self.lock = threading.Lock()
        self.last = {}
        self.echo_scenario = "ok"
        self.page_listener = None
        self.stopping = threading.Event()

    def listen(self, port):
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind(("127.0.0.1", port))
        s.listen(16)
        s.settimeout(0.5)
        return s

    def open_pages(self):
        with self.lock:
            if self.page_listener is None:
                self.page_listener = self.listen(PAGE_PORT)
                threading.Thread(target=self.accept_loop,
                                 args=(self.page_listener, self.serve_page), daemon=True).start()

    def close_pages(self):
        with self.lock:
            listener, self.page_listener = self.page_listener, None
        if listener is not None:
            listener.close()

    def accept_loop(self, listener, handler):
        while not self.stopping.is_set():
            try:
                conn, _ = listener.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            threading.Thread(target=self.handle, args=(conn, handler), daemon=True).start()

    def handle(self, conn, handler):
        conn.settimeout(10)
        try:
            handler(conn, read_head(conn))
        except OSError:
            pass
        finally:
            conn.close()

    def serve_page(self, conn, request_head):
        host = host_of(request_head)
        with self.lock:
            self.last[host] = request_head
        if host == ECHO_HOST:
            answer_echo(conn, self)
            return
        name = host[:-len(DOMAIN) - 1] if host.endswith("." + DOMAIN) else ""
        SCENARIOS.get(name, answer_notfound)(conn, self)

    def serve_control(self, conn, request_head):
        target = request_head.split(b" ")[1].decode("latin-1") if b" " in request_head else "/"
        url = urllib.parse.urlsplit(target)
        query = dict(urllib.parse.parse_qsl(url.query))
        body, status = b"", "200 OK"
        if url.path == "/last":
            with self.lock:
                body = self.last.get(query.get("host", "").lower())
            if body is None:
                body, status = b"", "404 Not Found"
        elif url.path == "/scenario" and query.get("name") == "down":
            self.close_pages()
        elif url.path == "/scenario" and query.get("name") in SCENARIOS:
            self.echo_scenario = query["name"]
            self.open_pages()
        elif url.path == "/quit":
            self.stopping.set()
        else:
            status = "400 Bad Request"
        conn.sendall(head(status, [("Content-Length", len(body))]) + body)

    def run(self):
        control = self.listen(CONTROL_PORT)
        self.open_pages()
        threading.Thread(target=self.accept_loop, args=(control, self.serve_control),
                         daemon=True).start()
        while not self.stopping.wait(0.5):
            if time.monotonic() - self.started > MAX_LIFETIME or not alive(self.watched_pid):
                break
        self.stopping.set()
        self.close_pages()
        control.close()


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except ProcessLookupError:
        return False
    except PermissionError:
        return True


def control_request(path, timeout=2):
    with socket.create_connection(("127.0.0.1", CONTROL_PORT), timeout=timeout) as s:
        s.sendall(f"GET {path} HTTP/1.0\r\n\r\n".encode())
        while s.recv(4096):
            pass


def start():
    if not os.environ.get("VELLORAN_NETNS"):
        sys.exit("stub_server.py: run it inside scripts/with-wine.sh (it takes port 80)")
    log = open(os.path.join(os.environ.get("VELLORAN_RUN_DIR", "/tmp"), "http-stub.log"), "ab")
    subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", str(os.getppid())],
                     stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            control_request("/scenario?name=ok", timeout=0.5)
            return
        except OSError:
            time.sleep(0.05)
    sys.exit("stub_server.py: the server did not come up")


def stop():
    try:
        control_request("/quit")
    except OSError:
        pass


def main():
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "start":
        start()
    elif command == "stop":
        stop()
    elif command == "serve":
        Server(int(sys.argv[2])).run()
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
