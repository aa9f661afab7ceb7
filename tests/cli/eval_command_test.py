#!/usr/bin/env python3
"""Runs the built program as `pexa --eval` and checks what it prints.

Every expected text is made here from Python's own arithmetic and libraries:
hexadecimal, octal and binary of the value with Python's formatting, the IP
address with socket.inet_ntoa, the float with struct, the date with datetime,
the characters with Python's cp932 codec. The program runs from a copy in a
fresh folder with an empty HOME and XDG_CONFIG_HOME, so that only the
settings file a case writes is read, and with no display at all
(DISPLAY and WAYLAND_DISPLAY unset, QT_QPA_PLATFORM=xcb): a Qt application
object would fail to find its platform there and abort the run.

usage: eval_command_test.py PEXA VERSION
"""

import datetime
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile

WIDTHS = {"byte": 8, "word": 16, "dword": 32, "int64": 64}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


class Program:
    def __init__(self, built, root):
        self.folder = os.path.join(root, "program")
        os.makedirs(self.folder)
        self.path = os.path.join(self.folder, "pexa")
        shutil.copy2(built, self.path)
        self.home = os.path.join(root, "home")
        self.config = os.path.join(root, "config")
        os.makedirs(self.home)
        os.makedirs(self.config)
        env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        env.update(HOME=self.home, XDG_CONFIG_HOME=self.config, QT_QPA_PLATFORM="xcb")
        self.env = env

    def settings(self, text):
        ini = os.path.join(self.folder, "pexa.ini")
        if text is None:
            if os.path.exists(ini):
                os.remove(ini)
        else:
            with open(ini, "w", encoding="ascii") as f:
                f.write(text)

    def run(self, *arguments, stdin=""):
        done = subprocess.run([self.path, *arguments], input=stdin.encode("utf-8"),
                              capture_output=True, env=self.env, timeout=60)
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def notations(text):
    """The label -> text table of one block of output."""
    table = {}
    for line in text.splitlines():
        label, _, rest = line.partition(" ")
        table[label] = rest.lstrip(" ")
    return table


def grouped(digits, size):
    """Digits in groups of `size` from the right, blank-separated."""
    groups = []
    while digits:
        groups.insert(0, digits[-size:])
        digits = digits[:-size]
    return " ".join(groups)


def float_text(x):
    """A float as the bar writes it: 15 significant digits, "E22" exponents."""
    return ("%.15G" % x).replace("E+", "E")


def size_text(number):
    """A byte count in binary units, "32K+672", "-1"."""
    if number < 0:
        return "-" + size_text(-number)
    parts = []
    for power, name in ((60, "E"), (50, "P"), (40, "T"), (30, "G"), (20, "M"), (10, "K")):
        if number >= 1 << power:
            parts.append(f"{number >> power}{name}")
            number &= (1 << power) - 1
    if number or not parts:
        parts.append(str(number))
    return "+".join(parts)


