#!/usr/bin/env python3
"""Checks the expression evaluator against Python's integers.

Random expression trees are printed as pexa expressions (C precedence with as
few parentheses as it allows, random literal spellings, separators, suffixes,
character literals and blanks) and evaluated here with the calculator's
integer rules written out with explicit masking: the mode's width, the
keypad's division, shifts by a signed 32-bit count, powers through a real
that must fit 64 bits. The driver program evaluates the same texts; every
value, error kind and error position must agree. A few texts are broken on
purpose to check where the mistake is reported.

usage: expression_oracle.py DRIVER [--count N] [--seed S]
"""

import argparse
import random
import subprocess
import sys

WIDTHS = {0: 8, 1: 16, 2: 32, 3: 64}
MODE_NAMES = {0: "Byte", 1: "Word", 2: "DWord", 3: "Int64"}

DIVIDE_BY_ZERO = "division by zero"
INVALID_OPERATION = "invalid operation"


class CalcFailure(Exception):
    def __init__(self, kind, position):
        super().__init__(kind)
        self.kind = kind
        self.position = position


# ---- The calculator's integer rules ---------------------------------------


class Rules:
    def __init__(self, width, signed, arithmetic):
        self.w = width
        self.mask = (1 << width) - 1
        self.signed = signed
        self.arithmetic = arithmetic

    def integer(self, u):
        """What the keypad's operations read: the pattern in the narrow
        modes, a signed 64-bit integer in Int64."""
        if self.w == 64 and u >> 63:
            return u - (1 << 64)
        return u

    def shift_count(self, u):
        c = self.integer(u) & 0xFFFFFFFF
        return c - (1 << 32) if c >> 31 else c

    def shift_bits(self, count, arithmetic, u):
        """count <= 0 shifts left by -count, count > 0 right."""
        if count <= 0:
            return 0 if count <= -64 else (u << -count) & self.mask
        negative = (u >> (self.w - 1)) & 1
        if count >= self.w:
            return self.mask if arithmetic and negative else 0
        r = u >> count
        if arithmetic and negative:
            r |= self.mask ^ ((1 << (self.w - count)) - 1)
        return r

    def rotate(self, count, u):
        r = abs(count) % self.w
        if r == 0:
            return u
        if count >= 0:
            return ((u << r) | (u >> (self.w - r))) & self.mask
        return ((u >> r) | (u << (self.w - r))) & self.mask

    def binary(self, op, a, b, position):
        m = self.mask
        if op == "+":
            return (a + b) & m
        if op == "-":
            return (a - b) & m
        if op == "*":
            return (a * b) & m
        if op in ("/", "%"):
            x, y = self.integer(a), self.integer(b)
            if y == 0:
                raise CalcFailure(DIVIDE_BY_ZERO, position)
            quotient = abs(x) // abs(y)
            if (x < 0) != (y < 0):
                quotient = -quotient
            if op == "/":
                return quotient & m
            return (x - y * quotient) & m
        if op == "&":
            return a & b
        if op == "|":
            return a | b
        if op == "^":
            return a ^ b
        if op == "<<":
            return self.shift_bits(-self.shift_count(b), False, a)
        if op == ">>":
            return self.shift_bits(self.shift_count(b), self.arithmetic, a)
        if op == ">>>":
            return self.shift_bits(self.shift_count(b), False, a)
        if op == "**":
            exact = self.integer(a) ** self.integer(b)
            # The real power must truncate into a signed 64-bit integer.
            if not (-(1 << 63) - 1 < exact < (1 << 63)):
                raise CalcFailure(INVALID_OPERATION, position)
            return exact & m
        raise ValueError(op)

    def unary(self, op, a):
        if op == "-":
            return -a & self.mask
        if op == "+":
            return a
        if op == "~":
            return a ^ self.mask
        if op == "!":
            return 1 if a == 0 else 0
        raise ValueError(op)

    def function(self, name, args):
        w, m = self.w, self.mask
        a = args[0]
        if name == "rotl":
            return self.rotate(self.shift_count(args[1]), a)
        if name == "rotr":
            return self.rotate(-self.shift_count(args[1]), a)
        if name == "bswap":
            return int.from_bytes(a.to_bytes(w // 8, "little"), "big")
        if name == "bitrev":
            return int(format(a, "0%db" % w)[::-1], 2)
        if name == "popcount":
            return bin(a).count("1")
        if name == "clz":
            return w - a.bit_length()
        if name == "ctz":
            return w if a == 0 else (a & -a).bit_length() - 1
        if name == "parity":
            return bin(a).count("1") & 1
        if name == "abs":
            if self.signed and a >> (w - 1):
                return -a & m
            return a
        raise ValueError(name)


FUNCTIONS = {"rotl": 2, "rotr": 2, "bswap": 1, "bitrev": 1, "popcount": 1, "clz": 1,
             "ctz": 1, "parity": 1, "abs": 1}
FUNCTION_NAMES = tuple(FUNCTIONS)
DIGIT_FORMATS = {2: "b", 8: "o", 10: "d", 16: "X"}

# Binding strength: binary operators 1 (|) to 6 (* / %), unary 7, ** 8,
# literals, names, calls and parentheses 9.
PRECEDENCE = {"|": 1, "^": 2, "&": 3, "<<": 4, ">>": 4, ">>>": 4, "+": 5, "-": 5,
              "*": 6, "/": 6, "%": 6}
BINARY_OPS = list(PRECEDENCE) + ["**"]

# ---- Trees -------------------------------------------------------------------
# ("lit", value) ("ans",) ("un", op, child) ("bin", op, left, right)
# ("call", name, [args])


class Generator:
    def __init__(self, rng, width):
        self.rng = rng
        self.w = width
        self.mask = (1 << width) - 1

    def value(self):
        r = self.rng.random()
        if r < 0.35:
            return int(self.rng.random() * 17)
        if r < 0.55:
            return self.rng.getrandbits(8) & self.mask
        if r < 0.7:
            top = 1 << (self.w - 1)
            return self.rng.choice([0, 1, self.mask, self.mask - 1, top, top - 1, top + 1])
        return self.rng.getrandbits(self.w)

    def tree(self, depth):
        rng = self.rng
        if depth <= 0 or rng.random() < 0.25:
            return ("ans",) if rng.random() < 0.05 else ("lit", self.value())
        r = rng.random()
        if r < 0.15:
            return ("un", rng.choice("-+~!"), self.tree(depth - 1))
        if r < 0.27:
            name = rng.choice(FUNCTION_NAMES)
            return ("call", name, [self.tree(depth - 1) for _ in range(FUNCTIONS[name])])
        op = rng.choice(BINARY_OPS)
        if op == "**":
            # Exponents stay small so that every power is an exact integer here.
            return ("bin", op, self.tree(depth - 1), ("lit", int(rng.random() * 70)))
        return ("bin", op, self.tree(depth - 1), self.tree(depth - 1))


def precedence(node):
    kind = node[0]
    if kind == "bin":
        return 8 if node[1] == "**" else PRECEDENCE[node[1]]
    if kind == "un":
        return 7
    return 9


class Printer:
    """Writes a tree as text and remembers where each operation stands."""

    def __init__(self, rng, width):
        self.rng = rng
        self.w = width
        self.parts = []
        self.length = 0
        self.positions = {}  # id(node) -> 1-based position of its token
        self.hex_digits = []  # 0-based offsets of hexadecimal literals' last digits

    def emit(self, text):
        self.parts.append(text)
        self.length += len(text)

    def blank(self):
        r = self.rng.random()
        if r < 0.3:
            self.emit(" ")
        elif r < 0.33:
            self.emit("  ")

    def text(self):
        return "".join(self.parts)

    def node(self, node, parenthesize=False):
        if parenthesize or self.rng.random() < 0.03:
            self.emit("(")
            self.blank()
            self.node(node)
            self.blank()
            self.emit(")")
            return
        kind = node[0]
        if kind == "lit":
            self.positions[id(node)] = self.length + 1
            self.literal(node[1])
        elif kind == "ans":
            self.positions[id(node)] = self.length + 1
            self.emit(self.rng.choice(["ans", "ANS", "Ans"]))
        elif kind == "un":
            self.positions[id(node)] = self.length + 1
            self.emit(node[1])
            # "- -1" must not become "--1"... which reads the same here, but
            # keep some blanks anyway.
            self.blank()
            self.node(node[2], precedence(node[2]) < 7)
        elif kind == "call":
            self.positions[id(node)] = self.length + 1
            self.emit(node[1] if self.rng.random() < 0.9 else node[1].upper())
            self.emit("(")
            for i, arg in enumerate(node[2]):
                if i:
                    self.emit(",")
                    self.blank()
                self.node(arg)
            self.emit(")")
        else:
            op, left, right = node[1], node[2], node[3]
            if op == "**":
                need_left, need_right = precedence(left) < 9, precedence(right) < 7
            else:
                p = PRECEDENCE[op]
                need_left, need_right = precedence(left) < p, precedence(right) <= p
            self.node(left, need_left)
            self.blank()
            self.positions[id(node)] = self.length + 1
            self.emit(op)
            self.blank()
            self.node(right, need_right)

    def digits(self, value, base, group):
        random = self.rng.random
        text = format(value, DIGIT_FORMATS[base])
        # A leading zero would make a decimal literal octal, as in C.
        if base != 10 and random() < 0.15:
            text = "0" * (1 + int(random() * 3)) + text
        if random() < 0.2 and len(text) > group:
            separator = "_" if random() < 0.5 else "'"
            first = len(text) % group or group
            groups = [text[:first]] + [text[i:i + group] for i in range(first, len(text), group)]
            text = separator.join(groups)
        if base == 16 and random() < 0.5:
            text = text.lower()
        return text

    def suffix(self):
        if self.rng.random() < 0.9:
            return ""
        return self.rng.choice(["u", "U", "l", "L", "ul", "UL", "lu", "ll", "LL", "ull",
                                "ULL", "llu", "LLU", "uLL"])

    def literal(self, value):
        rng = self.rng
        r = rng.random()
        if r < 0.1 and value < 256:
            self.emit(self.character(value))
            return
        if r < 0.45:
            self.emit(self.digits(value, 10, 3) + self.suffix())
        elif r < 0.75:
            prefix = rng.choice(["0x", "0X"])
            body = self.digits(value, 16, 4)
            self.hex_digits.append(self.length + len(prefix) + len(body) - 1)
            self.emit(prefix + body + self.suffix())
        elif r < 0.82:
            self.emit(rng.choice(["0o", "0O"]) + self.digits(value, 8, 3) + self.suffix())
        elif r < 0.9:
            self.emit("0" + self.digits(value, 8, 3) + self.suffix())
        else:
            self.emit(rng.choice(["0b", "0B"]) + self.digits(value, 2, 4) + self.suffix())

    def character(self, value):
        named = {10: "\\n", 9: "\\t", 13: "\\r", 0: "\\0", 92: "\\\\", 39: "\\'", 7: "\\a",
                 8: "\\b", 12: "\\f", 11: "\\v"}
        r = self.rng.random()
        if value in named and r < 0.6:
            return "'" + named[value] + "'"
        if 32 <= value < 127 and value not in (39, 92) and r < 0.8:
            return "'" + chr(value) + "'"
        if r < 0.9:
            return "'\\x%02x'" % value
        return "'\\%o'" % value


def evaluate(node, rules, answer, positions):
    kind = node[0]
    if kind == "lit":
        return node[1]
    if kind == "ans":
        return answer
    if kind == "un":
        return rules.unary(node[1], evaluate(node[2], rules, answer, positions))
    if kind == "call":
        args = [evaluate(a, rules, answer, positions) for a in node[2]]
        return rules.function(node[1], args)
    left = evaluate(node[2], rules, answer, positions)
    right = evaluate(node[3], rules, answer, positions)
    return rules.binary(node[1], left, right, positions[id(node)])


def expected_outcome(tree, printer, rules, answer):
    try:
        return "V %x" % evaluate(tree, rules, answer, printer.positions)
    except CalcFailure as failure:
        return "E %d %s" % (failure.position, failure.kind)


def break_text(text, printer, rng):
    """A broken variant of a text and the error it must give, or None."""
    choice = rng.randrange(3)
    if choice == 0 and text.endswith(")"):
        broken = text[:-1]
        return broken, "S %d MissingCloseParen" % (len(broken) + 1)
    if choice == 1:
        return text + " )", "S %d UnexpectedToken" % (len(text) + 2)
    if choice == 2 and printer.hex_digits:
        offset = rng.choice(printer.hex_digits)
        # Every mistake before it is none, so the first is the "G".
        return text[:offset] + "G" + text[offset + 1:], "S %d BadDigit" % (offset + 1)
    return None


def make_cases(mode, count, rng):
    width = WIDTHS[mode]
    generator = Generator(rng, width)
    cases = []
    for _ in range(count):
        signed = rng.random() < 0.5
        arithmetic = rng.random() < 0.5
        rules = Rules(width, signed, arithmetic)
        answer = generator.value()
        tree = generator.tree(rng.randrange(1, 6))
        printer = Printer(rng, width)
        printer.node(tree)
        text = printer.text()
        expected = expected_outcome(tree, printer, rules, answer)
        if rng.random() < 0.03:
            broken = break_text(text, printer, rng)
            if broken:
                text, expected = broken
        line = "%d\t%d\t%d\t%x\t%s" % (mode, signed, arithmetic, answer, text)
        cases.append((line, expected))
    return cases


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("driver")
    parser.add_argument("--count", type=int, default=100000)
    parser.add_argument("--seed", type=int, default=20240525)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    failures = 0
    for mode in WIDTHS:
        cases = make_cases(mode, options.count, rng)
        stdin = "".join(line + "\n" for line, _ in cases)
        run = subprocess.run([options.driver], input=stdin, capture_output=True, text=True,
                             check=True)
        actual = run.stdout.split("\n")
        kinds = {"V": 0, "E": 0, "S": 0}
        for i, (line, expected) in enumerate(cases):
            got = actual[i] if i < len(actual) else "<missing>"
            kinds[expected[0]] += 1
            if got != expected:
                failures += 1
                if failures <= 20:
                    print("%s: %r\n  expected %s\n  got      %s"
                          % (MODE_NAMES[mode], line.split("\t", 4)[4], expected, got))
        print("%s: %d expressions (%d values, %d calculation errors, %d syntax errors)"
              % (MODE_NAMES[mode], len(cases), kinds["V"], kinds["E"], kinds["S"]))
    if failures:
        print("%d expressions disagree" % failures)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
