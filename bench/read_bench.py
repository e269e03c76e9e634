#!/usr/bin/python3
"""The measuring half of bench/read_bench.sh: tarvel-cli's Modbus reads beside
mbpoll's against one local test server, and the timing of a 100 Hz watch.

Usage: read_bench.py TARVEL_CLI PORT

Times are taken on the monotonic clock, CPU time (user + system) from the
rusage of the reaped children. Exits 1 when a read fails or gives a wrong
value: a fast wrong answer is no result. A missed speed goal is reported, not
failed on: the machine may be busy.
"""
import datetime
import os
import resource
import select
import signal
import subprocess
import sys
import time

READS = 1000
ROUNDS = 10  # the one-shot reads run in interleaved blocks, so noise falls on both
INTERVAL_MS = 10
HOLDING_100 = "16457"  # tests/device/modbus_server.py: high word of pi, ABCD
PI = "3.141593"
RUN_TIMEOUT = 5  # seconds for one one-shot read
POLL_TIMEOUT = 40  # seconds for 1,000 reads at 100 Hz, with room for a busy machine


def fail(message):
    print(f"read_bench: {message}", file=sys.stderr)
    sys.exit(1)


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def one_shot(cli, port):
    """Seconds of wall and CPU time per read, one process per read, by program."""
    commands = {
        "tarvel": [cli, "read", f"tcp://127.0.0.1:{port}", "100", "uint16"],
        # -0: the reference is the PDU address, as tarvel-cli's (mbpoll counts
        # from 1 otherwise); -1: one poll, then exit.
        "mbpoll": ["mbpoll", "-1", "-0", "-r", "100", "-p", str(port), "127.0.0.1"],
    }
    wall = dict.fromkeys(commands, 0.0)
    cpu = dict.fromkeys(commands, 0.0)
    per_round = READS // ROUNDS
    for r in range(ROUNDS):
        order = list(commands) if r % 2 == 0 else list(commands)[::-1]
        for name in order:
            cpu_start = children_cpu()
            start = time.monotonic()
            for _ in range(per_round):
                try:
                    done = subprocess.run(commands[name], stdin=subprocess.DEVNULL,
                                          capture_output=True, text=True, timeout=RUN_TIMEOUT)
                except subprocess.TimeoutExpired:
                    fail(f"{name}: one read took over {RUN_TIMEOUT} s")
                last = done.stdout.strip().splitlines()[-1:] or [""]
                if done.returncode != 0 or not last[0].endswith(HOLDING_100):
                    fail(f"{name}: status {done.returncode}, read '{last[0]}' instead of "
                         f"{HOLDING_100}: {done.stderr.strip()}")
            wall[name] += time.monotonic() - start
            cpu[name] += children_cpu() - cpu_start
    return {n: (wall[n] / READS, cpu[n] / READS) for n in commands}


def polling(cli, port):
    """Wall and CPU seconds per read of one process polling READS times, for
    each program. The two run at once: at 100 Hz each mostly sleeps, and so
    both meet the same machine and the bench stays short."""
    commands = {
        "tarvel": [cli, "read", f"tcp://127.0.0.1:{port}", "100", "uint16",
                   "--watch", str(INTERVAL_MS / 1000), "--samples", str(READS)],
        # -l 10 is mbpoll's fastest poll rate, and it has no sample count: it
        # is stopped with SIGINT after its READS-th read. stdbuf, so that each
        # read reaches the pipe as it is made.
        "mbpoll": ["stdbuf", "-oL", "mbpoll", "-l", str(INTERVAL_MS), "-0", "-r", "100",
                   "-p", str(port), "127.0.0.1"],
    }
    is_read = {"tarvel": lambda line: "," in line,
               "mbpoll": lambda line: line.startswith("[100]:")}
    start = time.monotonic()
    processes = {n: subprocess.Popen(c, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE) for n, c in commands.items()}
    by_fd = {p.stdout.fileno(): n for n, p in processes.items()}
    pending = dict.fromkeys(commands, b"")
    reads = {n: 0 for n in commands}
    took = {}
    results = {}
    try:
        while by_fd:
            left = start + POLL_TIMEOUT - time.monotonic()
            if left <= 0:
                fail(", ".join(f"{n}: {reads[n]} of {READS} reads" for n in commands)
                     + f" in {POLL_TIMEOUT} s")
            for fd in select.select(list(by_fd), [], [], left)[0]:
                name = by_fd[fd]
                chunk = os.read(fd, 65536)
                if not chunk:
                    fail(f"{name}: ended after {reads[name]} of {READS} reads: "
                         + processes[name].stderr.read().decode().strip())
                *lines, pending[name] = (pending[name] + chunk).split(b"\n")
                for line in (l.decode() for l in lines):
                    if not is_read[name](line):
                        continue
                    if not line.endswith(HOLDING_100):
                        fail(f"{name}: read '{line}' instead of {HOLDING_100}")
                    reads[name] += 1
                if reads[name] >= READS:
                    took[name] = time.monotonic() - start
                    del by_fd[fd]
        for name, process in processes.items():
            results[name] = (took[name] / READS, stop(process, name) / READS)
    finally:
        for process in processes.values():
            if process.returncode is None:
                process.kill()
                reap(process)
    return results


def reap(process):
    """Waits for the process and returns its CPU seconds (user + system)."""
    try:
        _, status, usage = os.wait4(process.pid, 0)
    except ChildProcessError:  # reaped already, on the way out after a signal
        process.returncode = -1
        return 0.0
    process.returncode = os.waitstatus_to_exitcode(status)
    return usage.ru_utime + usage.ru_stime


