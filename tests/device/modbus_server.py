#!/usr/bin/python3
"""A Modbus server with known registers, for the tests of the device layer and
of `tarvel-cli read`. It runs on Debian 12's python3-pymodbus (3.0) and, for
RTU, python3-serial-asyncio.

Usage:
  modbus_server.py --tcp PORT [OPTION...]    TCP; PORT 0 picks a free one
  modbus_server.py --rtu PATH [OPTION...]    RTU on a serial device, such as one end
                                             of a socat pty pair (the reader opens
                                             the other end, with parity N: a pty
                                             keeps none)
  --baud RATE                                the serial line's rate (9600; a pty ignores it)
Once it serves, it prints one line, the TCP port or the serial path, and runs
until it is killed. Every unit number gets the same registers. It listens on
127.0.0.1 only.

Options, each to misbehave for a test (ADDRESS is a register address; a read
is hit when its range covers ADDRESS; options may be repeated):
  --exception ADDRESS:CODE  answer exception CODE (1 to 255)
  --silent ADDRESS          never answer, so that the reader times out
  --bad-crc ADDRESS         answer with the RTU frame's CRC corrupted
  --drop-after N            on each TCP connection, answer N requests, then
                            close the connection on the next one unanswered
  --log FILE                append a line for every request, as it comes:
                            "unit U function F address A count N"
Any request but a read of holding or input registers (function 3 or 4) is
answered with illegal function (1): a reader that writes is caught.

Registers 0-199 of each table exist (zero but for the values below); a read
that goes past 199 is answered with illegal data address (2).

Holding registers (function 3):
  100-101  float32 pi, ABCD        16457 4059
  102-103  float32 pi, CDAB        4059 16457
  104-105  float32 pi, BADC        18752 56079
  106-107  float32 pi, DCBA        56079 18752
  110-113  float64 pi, ABCDEFGH    16393 8699 21572 11544
  114-117  float64 pi, GHEFCDAB    11544 21572 8699 16393
  118-121  float64 pi, BADCFEHG    2368 64289 17492 6189
  122-125  float64 pi, HGFEDCBA    6189 17492 64289 2368
  130      int16 -1234             64302
  131      uint16 54321            54321
Input registers (function 4), the same places holding e and other integers:
  100-101  float32 e, ABCD         16429 63572
  102-103  float32 e, CDAB         63572 16429
  104-105  float32 e, BADC         11584 21752
  106-107  float32 e, DCBA         21752 11584
  110-113  float64 e, ABCDEFGH     16389 48906 35604 22377
  114-117  float64 e, GHEFCDAB     22377 35604 48906 16389
  118-121  float64 e, BADCFEHG     1344 2751 5259 26967
  122-125  float64 e, HGFEDCBA     26967 5259 2751 1344
  130      int16 -4321             61215
  131      uint16 12345            12345
"""
import argparse
import asyncio
import logging
import math
import struct
import sys

from pymodbus.datastore import (ModbusSequentialDataBlock, ModbusServerContext,
                                ModbusSlaveContext)
from pymodbus.framer.rtu_framer import ModbusRtuFramer
from pymodbus.framer.socket_framer import ModbusSocketFramer
from pymodbus.server.async_io import (ModbusConnectedRequestHandler, ModbusSerialServer,
                                      ModbusSingleRequestHandler, ModbusTcpServer)

TABLE_SIZE = 200
ILLEGAL_FUNCTION = 1


def words(data):
    return [int.from_bytes(data[i:i + 2], "big") for i in range(0, len(data), 2)]


def in_four_orders(data):
    """The 16-bit words of `data` (big-endian bytes) in ABCD, CDAB, BADC, DCBA."""
    swapped = b"".join(data[i:i + 2][::-1] for i in range(0, len(data), 2))
    return words(data) + words(data)[::-1] + words(swapped) + words(data[::-1])


def table(value, int16, uint16):
    registers = [0] * TABLE_SIZE
    registers[100:108] = in_four_orders(struct.pack(">f", value))
    registers[110:126] = in_four_orders(struct.pack(">d", value))
    registers[130] = int16 & 0xFFFF
    registers[131] = uint16
    return ModbusSequentialDataBlock(0, registers)


def covers(request, address):
    first = getattr(request, "address", -1)
    return first <= address < first + getattr(request, "count", 1)


