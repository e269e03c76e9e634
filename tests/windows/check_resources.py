#!/usr/bin/env python3
"""Reads the resources back from built Tarvel.exe files (with icoutils'
wrestool) and checks them against their one definitions: the dialog template
in res/converter_dialog.def, the identifiers in res/resource.h and the version
block in res/version.h.

Usage: check_resources.py Tarvel.exe [Tarvel.exe ...]
"""
import re
import struct
import subprocess
import sys
from pathlib import Path

RES = Path(__file__).resolve().parents[2] / "res"
LANG_EN_US, LANG_EN_GB = 1033, 2057
CLASS_ORDINALS = {0x80: "Button", 0x81: "Edit", 0x82: "Static"}


def macros(path):
    out = {}
    for name, value in re.findall(r"#define\s+(\w+)\s+(.+)", path.read_text()):
        out[name] = value.strip()
    return out


def number(text, ids):
    text = ids.get(text, text).strip("()")
    return int(text, 0)


def expected_dialog():
    ids = macros(RES / "resource.h")
    text = (RES / "converter_dialog.def").read_text()
    text = "\n".join(l for l in text.splitlines() if not l.lstrip().startswith("//"))
    args = lambda body: [a.strip() for a in re.findall(r'"[^"]*"|[^,]+', body)]
    d = args(re.search(r"DIALOG_TEMPLATE\(([^)]*)\)", text, re.S).group(1))
    dialog = dict(id=number(d[0], ids), rect=tuple(int(v) for v in d[1:5]), caption=d[5].strip('"'),
                  style=int(d[6], 0), ex_style=int(d[7], 0), font=d[8].strip('"'),
                  points=int(d[9]), weight=int(d[10]), italic=int(d[11]), charset=int(d[12]))
    items = []
    for body in re.findall(r"DIALOG_CONTROL\(([^)]*)\)", text):
        c = args(body)
        items.append(dict(id=number(c[0], ids) & 0xFFFF, cls=c[1].strip('"').upper(), text=c[2].strip('"'),
                          rect=tuple(int(v) for v in c[3:7]), style=int(c[7], 0)))
    return dialog, items


def resource(exe, rtype, name):
    listing = subprocess.run(["wrestool", "-l", f"--type={rtype}", f"--name={name}", exe],
                             check=True, capture_output=True, text=True).stdout
    language = int(re.search(r"--language=(\d+)", listing).group(1))
    data = subprocess.run(["wrestool", "-x", "--raw", f"--type={rtype}", f"--name={name}", exe],
                          check=True, capture_output=True).stdout
    return language, data


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def wstr(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def sz_or_ord(self):
        if self.data[self.at:self.at + 2] == b"\xff\xff":
            self.at += 2
            return self.take("H")
        return self.wstr()

    def align(self):
        self.at = (self.at + 3) & ~3


def read_dialog(data):
    r = Reader(data)
    version, signature, _help, ex_style, style, count = r.take("HHIIIH")
    assert (version, signature) == (1, 0xFFFF), "not an extended dialog template"
    rect = r.take("hhhh")
    menu, window_class, caption = r.sz_or_ord(), r.sz_or_ord(), r.wstr()
    points, weight, italic, charset = r.take("HHBB")
    dialog = dict(rect=rect, caption=caption, style=style, ex_style=ex_style, font=r.wstr(),
                  points=points, weight=weight, italic=italic, charset=charset,
                  menu=menu, window_class=window_class)
    items = []
    for _ in range(count):
        r.align()
        _help, _ex, item_style = r.take("III")
        item_rect = r.take("hhhh")
        item_id = r.take("I") & 0xFFFF
        cls = r.sz_or_ord()
        title = r.sz_or_ord()
        extra = r.take("H")
        r.at += extra
        items.append(dict(id=item_id, cls=CLASS_ORDINALS.get(cls, cls).upper(), text=title,
                          rect=item_rect, style=item_style))
    return dialog, items


def read_version(data):
    """The fixed part and the strings of a VS_VERSIONINFO block."""
    def block(at):
        length, value_length, kind = struct.unpack_from("<HHH", data, at)
        r = Reader(data)
        r.at = at + 6
        key = r.wstr()
        r.align()
        value_at = r.at
        value_end = value_at + (value_length * 2 if kind == 1 else value_length)
        children, child = [], (value_end + 3) & ~3
        while child < at + length:
            children.append(block(child))
            child = (child + children[-1]["length"] + 3) & ~3
        value = data[value_at:value_end]
        return dict(key=key, kind=kind, value=value, children=children, length=length)

    root = block(0)
    fixed = struct.unpack_from("<13I", root["value"])
    strings, translation = {}, None
    for child in root["children"]:
        if child["key"] == "StringFileInfo":
            for table in child["children"]:
                for entry in table["children"]:
                    strings[(table["key"], entry["key"])] = entry["value"].decode("utf-16-le").rstrip("\0")
        if child["key"] == "VarFileInfo":
            translation = struct.unpack_from("<HH", child["children"][0]["value"])
    return fixed, strings, translation


def check(exe):
    problems = []

    def expect(what, got, want):
        if got != want:
            problems.append(f"{exe}: {what}: got {got!r}, want {want!r}")

    want_dialog, want_items = expected_dialog()
    language, data = resource(exe, 5, want_dialog["id"])
    expect("dialog language", language, LANG_EN_US)
    dialog, items = read_dialog(data)
    for key in ("rect", "caption", "style", "ex_style", "font", "points", "weight", "italic", "charset"):
        expect(f"dialog {key}", dialog[key], want_dialog[key])
    expect("dialog menu and class", (dialog["menu"], dialog["window_class"]), ("", ""))
    expect("control count", len(items), len(want_items))
    for got, want in zip(items, want_items):
        expect(f"control {want['id']}", got, want)

    ids = macros(RES / "resource.h")
    language, group = resource(exe, 14, number("IDR_APP_ICON", ids))
    expect("icon language", language, LANG_EN_GB)
    _reserved, kind, count = struct.unpack_from("<HHH", group)
    images = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k) for k in range(count)]
    expect("icon images (w, h, colours, bits, id)",
           [(w, h, colours, bits, icon_id) for w, h, colours, _r, _p, bits, _s, icon_id in images],
           [(32, 32, 16, 4, 1), (16, 16, 16, 4, 2)])

    v = macros(RES / "version.h")
    language, data = resource(exe, 16, 1)
    expect("version language", language, LANG_EN_US)
    fixed, strings, translation = read_version(data)
    n = [int(v[f"TARVEL_VERSION_{p}"]) for p in ("MAJOR", "MINOR", "PATCH", "BUILD")]
    ms, ls = (n[0] << 16) | n[1], (n[2] << 16) | n[3]
    expect("fixed file info", fixed[2:13], (ms, ls, ms, ls, 0x3F, 0, 0x4, 0x1, 0, 0, 0))
    keys = ["CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalTrademarks",
            "OriginalFilename", "ProductName", "ProductVersion"]
    macro = lambda key: "TARVEL_" + re.sub(r"(?<!^)([A-Z])", r"_\1", key).upper()
    want_strings = {("040904B0", k): v[macro(k)].strip('"') for k in keys}
    expect("version strings", strings, want_strings)
    expect("translation", translation, (0x0409, 1200))
    return problems


def main():
    problems = []
    for exe in sys.argv[1:]:
        problems += check(exe)
    for problem in problems:
        print("FAIL:", problem)
    failed = len({p.split(":")[0] for p in problems})
    print(f"resources: {len(sys.argv) - 1 - failed} passed, {failed} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
