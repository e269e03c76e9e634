#!/usr/bin/env python3
"""Writes the standard inputs that cli_wine_diff.sh feeds to both builds of
tarvel-cli: the same bytes on every run (a fixed seed), with hostile bytes,
"\\r\\n" and bare "\\n" line ends, and no line end after the last line.
Usage: cli_inputs.py DIR"""
import random
import sys
from pathlib import Path

rng = random.Random(20240601)
ORDERS = ("ABCD DCBA CDAB BADC big little word-swap byte-swap 1234 4321 3412 2143 "
          "ABCDEFGH HGFEDCBA GHEFCDAB BADCFEHG AB BA").split()
FORMATS = ["fixed", "shortest", "exact", "hex"]
UNITS = "Pa hPa kPa MPa bar mbar psi atm Torr mmHg inHg mH2O".split()
SPECIAL = ["inf", "-inf", "nan", "-nan", "Infinity", "-0", "0", "1e400", "-1e400",
           "4.9e-324", "2.2250738585072014e-308", "0x1p3", "1,5", "1.5.5", "+7", "--5",
           ".5", "5.", "1e", "e5", " 12 ", "\t3.25\t", "", "kPa", "50kPa", "1_000"]


def hex_text():
    """Bytes as people and programs write them, and as they should not."""
    kind = rng.randrange(10)
    pairs = [f"{rng.randrange(256):02X}" for _ in range(rng.choice([1, 2, 3, 4, 8, 9]))]
    if kind < 4:
        return "".join(pairs).encode()
    if kind < 6:
        sep = rng.choice([" ", "  ", "\t", ",", "-", ":"])
        return sep.join(p.lower() if rng.random() < 0.3 else p for p in pairs).encode()
    if kind < 8:
        return ("0x" + "".join(pairs)).encode() if kind == 6 else ("".join(pairs)[:-1]).encode()
    # Anything at all: control bytes, zero bytes, bytes above 0x7F.
    return bytes(rng.randrange(256) for _ in range(rng.randrange(40))).replace(b"\n", b"")


def number_text():
    kind = rng.randrange(6)
    if kind == 0:
        return rng.choice(SPECIAL).encode()
    if kind == 1:
        return f"{rng.uniform(-1e6, 1e6):.{rng.randrange(12)}f}".encode()
    if kind == 2:
        return f"{rng.uniform(-10, 10):.6e}".replace("e", rng.choice("eE")).encode()
    if kind == 3:
        return str(rng.randrange(-200000, 200000)).encode()
    if kind == 4:
        return repr(rng.uniform(0, 2000)).encode()
    return bytes(rng.randrange(1, 256) for _ in range(rng.randrange(12))).replace(b"\n", b"")


def options(command):
    """Valid options for a session line of `command`, in a random mix."""
    words = []
    if command in ("float", "double", "half", "bfloat16") and rng.random() < 0.6:
        words += ["--order", rng.choice(ORDERS)]
    if command in ("depth", "pressure-at"):
        # Only options that go together: contradicting ones are refused.
        model = rng.choice(["dialog", "physical", "unesco", None])
        if model == "unesco":
            words += ["--model", "unesco", "--latitude", str(rng.randrange(-90, 91))]
            words += rng.choice([[], ["--surface", "101.325"]])
        elif model != "dialog":
            words += rng.choice([[], ["--surface", "101.325"], ["--density", "1025.5"],
                                 ["--fluid", rng.choice(["seawater", "freshwater"])],
                                 ["--gravity", "9.81"], ["--latitude", "45.5"]])
        if model in ("dialog", "physical"):
            words += ["--model", model]
    if command != "pressure" and rng.random() < 0.5:
        words += rng.choice([["--format", rng.choice(FORMATS)],
                             ["--digits", str(rng.randrange(61))]])
    if words and rng.random() < 0.2:
        words.append("--")
    return [w.encode() for w in words]


def session_line():
    command = rng.choice(["float", "double", "half", "bfloat16", "psi", "metres",
                          "pressure", "depth", "pressure-at"])
    if rng.random() < 0.08 and command in ("float", "double", "half", "bfloat16", "psi"):
        return command.encode()  # a click without typing
    if command in ("float", "double", "half", "bfloat16"):
        text = hex_text().replace(b"\r", b"")
    elif command == "pressure":
        text = f"{rng.uniform(-500, 5000):.3f} {rng.choice(UNITS)} {rng.choice(UNITS)}".encode()
    elif command in ("depth", "pressure-at"):
        text = f"{rng.uniform(-100, 20000):.{rng.randrange(6)}f}".encode()
    else:
        text = number_text().replace(b"\r", b"")
    words = options(command)
    if text.startswith(b"--") and b"--" not in words:
        words.append(b"--")  # a TEXT such as "--5" is no option
    return b" ".join([command.encode()] + words + [text])


def log_line():
    """A logger's CSV line: a time, a hex field (quoted at times), a state."""
    value = hex_text().replace(b"\r", b"").replace(b"\n", b"")
    if rng.random() < 0.3:
        value = b'"' + value.replace(b'"', b'""') + b'"'
    return b"2026-12-08T10:00:%02dZ," % rng.randrange(60) + value + b",ok"


def record_line():
    return b" ".join(b"%0*X" % (2 * n, rng.getrandbits(8 * n)) for n in (4, 2, 2))


def lines(make, count):
    """`count` lines; about one in four ends in "\\r\\n", a few are blank."""
    out = bytearray()
    for k in range(count):
        line = make() if rng.random() > 0.03 else rng.choice([b"", b"   ", b"\t"])
        out += line + (b"\r\n" if rng.random() < 0.25 else b"\n")
    return bytes(out[:-1])  # no line end after the last line


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "hex.txt").write_bytes(lines(hex_text, 3000))
    (out / "numbers.txt").write_bytes(lines(number_text, 2000))
    (out / "depths.txt").write_bytes(
        lines(lambda: f"{rng.uniform(-100, 20000):.{rng.randrange(8)}f}".encode(), 1000))
    (out / "inspect.txt").write_bytes(lines(hex_text, 150))
    (out / "session.txt").write_bytes(lines(session_line, 3000))
    (out / "log.csv").write_bytes(b"time,raw,state\n" + lines(log_line, 1000).replace(b"\n\n", b"\n"))
    (out / "records.txt").write_bytes(lines(record_line, 1000))
    (out / "capture.bin").write_bytes(b"HD" + rng.randbytes(4 * 2000))
    # Results, then a line past the 64 MiB limit: a failure, not a crash.
    (out / "long.txt").write_bytes(b"3F800000\r\n40\n" + b"4" * ((64 << 20) + 1) + b"\n3F\n")


main()
