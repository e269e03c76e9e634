#!/usr/bin/python3
"""A Modbus server that misbehaves on demand and logs every request, for the
tests of how `tarvel-cli read` copes with a device that answers late, twice,
wrongly or not at all. It needs nothing but Python's standard library.

Usage:
  misbehaving_server.py --tcp PORT [OPTION...]   TCP on 127.0.0.1; PORT 0 picks a free one
  misbehaving_server.py --rtu PATH [OPTION...]   RTU on a serial device, such as one end
                                                 of a socat pty pair (no parity: a pty
                                                 keeps none)
Once it serves, it prints one line, the TCP port or the serial path, and runs
until it is killed. TCP connections may come one after another: a reader may
reconnect.

It answers reads of coils (1), discrete inputs (2), holding registers (3) and
input registers (4) for every unit, echoing the unit back. Any other function
gets illegal function (1); a count of 0, of over 125 registers or 2000 bits,
or a range past address 65535 gets illegal data value (3).
  holding register A of unit U   (U*1000 + A) % 65536
  input register A of unit U     (U*1000 + A + 500) % 65536
  coil A                         on when A % 3 == 0
  discrete input A               on when A % 2 == 1

Requests are numbered from 1 as they come, across connections.
  --log FILE               append a line per request, at once: "N unit U function F
                           address A count C", and " tid T" over TCP
  --numbered               every register of an answer holds its request's number
Options to misbehave, which may be combined:
  --late N:MS              answer request N MS milliseconds late; the requests
                           that come meanwhile are answered after it, in order
  --stale                  after each answer, send a leftover answer to a read of
                           one holding register: 0x1234, over TCP with the next tid
  --other-unit             answer with the request's unit + 1
  --protocol P             answer with protocol id P (TCP)
  --other-tid              answer with the request's transaction id + 1 (TCP)
  --half                   send the first half of each answer, never the rest
  --garbage                answer FF FF FF, with no header
  --bad-crc                answer with the CRC's low byte inverted (RTU)
  --exception CODE:TIMES   answer exception CODE to the first TIMES requests
  --silent                 never answer
"""
import argparse
import os
import select
import signal
import socket
import struct
import sys
import time
import tty

BITS = (1, 2)
REGISTERS = (3, 4)
RTU_READ = 8    # unit, function, address, count, CRC
RTU_QUIET = 0.05  # seconds of silence that end an RTU frame of another length


def crc16(data):
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return struct.pack("<H", crc)


def address_count(pdu):
    # Zeros for what a short request lacks, so that the log still has a line for it.
    return struct.unpack(">HH", (pdu[1:5] + bytes(4))[:4])


