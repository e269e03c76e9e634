#!/usr/bin/python3
"""tarvel-cli poll against real Modbus servers: two over TCP and one over RTU
on a socat pty pair, each logging every request it gets.

Usage: poll_e2e.py TARVEL_CLI MODBUS_SERVER

Checks, each a named case:
  - every value of thirteen points across the three devices, CSV and JSON Lines
    (parsed by Python's json);
  - the requests the servers logged are exactly those --plan printed: four
    adjacent floats and a double in one request, a gap over --max-gap split;
  - a TCP server stopped during a watch leaves its columns empty while the
    others are read every sample, and is read again once it is back;
  - a device that never answers holds up no other device's reads, and no
    row for more than 100 samples;
  - SIGINT ends a watch after whole rows, status 0.
"""
import csv
import io
import json
import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CLI, SERVER = sys.argv[1], sys.argv[2]
PYTHON = "/usr/bin/python3"
failures = []


def check(name, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + name + ("" if ok else ": " + detail))
    if not ok:
        failures.append(name)


class Server:
    """modbus_server.py, logging its requests to a file of its own."""

    def __init__(self, folder, name, where, *options):
        self.log = os.path.join(folder, name + ".log")
        self.where = where
        self.options = options
        self.start()

    def start(self):
        self.process = subprocess.Popen(
            [PYTHON, SERVER, *self.where, "--log", self.log, *self.options],
            stdout=subprocess.PIPE, text=True)
        self.line = self.process.stdout.readline().strip()
        if not self.line:
            sys.exit("poll_e2e: a Modbus server did not start (python3-pymodbus, socat?)")

    def stop(self):
        self.process.terminate()
        self.process.wait()

    def requests(self):
        with open(self.log, encoding="ascii") as log:
            return [line.split() for line in log]

    def forget(self):
        open(self.log, "w").close()


def poll(*args, points, timeout=30):
    return subprocess.run([CLI, "poll", *args, points], capture_output=True, text=True,
                          timeout=timeout)


def main():
    folder = tempfile.mkdtemp(prefix="tarvel-poll-")
    pty_server, pty_reader = os.path.join(folder, "a"), os.path.join(folder, "b")
    socat = subprocess.Popen(["/usr/bin/socat", f"pty,raw,echo=0,link={pty_server}",
                              f"pty,raw,echo=0,link={pty_reader}"])
    for _ in range(100):
        if os.path.exists(pty_server) and os.path.exists(pty_reader):
            break
        time.sleep(0.05)
    a = Server(folder, "a", ["--tcp", "0"])
    b = Server(folder, "b", ["--tcp", "0"])
    rtu = Server(folder, "rtu", ["--rtu", pty_server])
    dead = Server(folder, "dead", ["--tcp", "0"], "--silent", "100")
    try:
        run(folder, a, b, rtu, dead, pty_reader)
    finally:
        for server in (a, b, rtu, dead):
            server.stop()
        socat.terminate()
        socat.wait()
        shutil.rmtree(folder, ignore_errors=True)
    print(f"{len(failures)} failed" if failures else "all passed")
    return 1 if failures else 0


def write(folder, name, text):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="ascii") as f:
        f.write(text)
    return path


PI, E = math.pi, math.e
EXPECTED = {  # column: value, as the server's registers hold it
    "a1": PI, "a2": PI, "a3": PI, "a4": PI, "ad": PI, "at.t": -12.34, "at.s": 54321,
    "be": E, "bi": -4321, "bu": 12345, "bd": PI,
    "cpi": PI, "ci": -1234, "cu": 54321,
}