def expected_integer_bars(value, mode):
    """The radix, IP, float, time, size and ASCII texts of a value; Int64 reads
    signed, the narrower modes unsigned."""
    width = WIDTHS[mode]
    pattern = value & ((1 << width) - 1)
    number = pattern - (1 << 64) if width == 64 and pattern >> 63 else pattern
    data = pattern.to_bytes(width // 8, "big")
    bars = {
        "DEC": f"{number:,}",
        "HEX": grouped(f"{pattern:0{width // 4}X}", 4),
        "OCT": f"{pattern:0{(width + 2) // 3}o}",
        "BIN": grouped(f"{pattern:0{width}b}", 8 if width == 64 else 4),
        "CHR": "".join(chr(b) if 0x20 <= b <= 0x7E else "_" for b in data),
    }
    if mode == "dword":
        bars["IP"] = socket.inet_ntoa(data)
        bars["FLT"] = float_text(struct.unpack(">f", data)[0])
        moment = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=pattern)
        bars["TIME"] = moment.strftime("%Y/%m/%d %H:%M:%S")
    if mode == "int64" and struct.unpack(">d", data)[0] == struct.unpack(">d", data)[0]:
        bars["FLT"] = repr(struct.unpack(">d", data)[0])
    if pattern < 86400:
        minutes, seconds = divmod(pattern, 60)
        bars["DEG"] = "%02d:%02d:%02d" % (minutes // 60, minutes % 60, seconds)
    bars["KILO"] = size_text(number)
    return bars


LABELS = ["DEC", "HEX", "OCT", "BIN", "CHR", "IP", "DEG", "FLT", "TIME", "KILO"]

# Expression, mode, its value by Python's integers.
INTEGER_CASES = [
    ("(0x1F << 3) | 1", "dword", (0x1F << 3) | 1),
    ("1 << 20", "dword", 1 << 20),
    ("'A' + 1", "byte", ord("A") + 1),
    ("0x40490FDB", "dword", 0x40490FDB),
    ("1700000000", "dword", 1700000000),
    ("0x41424344", "dword", 0x41424344),
    ("~0xF & 0xFFFF", "word", ~0xF & 0xFFFF),
    ("-1", "int64", -1),
    ("0x400921FB54442D18", "int64", 0x400921FB54442D18),
    ("3 ** 5 - 7 * (2 + 1)", "dword", 3 ** 5 - 7 * (2 + 1)),
    ("0x3FC00000 >> 0", "dword", 0x3FC00000),
    ("12345 % 1000", "word", 12345 % 1000),
]


def check_integer_cases(program):
    program.settings(None)
    for text, mode, value in INTEGER_CASES:
        status, out, err = program.run("--eval", text, "--mode", mode)
        what = f"--eval {text!r} --mode {mode}"
        check(status == 0 and err == "", f"{what}: status {status}, stderr {err!r}")
        lines = out.splitlines()
        check([line.split(" ")[0] for line in lines] == LABELS, f"{what}: labels {lines}")
        columns = {len(line) - len(line.split(" ", 1)[-1].lstrip(" ")) for line in lines}
        check(len(columns) == 1 and min(columns) >= len("KILO") + 2,
              f"{what}: texts not in one column: {lines}")
        shown = notations(out)
        for label, expected in expected_integer_bars(value, mode).items():
            check(shown.get(label) == expected,
                  f"{what}: {label} {shown.get(label)!r}, expected {expected!r}")


def check_defaults_and_options(program):
    # Without a settings file: DWord, unsigned, grouped.
    program.settings(None)
    _, out, _ = program.run("--eval", "-1")
    check(notations(out).get("DEC") == f"{(1 << 32) - 1:,}", f"default mode: {out!r}")
    _, out, _ = program.run("--eval", "-1", "--signed")
    check(notations(out).get("DEC") == "-1", f"--signed: {out!r}")
    # Reverse: the decimal bar reads the bytes the other way round.
    _, out, _ = program.run("--eval", "0x12345678", "--reverse")
    reversed_value = int.from_bytes((0x12345678).to_bytes(4, "big"), "little")
    check(notations(out).get("DEC") == f"{reversed_value:,}", f"--reverse: {out!r}")

    # The saved mode, grouping and character encoding; --mode overrides the mode.
    program.settings("[Mode]\nCalcMode=1\nSeparated=0\nCharEncoding=1\n")
    sjis = "あ".encode("cp932")
    code = int.from_bytes(sjis, "big")
    status, out, err = program.run("--eval", "'あ' + 1")
    shown = notations(out)
    check(status == 0 and err == "", f"saved settings: {status} {err!r}")
    check(shown.get("HEX") == f"{code + 1:04X}", f"saved Word mode, no grouping: {out!r}")
    check(shown.get("CHR") == (code + 1).to_bytes(2, "big").decode("cp932"),
          f"Shift JIS character bar: {out!r}")
    _, out, _ = program.run("--eval", "0x8250", "--mode", "dword")
    shown = notations(out)
    check(shown.get("HEX") == "00008250", f"--mode over the saved mode: {out!r}")
    check(shown.get("CHR") == "__" + bytes([0x82, 0x50]).decode("cp932"), f"CHR: {out!r}")
    # A damaged value reads as its default.
    program.settings("[Mode]\nCalcMode=9\nCharEncoding=banana\n")
    _, out, _ = program.run("--eval", "0x41")
    check(notations(out).get("HEX") == "0000 0041" and notations(out).get("CHR") == "___A",
          f"unreadable settings: {out!r}")
    program.settings(None)


def check_mistakes(program, version):
    cases = [
        (["--eval", "(1+2"], 1, "Missing ')' at 5\n"),
        (["--eval", "0x1G"], 1, "Not a hexadecimal digit: G at 4\n"),
        (["--eval", "1/0"], 1, "Cannot divide by zero at 2\n"),
        (["--eval", "sqrt(-1)", "--mode", "real"], 1, "Invalid operation at 1\n"),
        (["--eval", "nope + 1"], 1, "Unknown name: nope at 1\n"),
        (["--eval", "1", "--bogus"], 2,
         "pexa: unknown option '--bogus'\nTry 'pexa --help' for more information.\n"),
        (["--eval"], 2,
         "pexa: option '--eval' needs a value\nTry 'pexa --help' for more information.\n"),
        (["--eval", "1", "--mode", "nibble"], 2,
         "pexa: unknown mode 'nibble' (byte, word, dword, int64 or real)\n"
         "Try 'pexa --help' for more information.\n"),
    ]
    for arguments, expected_status, expected_err in cases:
        status, out, err = program.run(*arguments)
        check(status == expected_status and out == "" and err == expected_err,
              f"{arguments}: status {status}, stdout {out!r}, stderr {err!r}")
    status, out, err = program.run("--version")
    check((status, out, err) == (0, f"pexa {version}\n", ""), f"--version: {out!r} {err!r}")
    status, out, err = program.run("--help")
    check(status == 0 and "--eval EXPR" in out and err == "", f"--help: {status} {err!r}")


def check_standard_input(program):
    lines = "1 + 1\n\n   \nans * 3\n(\nans << 4\n"
    status, out, err = program.run("--eval", "-", stdin=lines)
    blocks = out.split("\n\n")
    check(status == 1, f"stdin: a bad line makes the status 1, got {status}")
    check(err == "line 5: Missing value at 2\n", f"stdin: stderr {err!r}")
    values = [notations(block).get("DEC") for block in blocks]
    check(values == ["2", "6", "96"], f"stdin: values {values} in {out!r}")
    status, out, err = program.run("--eval", "-", stdin="0xFF\nans + 1\n")
    check(status == 0 and err == "" and
          [notations(b).get("HEX") for b in out.split("\n\n")] == ["0000 00FF", "0000 0100"],
          f"stdin: {status} {out!r} {err!r}")


def check_nothing_written(program, root):
    left = sorted(os.listdir(program.folder))
    check(left == ["pexa"], f"files beside the program: {left}")
    check(os.listdir(program.home) == [] and os.listdir(program.config) == [],
          "the home or configuration folder was written")


def main():
    built, version = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="pexa_eval_") as root:
        program = Program(built, root)
        check_integer_cases(program)
        check_defaults_and_options(program)
        check_mistakes(program, version)
        check_standard_input(program)
        check_nothing_written(program, root)
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