class Misbehaviour:
    """What the handlers below do instead of answering, set from the options."""

    exceptions = {}
    silent = set()
    bad_crc = set()
    drop_after = None
    log = None


class MisbehavingHandler:
    """Answers as pymodbus does, but for what Misbehaviour asks."""

    def __init__(self, owner):
        super().__init__(owner)
        self.answered = 0
        self.corrupt_next = False

    def execute(self, request, *addr):
        if Misbehaviour.log is not None:
            print(f"unit {request.unit_id} function {request.function_code} "
                  f"address {getattr(request, 'address', -1)} count {getattr(request, 'count', 0)}",
                  file=Misbehaviour.log, flush=True)
        if any(covers(request, a) for a in Misbehaviour.silent):
            return
        if Misbehaviour.drop_after is not None and self.answered >= Misbehaviour.drop_after:
            self.transport.close()
            return
        self.answered += 1
        self.corrupt_next = any(covers(request, a) for a in Misbehaviour.bad_crc)
        code = next((c for a, c in Misbehaviour.exceptions.items() if covers(request, a)), None)
        if request.function_code not in (3, 4):
            code = ILLEGAL_FUNCTION
        if code is None:
            super().execute(request, *addr)
            return
        response = request.doException(code)
        response.transaction_id = request.transaction_id
        response.unit_id = request.unit_id
        self.send(response, *addr)

    def _send_(self, data, *addr):
        if self.corrupt_next:
            data = data[:-1] + bytes([data[-1] ^ 0xFF])
            self.corrupt_next = False
        super()._send_(data, *addr)


class TcpHandler(MisbehavingHandler, ModbusConnectedRequestHandler):
    pass


class SerialHandler(MisbehavingHandler, ModbusSingleRequestHandler):
    pass


def address_code(text):
    address, code = text.split(":")
    return int(address), int(code)


async def serve(args, context):
    if args.rtu is not None:
        server = ModbusSerialServer(context, framer=ModbusRtuFramer, port=args.rtu,
                                    handler=SerialHandler, baudrate=args.baud)
        await server.start()
        print(args.rtu, flush=True)
        await server.serve_forever()
        return
    server = ModbusTcpServer(context, framer=ModbusSocketFramer, address=("127.0.0.1", args.tcp),
                             handler=TcpHandler, allow_reuse_address=True)
    task = asyncio.create_task(server.serve_forever())
    await server.serving
    print(server.server.sockets[0].getsockname()[1], flush=True)
    await task


def main():
    parser = argparse.ArgumentParser(description="A Modbus server with known registers.")
    where = parser.add_mutually_exclusive_group(required=True)
    where.add_argument("--tcp", type=int, metavar="PORT")
    where.add_argument("--rtu", metavar="PATH")
    parser.add_argument("--baud", type=int, default=9600)
    parser.add_argument("--exception", type=address_code, action="append", default=[],
                        metavar="ADDRESS:CODE")
    parser.add_argument("--silent", type=int, action="append", default=[], metavar="ADDRESS")
    parser.add_argument("--bad-crc", type=int, action="append", default=[], metavar="ADDRESS")
    parser.add_argument("--drop-after", type=int, metavar="N")
    parser.add_argument("--log", metavar="FILE")
    args = parser.parse_args()
    if args.rtu is not None and args.drop_after is not None:
        parser.error("--drop-after is for TCP: a serial line has no connection to drop")
    if args.tcp is not None and args.bad_crc:
        parser.error("--bad-crc is for RTU: a TCP answer has no CRC")

    Misbehaviour.exceptions = dict(args.exception)
    Misbehaviour.silent = set(args.silent)
    Misbehaviour.bad_crc = set(args.bad_crc)
    Misbehaviour.drop_after = args.drop_after
    if args.log is not None:
        Misbehaviour.log = open(args.log, "a", encoding="ascii")
    # pymodbus logs every exception answer and closed connection; a test
    # server's output is its one line.
    logging.disable(logging.CRITICAL)

    slave = ModbusSlaveContext(hr=table(math.pi, -1234, 54321), ir=table(math.e, -4321, 12345),
                               zero_mode=True)
    try:
        asyncio.run(serve(args, ModbusServerContext(slaves=slave, single=True)))
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
