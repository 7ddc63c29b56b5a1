#!/usr/bin/env python3
"""Crowds for the services' load run, on loopback only, each bounded in time.

  crowd.py hold PORT IDLE SLOW SECONDS
      keeps IDLE keep-alive connections idle after one read and SLOW senders
      trickling a request one byte a second; whatever the server closes is
      opened again at once.
  crowd.py logins PORT CALLERS SECONDS
      CALLERS threads check wrong passwords without pause, each from a fresh
      loopback address; every fifth check is the right one, which clears the
      nick's failure count so the hashes keep being spent.
"""
import selectors
import socket
import sys
import threading
import time

READ = b"gid=808"


def request(body, keep_alive=True):
    conn = b"keep-alive" if keep_alive else b"close"
    return (b"POST /tables HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: " + conn +
            b"\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
            str(len(body)).encode() + b"\r\n\r\n" + body)


def hold(port, idle, slow, seconds):
    sel = selectors.DefaultSelector()
    trickle = request(READ)
    state = {}  # socket -> [kind, bytes sent]
    reopened = {"idle": 0, "slow": 0}

    def open_one(kind):
        s = socket.create_connection(("127.0.0.1", port))
        s.setblocking(False)
        if kind == "idle":
            s.send(request(READ))
        state[s] = [kind, 0]
        sel.register(s, selectors.EVENT_READ)

    for _ in range(idle):
        open_one("idle")
    for _ in range(slow):
        open_one("slow")
    print("holding", flush=True)
    end = time.monotonic() + seconds
    next_byte = time.monotonic()
    while time.monotonic() < end:
        for key, _ in sel.select(timeout=0.2):
            s = key.fileobj
            try:
                data = s.recv(65536)
            except OSError:
                data = b""
            if not data:
                kind = state.pop(s)[0]
                sel.unregister(s)
                s.close()
                reopened[kind] += 1
                open_one(kind)
        if time.monotonic() >= next_byte:
            next_byte += 1.0
            for s, st in list(state.items()):
                if st[0] == "slow" and st[1] < len(trickle):
                    try:
                        s.send(trickle[st[1]:st[1] + 1])
                        st[1] += 1
                    except OSError:
                        pass
    open_now = sum(1 for st in state.values())
    print(f"held {open_now} connections; the server closed {reopened['idle']} idle and "
          f"{reopened['slow']} slow ones (opened again)", flush=True)
    for s in state:
        s.close()


def post(port, source, path, body):
    s = socket.socket()
    s.bind((source, 0))
    s.settimeout(30)
    s.connect(("127.0.0.1", port))
    head = (f"POST {path} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
            f"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: {len(body)}\r\n\r\n")
    s.sendall(head.encode() + body.encode())
    reply = b""
    while True:
        chunk = s.recv(65536)
        if not chunk:
            break
        reply += chunk
    s.close()
    return int(reply[9:12]) if reply.startswith(b"HTTP/1.1 ") else 0


def logins(port, callers, seconds):
    for i in range(callers):
        body = (f"nick=Crowd{i}&pw=pass1&city=Omsk&country1=Russia&country2=1-001&sex=M"
                f"&email=c{i}@x.ru&dater=1.1.2024&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0")
        post(port, "127.0.0.1", "/accounts", body)
    counts = {"wrong": 0, "busy": 0, "other": 0}
    lock = threading.Lock()
    start = threading.Event()
    end = [0.0]

    def caller(i):
        start.wait()
        n = 0
        while time.monotonic() < end[0]:
            n += 1
            # A fresh address for each check keeps the address throttle out of the way.
            source = f"127.{2 + i // 250}.{i % 250}.{1 + n % 250}"
            pw = "pass1" if n % 5 == 0 else f"wrong{n}"
            status = post(port, source, "/accounts", f"nick=Crowd{i}&pw={pw}&label0=0")
            if pw == "pass1":
                continue
            with lock:
                counts["wrong" if status == 200 else "busy" if status == 503 else "other"] += 1

    threads = [threading.Thread(target=caller, args=(i,)) for i in range(callers)]
    for t in threads:
        t.start()
    end[0] = time.monotonic() + seconds
    start.set()
    print("flooding", flush=True)
    for t in threads:
        t.join()
    print(f"wrong-password checks answered {counts['wrong']}, refused busy (503) {counts['busy']}, "
          f"other {counts['other']}", flush=True)


if __name__ == "__main__":
    mode = sys.argv[1]
    args = [int(a) for a in sys.argv[2:]]
    if mode == "hold":
        hold(*args)
    elif mode == "logins":
        logins(*args)
    else:
        sys.exit(__doc__)
