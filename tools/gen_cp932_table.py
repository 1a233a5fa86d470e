#!/usr/bin/env python3
"""Writes encoding/cp932_table.inc from glibc iconv "CP932".

The tables come from glibc itself, called through ctypes, not from Python's codecs
(Python's cp932 codec is its own table and differs from glibc in places). The script probes
every single byte, every lead/trail pair and every Unicode scalar value, then writes:

  kSingleByte   byte -> UTF-16 unit; kNotSingle for lead bytes and invalid bytes
  kLeadIndex    byte -> row of kDoubleByte; kNotLead for bytes that never start a pair
  kDoubleByte   [row][trail - kTrailFirst] -> UTF-16 unit; 0 for an invalid pair
  kEncodeChoices  the encodings that differ from "lowest code that decodes to the
                  character": glibc's pick among duplicates, encode-only mappings and
                  characters glibc decodes but refuses to encode (code kNoCode)

Usage: python3 tools/gen_cp932_table.py [output path]
"""

import ctypes
import ctypes.util
import errno
import os
import platform
import sys

ENCODING = b"CP932"
NOT_SINGLE = 0xFFFF
NOT_LEAD = 0xFF
NO_CODE = 0xFFFF

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [
    ctypes.c_void_p,
    ctypes.POINTER(ctypes.c_char_p),
    ctypes.POINTER(ctypes.c_size_t),
    ctypes.POINTER(ctypes.c_char_p),
    ctypes.POINTER(ctypes.c_size_t),
]
libc.iconv_close.argtypes = [ctypes.c_void_p]
libc.gnu_get_libc_version.restype = ctypes.c_char_p

ICONV_ERROR = ctypes.c_size_t(-1).value
OUT_SIZE = 64


class Converter:
    """One iconv descriptor; Convert() runs a whole input and resets the state after."""

    def __init__(self, to_code, from_code):
        self.cd = libc.iconv_open(to_code, from_code)
        if self.cd is None or self.cd == ICONV_ERROR:
            sys.exit(f"iconv_open({to_code!r}, {from_code!r}) failed: "
                     f"{os.strerror(ctypes.get_errno())}")
        self.in_buf = ctypes.create_string_buffer(8)
        self.out_buf = ctypes.create_string_buffer(OUT_SIZE)

    def Convert(self, data):
        """Returns (errno or 0, bytes consumed, output bytes)."""
        ctypes.memmove(self.in_buf, data, len(data))
        in_ptr = ctypes.cast(self.in_buf, ctypes.c_char_p)
        in_left = ctypes.c_size_t(len(data))
        out_ptr = ctypes.cast(self.out_buf, ctypes.c_char_p)
        out_left = ctypes.c_size_t(OUT_SIZE)
        result = libc.iconv(self.cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                            ctypes.byref(out_ptr), ctypes.byref(out_left))
        error = ctypes.get_errno() if result == ICONV_ERROR else 0
        if error == 0:
            # Flush any pending shift state (none for CP932, but stay honest).
            result = libc.iconv(self.cd, None, None, ctypes.byref(out_ptr),
                                ctypes.byref(out_left))
            if result == ICONV_ERROR:
                error = ctypes.get_errno()
        libc.iconv(self.cd, None, None, None, None)
        return error, len(data) - in_left.value, self.out_buf.raw[:OUT_SIZE - out_left.value]


def CodePoints(utf32le):
    return [int.from_bytes(utf32le[i:i + 4], "little") for i in range(0, len(utf32le), 4)]


def ProbeDecode():
    decoder = Converter(b"UTF-32LE", ENCODING)
    single = {}   # byte -> code point
    leads = []
    invalid = []
    for b in range(256):
        error, used, out = decoder.Convert(bytes([b]))
        if error == 0:
            chars = CodePoints(out)
            assert used == 1 and len(chars) == 1, (hex(b), chars)
            single[b] = chars[0]
        elif error == errno.EINVAL:
            leads.append(b)   # incomplete input: the byte wants a trail
        else:
            assert error == errno.EILSEQ, (hex(b), error)
            invalid.append(b)

    double = {}   # code -> code point
    for lead in range(256):
        for trail in range(256):
            error, used, out = decoder.Convert(bytes([lead, trail]))
            if error != 0 or used != 2:
                continue
            chars = CodePoints(out)
            if lead in single:
                # Two single-byte characters, not a pair.
                assert trail in single and chars == [single[lead], single[trail]], hex(lead)
                continue
            assert lead in leads, hex(lead)
            assert len(chars) == 1, (hex(lead), hex(trail), chars)
            double[lead * 256 + trail] = chars[0]
    return single, leads, invalid, double