def stop(process, name):
    """Stops mbpoll as Ctrl+C does (tarvel-cli ends after its samples), reaps
    the process and gives its CPU seconds. Fails if it does not end, or if
    tarvel-cli ends in error."""
    deadline = time.monotonic() + RUN_TIMEOUT
    if name == "mbpoll":
        process.send_signal(signal.SIGINT)
    while os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOHANG | os.WNOWAIT) is None:
        if time.monotonic() > deadline:
            fail(f"{name}: did not end within {RUN_TIMEOUT} s")
        time.sleep(0.01)
    cpu = reap(process)
    if name == "tarvel" and process.returncode != 0:
        fail(f"{name}: status {process.returncode}: {process.stderr.read().decode().strip()}")
    return cpu


def millis(stamp):
    when = datetime.datetime.strptime(stamp, "%Y-%m-%dT%H:%M:%S.%fZ")
    return round(when.replace(tzinfo=datetime.timezone.utc).timestamp() * 1000)


def watch(cli, port):
    """The figures of a 100 Hz watch, in ms, from the stamps of its lines: the
    schedule is the first stamp + k intervals for the k-th line, so a slot
    skipped after a stall counts as lateness from then on."""
    command = [cli, "read", f"tcp://127.0.0.1:{port}", "100", "float",
               "--watch", str(INTERVAL_MS / 1000), "--samples", str(READS)]
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE)
    # Arrival times on the monotonic clock tell a stepped wall clock from a stall.
    stamps, arrivals, pending = [], [], b""
    deadline = time.monotonic() + POLL_TIMEOUT
    fd = process.stdout.fileno()
    try:
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                fail(f"watch: {len(stamps)} of {READS} reads in {POLL_TIMEOUT} s")
            if not select.select([fd], [], [], left)[0]:
                continue
            chunk = os.read(fd, 65536)
            if not chunk:
                break
            *lines, pending = (pending + chunk).split(b"\n")
            for line in (l.decode() for l in lines):
                stamp, _, value = line.partition(",")
                if value != PI:
                    fail(f"watch: read '{line}', not a stamp and {PI}")
                stamps.append(millis(stamp))
                arrivals.append(time.monotonic() * 1000)
        stop(process, "tarvel")
    finally:
        if process.returncode is None:
            process.kill()
            reap(process)
    failures = len(process.stderr.read().decode().strip().splitlines())
    if len(stamps) < 2:
        fail(f"watch: {len(stamps)} lines")
    gaps = [b - a for a, b in zip(stamps, stamps[1:])]
    late = [t - (stamps[0] + k * INTERVAL_MS) for k, t in enumerate(stamps)]
    span = stamps[-1] - stamps[0]
    return {
        "lines": len(stamps),
        "max_gap": max(gaps),
        "long_gaps": sum(g > 2 * INTERVAL_MS for g in gaps),
        "max_late": max(late),
        "late_reads": sum(t >= INTERVAL_MS for t in late),
        "skipped": round(span / INTERVAL_MS) + 1 - len(stamps),
        "clock_step": span - round(arrivals[-1] - arrivals[0]),
        "failures": failures,
    }


def main():
    if len(sys.argv) != 3:
        print("usage: read_bench.py TARVEL_CLI PORT", file=sys.stderr)
        return 2
    cli, port = sys.argv[1], sys.argv[2]
    # Exiting through Python's exceptions kills and reaps the reader running;
    # a second signal must not cut that short.
    def end(number, _):
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        sys.exit(128 + number)

    signal.signal(signal.SIGINT, end)
    signal.signal(signal.SIGTERM, end)

    shots = one_shot(cli, port)
    polls = polling(cli, port)
    w = watch(cli, port)

    def row(label, figures):
        (tw, tc), (mw, mc) = figures["tarvel"], figures["mbpoll"]
        print(f"read: {label:<27} tarvel {tw * 1e3:6.3f} ms/read (cpu {tc * 1e3:5.3f})"
              f"  mbpoll {mw * 1e3:6.3f} ms/read (cpu {mc * 1e3:5.3f})  ratio {mw / tw:5.2f}")

    row(f"{READS} one-shot reads", shots)
    row(f"{READS} polls, one process", polls)
    met = w["lines"] == READS and w["max_late"] < INTERVAL_MS
    print(f"watch: {READS} reads at 100 Hz    {w['lines']} lines  max gap {w['max_gap']} ms"
          f"  gaps > {2 * INTERVAL_MS} ms: {w['long_gaps']}  max late {w['max_late']} ms"
          f"  ({'met' if met else 'MISSED'}: {READS} lines, late < {INTERVAL_MS} ms)")
    if not met or w["failures"]:
        print(f"watch: {w['late_reads']} reads {INTERVAL_MS} ms or more late,"
              f" {w['skipped']} slots skipped, {w['failures']} failed reads")
    if abs(w["clock_step"]) > 2 * INTERVAL_MS:
        print(f"watch: the wall clock stepped {w['clock_step']} ms during the watch:"
              " its stamps do not time it")
    print("ratio: mbpoll's time per read over tarvel-cli's (above 1: tarvel-cli is faster);"
          " cpu: user + system ms per read")
    print("one-shot: mbpoll's time includes the 20 ms it waits after connecting, before its request")
    print(f"polls: both at once, at their fastest rate, {INTERVAL_MS} ms: tarvel-cli on a fixed"
          " schedule, mbpoll sleeping that long after each read")
    return 0


if __name__ == "__main__":
    sys.exit(main())