def run(folder, a, b, rtu, dead, pty):
    ta, tb = f"tcp://127.0.0.1:{a.line}", f"tcp://127.0.0.1:{b.line}"
    points = write(folder, "station.points", f"""\
# NAME DEVICE ADDRESS WHAT [OPTION...]
a1 {ta} 100 float
a2 {ta} 102 float --order CDAB
a3 {ta} 104 float --order BADC
a4 {ta} 106 float --order DCBA
ad {ta} 110 double
at {ta} 130 record 't=int16*0.01,s=uint16'

be {tb} 100 float --input
bi {tb} 130 int16 --input
bu {tb} 131 uint16 --input
bd {tb} 114 double --order GHEFCDAB
cpi {pty} 100 float --parity N
ci  {pty} 130 int16
cu  {pty} 131 uint16 --unit 2
""")
    plan = poll("--plan", points=points)
    planned = list(csv.DictReader(io.StringIO(plan.stdout)))
    check("plan merges and splits", plan.returncode == 0 and [
        (r["unit"], r["table"], r["address"], r["count"], r["points"]) for r in planned] == [
        ("1", "holding", "100", "14", "a1 a2 a3 a4 ad"), ("1", "holding", "130", "2", "at"),
        ("1", "input", "100", "2", "be"), ("1", "input", "130", "2", "bi bu"),
        ("1", "holding", "114", "4", "bd"),
        ("1", "holding", "100", "2", "cpi"), ("1", "holding", "130", "1", "ci"),
        ("2", "holding", "131", "1", "cu")], plan.stdout + plan.stderr)

    one = poll(points=points)
    rows = list(csv.DictReader(io.StringIO(one.stdout)))
    check("one sample: status 0, nothing on standard error",
          one.returncode == 0 and one.stderr == "", one.stderr)
    check("one sample: every value right", len(rows) == 1 and all(
        abs(float(rows[0][k]) - v) < 5e-7 for k, v in EXPECTED.items()), one.stdout)

    function = {"holding": "3", "input": "4", "coils": "1", "discrete": "2"}
    for server, device in ((a, ta), (b, tb), (rtu, pty)):
        want = [["unit", r["unit"], "function", function[r["table"]], "address", r["address"],
                 "count", r["count"]] for r in planned if r["device"] == device]
        check(f"server {device} got exactly the plan's requests", server.requests() == want,
              f"{server.requests()} != {want}")

    js = poll("--json", "--format", "shortest", points=points)
    objects = [json.loads(line) for line in js.stdout.splitlines()]
    check("--json: one object a sample, numbers as numbers", js.returncode == 0 and
          len(objects) == 1 and all(isinstance(objects[0][k], (int, float)) and
                                    math.isclose(objects[0][k], v, rel_tol=1e-7)
                                    for k, v in EXPECTED.items()), js.stdout + js.stderr)

    # A server stopped during a watch, then started again on its port.
    for server in (a, b, rtu):
        server.forget()
    watch = subprocess.Popen([CLI, "poll", "--watch", "0.2", "--samples", "25", points],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    time.sleep(1.1)
    b.stop()
    time.sleep(1.6)
    b.where = ["--tcp", b.line]
    b.start()
    out, err = watch.communicate(timeout=30)
    rows = list(csv.DictReader(io.StringIO(out)))
    b_cells = [row["be"] for row in rows]
    check("stopped server: every sample has its row, status 1",
          watch.returncode == 1 and len(rows) == 25, f"{watch.returncode} {len(rows)}")
    check("stopped server: the others read every sample",
          all(row["a1"] and row["cpi"] and row["cu"] for row in rows) and
          len(a.requests()) == 2 * 25 and len(rtu.requests()) == 3 * 25, out)
    gap = [k for k, cell in enumerate(b_cells) if not cell]
    check("stopped server: its columns empty while down, read again once back",
          gap and b_cells[0] and b_cells[-1] and gap == list(range(gap[0], gap[-1] + 1)) and
          all(not row[c] for row in rows[gap[0]:gap[-1] + 1] for c in ("be", "bi", "bu", "bd")),
          str(b_cells))
    check("stopped server: each fault names time, device, unit and address",
          err and all(line.startswith("tarvel-cli: 20") and f"{tb} unit 1 address " in line
                      for line in err.splitlines()), err)

    # A device that never answers is read beside a live one, not before it.
    slow = write(folder, "slow.points", f"live {ta} 130 int16\nsilent tcp://127.0.0.1:{dead.line}"
                 " 100 uint16\n")
    a.forget()
    held = poll("--watch", "0.1", "--samples", "10", "--timeout", "250", points=slow)
    rows = list(csv.DictReader(io.StringIO(held.stdout)))
    check("silent device: the live one read every sample",
          len(rows) == 10 and all(r["live"] == "-1234" and r["silent"] == "" for r in rows) and
          len(a.requests()) == 10 and held.returncode == 1, held.stdout + held.stderr)

    # A device that hangs longer than 100 samples holds up no row longer.
    hung = subprocess.Popen([CLI, "poll", "--watch", "0.01", "--samples", "150", "--timeout",
                             "60000", slow], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True)
    out, err = hung.communicate(timeout=20)
    rows = list(csv.DictReader(io.StringIO(out)))
    check("hung device: rows go on after 100 samples, its cell said so",
          len(rows) == 150 and "no answer while 100 samples after it were read" in err,
          f"{len(rows)} {err[:300]}")

    # SIGINT ends a watch after its last whole row.
    watch = subprocess.Popen([CLI, "poll", "--json", "--watch", "0.1", points],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    time.sleep(1.0)
    watch.send_signal(signal.SIGINT)
    out, err = watch.communicate(timeout=10)
    check("SIGINT: status 0, whole rows only", watch.returncode == 0 and out.endswith("\n") and
          len(out.splitlines()) >= 5 and all(json.loads(line) for line in out.splitlines()),
          f"{watch.returncode} {out[-200:]} {err}")


if __name__ == "__main__":
    sys.exit(main())