def ProbeEncode():
    encoder = Converter(ENCODING, b"UTF-32LE")
    encode = {}   # code point -> code
    dropped = []  # code points glibc swallows without output
    for cp in range(0x110000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        error, used, out = encoder.Convert(cp.to_bytes(4, "little"))
        if error != 0:
            assert error == errno.EILSEQ, (hex(cp), error)
            continue
        assert used == 4, hex(cp)
        if not out:
            dropped.append(cp)
            continue
        assert len(out) in (1, 2), (hex(cp), out)
        encode[cp] = int.from_bytes(out, "big")
    return encode, dropped


def Hex4(value):
    return f"0x{value:04X}"


def Main():
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "encoding", "cp932_table.inc"))

    single, leads, invalid, double = ProbeDecode()
    encode, dropped = ProbeEncode()

    # The C++ side relies on these properties; stop rather than write a table it misreads.
    assert all(cp <= 0xFFFF and not 0xD800 <= cp <= 0xDFFF for cp in single.values())
    assert all(0 < cp <= 0xFFFF and not 0xD800 <= cp <= 0xDFFF for cp in double.values())
    assert NOT_SINGLE not in single.values()
    assert all(cp <= 0xFFFF for cp in encode), "non-BMP encodings need a wider table"
    assert all(code != NO_CODE for code in encode.values())
    trails = sorted({code & 0xFF for code in double})
    trail_first, trail_last = trails[0], trails[-1]
    assert len(leads) < NOT_LEAD

    # What the C++ side derives by itself: the lowest code that decodes to a character.
    derived = {}
    for code, cp in sorted(list(single.items()) + list(double.items())):
        derived.setdefault(cp, code)
    choices = []
    for cp in sorted(set(derived) | set(encode)):
        glibc_code = encode.get(cp, NO_CODE)
        if derived.get(cp, NO_CODE) != glibc_code:
            choices.append((cp, glibc_code))

    lines = []
    emit = lines.append
    emit("// Generated by tools/gen_cp932_table.py from glibc "
         f"{libc.gnu_get_libc_version().decode()} iconv \"CP932\"; do not edit by hand.")
    emit(f"// {len(single)} single-byte characters, {len(double)} double-byte codes, "
         f"{len(choices)} encode choices.")
    emit(f"// Bytes that are neither a character nor a lead byte: "
         f"{', '.join(f'0x{b:02X}' for b in invalid)}.")
    if dropped:
        # glibc consumes these without writing anything; the codec treats them as having no
        # CP932 form so that nothing disappears silently.
        emit(f"// glibc drops U+{min(dropped):04X}..U+{max(dropped):04X} ({len(dropped)} code points) "
             "on encode; here they have no code.")
    emit("")
    emit(f"constexpr std::uint16_t kNotSingle = {Hex4(NOT_SINGLE)};")
    emit(f"constexpr std::uint8_t kNotLead = 0x{NOT_LEAD:02X};")
    emit(f"constexpr std::uint16_t kNoCode = {Hex4(NO_CODE)};")
    emit(f"constexpr int kTrailFirst = 0x{trail_first:02X};")
    emit(f"constexpr int kTrailLast = 0x{trail_last:02X};")
    emit(f"constexpr int kLeadCount = {len(leads)};")
    emit("")
    emit("// Byte -> UTF-16 unit, kNotSingle when the byte is no character by itself.")
    emit("constexpr std::uint16_t kSingleByte[256] = {")
    for row in range(0, 256, 8):
        emit("    " + " ".join(Hex4(single.get(b, NOT_SINGLE)) + "," for b in range(row, row + 8)))
    emit("};")
    emit("")
    emit("// Byte -> row of kDoubleByte, kNotLead when the byte never starts a pair.")
    emit("constexpr std::uint8_t kLeadIndex[256] = {")
    for row in range(0, 256, 16):
        emit("    " + " ".join(
            f"0x{leads.index(b) if b in leads else NOT_LEAD:02X}," for b in range(row, row + 16)))
    emit("};")
    emit("")
    emit("// [lead row][trail - kTrailFirst] -> UTF-16 unit, 0 when the pair is invalid.")
    emit("constexpr std::uint16_t kDoubleByte[kLeadCount][kTrailLast - kTrailFirst + 1] = {")
    for lead in leads:
        emit(f"    {{  // 0x{lead:02X}")
        values = [double.get(lead * 256 + t, 0) for t in range(trail_first, trail_last + 1)]
        for row in range(0, len(values), 12):
            emit("        " + " ".join(f"0x{v:X}," for v in values[row:row + 12]))
        emit("    },")
    emit("};")
    emit("")
    emit("// Code point -> glibc's code where it is not the lowest code that decodes to the code")
    emit("// point; kNoCode when glibc does not encode the code point at all. Sorted.")
    emit("struct EncodeChoice {")
    emit("  std::uint16_t code_point;")
    emit("  std::uint16_t code;")
    emit("};")
    emit("constexpr EncodeChoice kEncodeChoices[] = {")
    for i in range(0, len(choices), 4):
        emit("    " + " ".join(f"{{{Hex4(cp)}, {Hex4(code)}}}," for cp, code in choices[i:i + 4]))
    emit("};")

    with open(out_path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"{out_path}: {len(single)} single, {len(double)} double, {len(choices)} choices, "
          f"{len(encode)} encodable code points, invalid bytes "
          f"{' '.join(f'{b:02X}' for b in invalid)}", file=sys.stderr)


if __name__ == "__main__":
    Main()
