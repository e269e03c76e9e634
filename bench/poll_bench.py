#!/usr/bin/python3
"""tarvel-cli poll of 50 points on two local Modbus servers
(tests/device/modbus_server.py on 127.0.0.1, logging every request) at 10 Hz
for 10 s, twice in one run: with the requests merged (--max-gap 10, the
default) and with one request per point (--max-gap 0; the points are apart by
one register, so none merge). For each: rows and missed samples (a row
missing, a cell empty, or two rows more than 1.5 intervals apart), requests
per sample from the servers' logs, and how long after its time each row came
out (median and largest). Fails if a value is wrong; a missed sample is
reported, not failed on.

Usage: bench/poll_bench.py TARVEL_CLI
"""
import csv
import datetime
import io
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "tests", "device", "modbus_server.py")
PYTHON = "/usr/bin/python3"
INTERVAL, SAMPLES, POINTS = 0.1, 100, 50


def start(log):
    server = subprocess.Popen([PYTHON, SERVER, "--tcp", "0", "--log", log],
                              stdout=subprocess.PIPE, text=True)
    port = server.stdout.readline().strip()
    if not port:
        sys.exit("poll_bench: the Modbus server did not start (python3-pymodbus?)")
    return server, port


def run(cli, points, logs, max_gap):
    for log in logs:
        open(log, "w").close()
    poll = subprocess.Popen([cli, "poll", "--watch", str(INTERVAL), "--samples", str(SAMPLES),
                             "--max-gap", str(max_gap), points],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    lines = []
    for line in poll.stdout:  # each row as it comes out, with when it came
        lines.append((time.time(), line))
    err = poll.stderr.read()
    poll.wait()
    rows = list(csv.DictReader(io.StringIO("".join(line for _, line in lines))))
    stamps = [datetime.datetime.fromisoformat(r["time"].replace("Z", "+00:00")).timestamp()
              for r in rows]
    late = [came - stamp for (came, _), stamp in zip(lines[1:], stamps)]
    apart = [b - a for a, b in zip(stamps, stamps[1:])]
    wrong = [r for r in rows if any(r[f"p{k}"] != "0" for k in range(POINTS))]
    if wrong or poll.returncode not in (0, 1):
        sys.exit(f"poll_bench: wrong values or status {poll.returncode}: {err}")
    requests = sum(sum(1 for _ in open(log)) for log in logs)
    missed = (SAMPLES - len(rows)) + sum(1 for r in rows if "" in r.values()) + \
        sum(1 for d in apart if d > 1.5 * INTERVAL)
    return {
        "rows": len(rows), "missed": missed, "requests": requests / max(len(rows), 1),
        "late_median": statistics.median(late) * 1000, "late_max": max(late) * 1000,
    }


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: bench/poll_bench.py TARVEL_CLI")
    cli = os.path.abspath(sys.argv[1])
    folder = tempfile.mkdtemp(prefix="tarvel-poll-bench-")
    logs = [os.path.join(folder, "a.log"), os.path.join(folder, "b.log")]
    servers = [start(log) for log in logs]
    try:
        points = os.path.join(folder, "fifty.points")
        with open(points, "w", encoding="ascii") as f:
            for k in range(POINTS):  # every other register, half on each server
                port = servers[k % 2][1]
                f.write(f"p{k} tcp://127.0.0.1:{port} {2 * (k // 2)} uint16\n")
        merged = run(cli, points, logs, 10)
        single = run(cli, points, logs, 0)
    finally:
        for server, _ in servers:
            server.terminate()
            server.wait()
        for path in logs + [os.path.join(folder, "fifty.points")]:
            os.remove(path)
        os.rmdir(folder)
    print(f"poll: {POINTS} points on two local servers, {1 / INTERVAL:.0f} Hz for "
          f"{SAMPLES * INTERVAL:.0f} s")
    print(f"{'':<26}{'rows':>6}{'missed':>8}{'requests/sample':>17}"
          f"{'row after its time (ms)':>26}")
    for name, r in (("merged (--max-gap 10)", merged), ("a request a point", single)):
        print(f"{name:<26}{r['rows']:>6}{r['missed']:>8}{r['requests']:>17.1f}"
              f"{r['late_median']:>14.1f} median {r['late_max']:>5.1f} max")
    print(f"goal: no missed sample: {'met' if merged['missed'] == 0 else 'missed'}; "
          f"requests per sample {merged['requests']:.0f} against {single['requests']:.0f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
