"""Compares two compiled resource files (.res), say windres's and llvm-rc's output of the same
script: the same resources must come out with the same bytes, except that a dialog control's
class name may differ in case (windres writes it in capitals; window classes ignore case).
A construct the two compilers read differently fails here, e.g. windres's ICON statement in a
dialog, which drops the control's size where rc.exe keeps it."""
import struct
import sys


def read_id(data, at):
    """A resource or class name: 0xFFFF and a number, or a NUL-ended UTF-16 string."""
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def resources(path):
    data, at, found = open(path, "rb").read(), 0, {}
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, name_at = read_id(data, at + 8)
        name, after = read_id(data, name_at)
        language = struct.unpack_from("<H", data, (after + 3 & ~3) + 6)[0]
        body = data[at + header:at + header + size]
        if size:  # the empty first entry only marks the file as 32-bit
            found[(kind, name, language)] = dialog_classes_in_capitals(body) if kind == 5 else body
        at = at + header + size + 3 & ~3
    return found


def dialog_classes_in_capitals(body):
    if body[:4] == b"\x01\x00\xff\xff":
        sys.exit("a DIALOGEX template: extend this comparison to read it")
    style, _, count = struct.unpack_from("<IIH", body, 0)
    at = 18
    for _ in range(3):  # menu, class, caption
        at = read_id(body, at)[1]
    if style & 0x40:  # DS_SETFONT: point size and face name
        at = read_id(body, at + 2)[1]
    out = bytearray(body)
    for _ in range(count):
        at = (at + 3 & ~3) + 18  # style, extended style, x, y, cx, cy, id
        cls, end = read_id(body, at)
        if isinstance(cls, str):
            out[at:end - 2] = cls.upper().encode("utf-16-le")
        at = read_id(body, end)[1]  # the text
        at += 2 + struct.unpack_from("<H", body, at)[0]  # creation data
    return bytes(out)


a, b = resources(sys.argv[1]), resources(sys.argv[2])
differ = sorted(str(k) for k in a.keys() | b.keys() if a.get(k) != b.get(k))
if differ:
    print("resources that differ (type, name, language):", ", ".join(differ))
    sys.exit(1)
print(f"{len(a)} resources alike")