def answer_pdu(args, number, unit, pdu):
    function = pdu[0]
    if args.exception and number <= args.exception[1]:
        return bytes([function | 0x80, args.exception[0]])
    if function not in BITS + REGISTERS:
        return bytes([function | 0x80, 1])
    address, count = address_count(pdu)
    most = 125 if function in REGISTERS else 2000
    if len(pdu) != 5 or not 1 <= count <= most or address + count > 65536:
        return bytes([function | 0x80, 3])
    if function in REGISTERS:
        first = unit * 1000 + address + (500 if function == 4 else 0)
        words = [number if args.numbered else first + i for i in range(count)]
        data = struct.pack(">%dH" % count, *(w % 65536 for w in words))
    else:
        on = (lambda a: a % 3 == 0) if function == 1 else (lambda a: a % 2 == 1)
        data = bytearray((count + 7) // 8)
        for i in range(count):
            data[i // 8] |= on(address + i) << (i % 8)
    return bytes([function, len(data)]) + bytes(data)


def frame(tid, protocol, unit, pdu, crc_flip=0):
    """An answer frame: RTU when tid is None, else TCP."""
    if tid is None:
        crc = crc16(bytes([unit]) + pdu)
        return bytes([unit]) + pdu + bytes([crc[0] ^ crc_flip, crc[1]])
    return struct.pack(">HHHB", tid % 65536, protocol, len(pdu) + 1, unit) + pdu


def reply(args, number, tid, unit, pdu):
    """The bytes that request `number` gets, b"" for none."""
    if args.silent:
        return b""
    if args.garbage:
        out = b"\xff\xff\xff"
    else:
        answer_tid = tid + 1 if tid is not None and args.other_tid else tid
        answer_unit = (unit + 1) % 256 if args.other_unit else unit
        out = frame(answer_tid, args.protocol, answer_unit, answer_pdu(args, number, unit, pdu),
                    0xFF if args.bad_crc else 0)
    if args.half:
        return out[:max(1, len(out) // 2)]
    if args.stale:
        out += frame(None if tid is None else tid + 1, 0, unit, bytes([3, 2, 0x12, 0x34]))
    return out


class Line:
    """A TCP connection or the serial line: the bytes come in, the answers wait to go."""

    def __init__(self, sock=None, fd=None):
        self.sock, self.fd = sock, fd
        self.rx = b""
        self.heard = 0.0
        self.queue = []  # [when due, bytes], in the order of the requests

    def fileno(self):
        return self.sock.fileno() if self.sock else self.fd

    def receive(self):
        return self.sock.recv(4096) if self.sock else os.read(self.fd, 4096)

    def close(self, lines):
        self.sock.close()
        lines.remove(self)

    def send(self, data):
        if not data:
            return
        if self.sock:
            self.sock.sendall(data)
        else:
            os.write(self.fd, data)

    def requests(self, now):
        """Takes the whole requests off rx: (tid, unit, pdu) each; tid None on RTU."""
        out = []
        while self.rx:
            rx = self.rx
            if self.sock:
                if len(rx) < 7:
                    break
                tid, _, length, unit = struct.unpack(">HHHB", rx[:7])
                if not 2 <= length <= 254:
                    raise ConnectionError("not a Modbus header")
                if len(rx) < 6 + length:
                    break
                out.append((tid, unit, rx[7:6 + length]))
                self.rx = rx[6 + length:]
                continue
            if len(rx) >= RTU_READ and rx[1] in BITS + REGISTERS:
                size = RTU_READ
            elif now - self.heard >= RTU_QUIET:
                size = len(rx)
            else:
                break
            request, self.rx = rx[:size], rx[size:]
            if len(request) >= 4 and crc16(request[:-2]) == request[-2:]:
                out.append((None, request[0], request[1:-2]))
            else:
                self.rx = b""  # out of step: start again with the next frame
        return out


def serve(args, listener, lines, log):
    number = 0
    late_number, late_ms = args.late or (0, 0)
    while True:
        now = time.monotonic()
        for line in list(lines):
            while line.queue and line.queue[0][0] <= now:
                data = line.queue.pop(0)[1]
                try:
                    line.send(data)
                except OSError:  # the reader went away, answers unread
                    if not line.sock:
                        return  # the serial line is gone (socat ended)
                    line.close(lines)
                    break
        waits = [line.queue[0][0] - now for line in lines if line.queue]
        waits += [line.heard + RTU_QUIET - now for line in lines if line.rx and not line.sock]
        timeout = max(0, min(waits)) if waits else None
        ready, _, _ = select.select(([listener] if listener else []) + lines, [], [], timeout)
        now = time.monotonic()
        for line in ready:
            if line is listener:
                sock = listener.accept()[0]
                # Answers go out as they are due, not held back to wait for an ACK.
                sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
                lines.append(Line(sock=sock))
                continue
            try:
                data = line.receive()
            except OSError:
                data = b""
            if not data and not line.sock:
                return  # the serial line is gone (socat ended): nothing left to serve
            if not data:
                line.close(lines)
                continue
            line.rx += data
            line.heard = now
        for line in list(lines):
            try:
                requests = line.requests(now)
            except ConnectionError:
                line.close(lines)
                continue
            for tid, unit, pdu in requests:
                number += 1
                if log:
                    address, count = address_count(pdu)
                    log.write("%d unit %d function %d address %d count %d%s\n" % (
                        number, unit, pdu[0], address, count,
                        "" if tid is None else " tid %d" % tid))
                    log.flush()
                due = now + late_ms / 1000 if number == late_number else now
                line.queue.append([due, reply(args, number, tid, unit, pdu)])


def pair(text):
    first, second = text.split(":")
    return int(first), int(second)


def main():
    parser = argparse.ArgumentParser(description="A Modbus server that misbehaves on demand.")
    where = parser.add_mutually_exclusive_group(required=True)
    where.add_argument("--tcp", type=int, metavar="PORT")
    where.add_argument("--rtu", metavar="PATH")
    parser.add_argument("--log", metavar="FILE")
    parser.add_argument("--numbered", action="store_true")
    parser.add_argument("--late", type=pair, metavar="N:MS")
    parser.add_argument("--stale", action="store_true")
    parser.add_argument("--other-unit", action="store_true")
    parser.add_argument("--protocol", type=int, default=0, metavar="P")
    parser.add_argument("--other-tid", action="store_true")
    parser.add_argument("--half", action="store_true")
    parser.add_argument("--garbage", action="store_true")
    parser.add_argument("--bad-crc", action="store_true")
    parser.add_argument("--exception", type=pair, metavar="CODE:TIMES")
    parser.add_argument("--silent", action="store_true")
    args = parser.parse_args()
    if args.exception and not 1 <= args.exception[0] <= 255:
        parser.error("--exception CODE is 1 to 255")

    # Killing it is how a test ends it: no traceback on the way out.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    log = open(args.log, "a") if args.log else None
    listener, lines = None, []
    if args.rtu is not None:
        fd = os.open(args.rtu, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(fd)  # 8 bits, no parity, no echo, no line editing
        lines.append(Line(fd=fd))
        print(args.rtu, flush=True)
    else:
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", args.tcp))
        listener.listen()
        print(listener.getsockname()[1], flush=True)
    try:
        serve(args, listener, lines, log)
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
