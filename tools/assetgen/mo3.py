"""Writer for MO3 music containers holding an IT-style module in sample mode.

Layout: "MO3", version 5, the unpacked size of the music chunk, the packed
size, the packed music chunk, then the raw 16-bit sample data in sample order.
The music chunk is packed with literal bytes only, which the format allows:
one first byte, then groups of a zero control byte and up to eight literals.
Pattern tracks are stored once each and shared by every pattern that uses them.
"""
import struct

FLAG_LINEAR_SLIDES = 0x0001
FLAG_IT = 0x0100
FLAG_IT_COMPAT_GXX = 0x0400
FLAG_IT_OLD_FX = 0x0800
FLAG_MODULE = 0x20000

CMD_NOTE = 0x01
CMD_SAMPLE = 0x02
CMD_VOLUME = 0x0F
NOTE_CUT = 0xFE

SAMPLE_16BIT = 0x01


def pack_literal(data):
    out = bytearray(data[:1])
    rest = data[1:]
    for i in range(0, len(rest), 8):
        out.append(0)
        out += rest[i:i + 8]
    return bytes(out)


def encode_track(rows):
    """rows: list of cells, each None or a list of (command, value) pairs."""
    out = bytearray()
    i = 0
    while i < len(rows):
        cell = rows[i] or []
        run = 1
        while i + run < len(rows) and run < 15 and (rows[i + run] or []) == cell:
            run += 1
        out.append((run << 4) | len(cell))
        for cmd, val in cell:
            out += bytes((cmd, val))
        i += run
    out.append(0)
    return bytes(out)


def build(song):
    """song: dict with name, channels, speed, tempo, orders, restart, patterns, samples, pans.

    patterns: list of lists (per channel) of row cells; samples: list of dicts with
    name, pcm (bytes of signed 16-bit little-endian mono), c5speed, volume.
    """
    channels = song["channels"]
    tracks, track_index = [], {}
    assignment = bytearray()
    lengths = bytearray()
    for pattern in song["patterns"]:
        rows = len(pattern[0])
        lengths += struct.pack("<H", rows)
        for chn in range(channels):
            data = encode_track(pattern[chn])
            if data not in track_index:
                track_index[data] = len(tracks)
                tracks.append(data)
            assignment += struct.pack("<H", track_index[data])

    flags = FLAG_LINEAR_SLIDES | FLAG_IT | FLAG_IT_COMPAT_GXX | FLAG_IT_OLD_FX | FLAG_MODULE
    header = struct.pack("<BHHHHHHBBIBBb", channels, len(song["orders"]), song["restart"],
                         len(song["patterns"]), len(tracks), 0, len(song["samples"]),
                         song["speed"], song["tempo"], flags, song.get("global_volume", 128), 128,
                         song.get("preamp", 0))
    header += bytes([64] * channels + [0] * (64 - channels))
    pans = list(song["pans"]) + [128] * (64 - channels)
    header += bytes(min(p, 254) if p != 256 else 255 for p in pans)
    header += bytes(16) + bytes(256)
    assert len(header) == 422

    music = bytearray()
    music += song["name"].encode("ascii") + b"\0"
    music += song.get("message", "").encode("ascii") + b"\0"
    music += header
    music += bytes(song["orders"])
    music += assignment
    music += lengths
    for t in tracks:
        music += struct.pack("<I", len(t)) + t
    sample_data = bytearray()
    for s in song["samples"]:
        frames = len(s["pcm"]) // 2
        music += s["name"].encode("ascii") + b"\0" + b"\0"
        music += struct.pack("<ibBHIIIHBBBBBIIiH", s["c5speed"], 0, s.get("volume", 64), 0xFFFF,
                             frames, 0, 0, SAMPLE_16BIT, 0, 0, 0, 0, 64, 0, 0, 0, 0)
        sample_data += s["pcm"]

    packed = pack_literal(bytes(music))
    return b"MO3" + bytes([5]) + struct.pack("<II", len(music), len(packed)) + packed + bytes(sample_data)
