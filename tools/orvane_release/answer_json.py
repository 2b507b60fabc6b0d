"""A release answer read exactly as the program reads it. Its JSON parser is lenient on purpose
and strict where the standard is not: byte-order marks count as white space anywhere, bytes
after the first value are ignored, an unknown escape stands for its own byte, strings are bytes
(invalid UTF-8 and raw control characters pass), numbers are read like the C runtime's strtod
(as far as a number goes; a value past the range of a double, or below its normal range, fails),
and more than 512 nested arrays and objects fail. Python's json module differs in each, so the
tool judges answers with this."""
import math
import re

MAX_NESTING = 512
BYTE_ORDER_MARK = b"\xef\xbb\xbf"
NUMBER_BYTES = frozenset(b"0123456789+-.eE")
# The part of a run of number bytes strtod converts.
STRTOD_PREFIX = re.compile(rb"[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?")
ESCAPES = {ord("b"): b"\b", ord("f"): b"\f", ord("n"): b"\n", ord("r"): b"\r", ord("t"): b"\t"}
SMALLEST_NORMAL = 2.2250738585072014e-308


class _Fail(Exception):
    pass


class _Parser:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def skip_space(self):
        data = self.data
        while self.pos < len(data):
            if data[self.pos] in b"\t\n\r ":
                self.pos += 1
            elif data.startswith(BYTE_ORDER_MARK, self.pos):
                self.pos += len(BYTE_ORDER_MARK)
            else:
                return

    def string(self):
        self.skip_space()
        data = self.data
        if self.pos >= len(data) or data[self.pos] != ord('"'):
            raise _Fail
        self.pos += 1
        out = bytearray()
        while self.pos < len(data):
            b = data[self.pos]
            if b == ord('"'):
                self.pos += 1
                return out.decode("utf-8", "surrogateescape")
            if b != ord("\\"):
                out.append(b)
                self.pos += 1
                continue
            if len(data) - self.pos < 2:
                raise _Fail
            escape = data[self.pos + 1]
            if escape != ord("u"):
                out += ESCAPES.get(escape, bytes([escape]))
                self.pos += 2
                continue
            digits = data[self.pos + 2:self.pos + 6]
            if len(digits) < 4 or not re.fullmatch(rb"[0-9A-Fa-f]{4}", digits):
                raise _Fail
            unit = int(digits, 16)
            # Each escape on its own, surrogate halves unpaired, as three bytes.
            if unit < 0x80:
                out.append(unit)
            elif unit < 0x800:
                out += bytes([0xC0 | unit >> 6, 0x80 | unit & 0x3F])
            else:
                out += bytes([0xE0 | unit >> 12, 0x80 | unit >> 6 & 0x3F, 0x80 | unit & 0x3F])
            self.pos += 6
        raise _Fail

    def number(self):
        start = self.pos
        while self.pos < len(self.data) and self.data[self.pos] in NUMBER_BYTES:
            self.pos += 1
        match = STRTOD_PREFIX.match(self.data, start, self.pos)
        if not match:
            raise _Fail
        value = float(match.group())
        mantissa = re.split(rb"[eE]", match.group())[0]
        if math.isinf(value) or (abs(value) < SMALLEST_NORMAL and re.search(rb"[1-9]", mantissa)):
            raise _Fail  # a range error: overflow, or underflow to zero or a subnormal
        return value

    def separator(self, close):
        self.skip_space()
        if self.pos >= len(self.data):
            raise _Fail
        b = self.data[self.pos]
        self.pos += 1
        if b == ord(","):
            return False
        if b == close:
            return True
        raise _Fail

    def value(self, depth):
        self.skip_space()
        data = self.data
        if self.pos >= len(data):
            raise _Fail
        b = data[self.pos]
        if b in b"{[":
            if depth >= MAX_NESTING:
                raise _Fail
            self.pos += 1
            close = ord("}") if b == ord("{") else ord("]")
            result = {} if b == ord("{") else []
            self.skip_space()
            if self.pos < len(data) and data[self.pos] == close:
                self.pos += 1
                return result
            while True:
                if isinstance(result, dict):
                    key = self.string()
                    self.skip_space()
                    if self.pos >= len(data) or data[self.pos] != ord(":"):
                        raise _Fail
                    self.pos += 1
                    result[key] = self.value(depth + 1)  # a repeated key: the last one wins
                else:
                    result.append(self.value(depth + 1))
                if self.separator(close):
                    return result
        if b == ord('"'):
            return self.string()
        for literal, meaning in ((b"true", True), (b"false", False), (b"null", None)):
            if b == literal[0]:
                if not data.startswith(literal, self.pos):
                    raise _Fail
                self.pos += len(literal)
                return meaning
        return self.number()


def parse(body):
    """The first JSON value in body (bytes) as the program reads it: dict, list, str (invalid
    UTF-8 kept as surrogates), float, bool or None; None also when it does not parse (tell the
    two apart with parses())."""
    try:
        return _Parser(bytes(body)).value(0)
    except (_Fail, RecursionError):
        return None


def release_of(body):
    """The answer's top-level object when the program takes it as a release (an object with a
    non-empty string "version"), else None."""
    value = parse(body)
    if isinstance(value, dict) and isinstance(value.get("version"), str) and value["version"]:
        return value
    return None


def counted_entries(release):
    """The file entries the program keeps: objects with a non-empty string file_path and
    download_url."""
    files = release.get("files")
    return [entry for entry in (files if isinstance(files, list) else [])
            if isinstance(entry, dict)
            and all(isinstance(entry.get(m), str) and entry.get(m) for m in ("file_path", "download_url"))]


def kept_deltas(entry):
    """[(position in "deltas", delta)] of a file entry's deltas the program keeps: objects with a
    non-empty string download_url."""
    listed = entry.get("deltas")
    return [(position, delta) for position, delta in enumerate(listed if isinstance(listed, list) else [])
            if isinstance(delta, dict) and isinstance(delta.get("download_url"), str) and delta["download_url"]]
