"""The menu and game tune: composed here note by note, with its own synthesised samples.

A minor, 140 beats per minute, speed 6, patterns of four bars of sixteen rows.
Channels: kick, snare, hi-hat, bass, lead, three pad voices, arpeggio bell.
The order list plays about 80 s before it repeats from the second position.
"""
import numpy as np

from . import dsp, mo3

SR = 22050
ROWS = 64

KICK, SNARE, HAT, BASS, LEAD, PAD, BELL = range(7)
CH_KICK, CH_SNARE, CH_HAT, CH_BASS, CH_LEAD, CH_PAD1, CH_PAD2, CH_PAD3, CH_ARP = range(9)
CHANNELS = 9
PANS = [128, 128, 160, 128, 112, 80, 176, 128, 150]

NOTE_NAMES = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7, "G#": 8, "A": 9, "A#": 10, "B": 11}


def midi(name):
    octave = int(name[-1])
    return 12 * (octave + 1) + NOTE_NAMES[name[:-1]]


# ---- samples -------------------------------------------------------------

def _t(seconds, sr=SR):
    return np.arange(int(seconds * sr)) / sr


def _env(t, attack, decay):
    return np.clip(t / attack, 0, 1) * np.exp(-np.maximum(t - attack, 0) / decay)


def _lowpass(x, cutoff, sr=SR):
    return dsp.lowpass(x, cutoff, sr)


def _saw(phase):
    return 2 * ((phase / (2 * np.pi)) % 1.0) - 1


def _finish(x, peak=0.9):
    n = min(len(x), 200)
    x = x.copy()
    x[-n:] *= np.linspace(1, 0, n)
    x = x / np.max(np.abs(x)) * peak
    return np.round(x * 32767).astype("<i2").tobytes()


def kick():
    t = _t(0.35)
    f = 45 + 110 * np.exp(-t / 0.03)
    ph = 2 * np.pi * np.cumsum(f) / SR
    click = np.random.RandomState(1).uniform(-1, 1, len(t)) * _env(t, 0.0005, 0.004)
    return np.sin(ph) * _env(t, 0.001, 0.14) + 0.3 * click


def snare():
    t = _t(0.25)
    n = np.random.RandomState(2).uniform(-1, 1, len(t))
    n = n - _lowpass(n, 1200)
    tone = np.sin(2 * np.pi * 185 * t) * _env(t, 0.001, 0.04)
    return n * _env(t, 0.001, 0.07) * 0.9 + tone * 0.7


def hat():
    sr = 44100
    t = _t(0.07, sr)
    n = np.random.RandomState(3).uniform(-1, 1, len(t))
    n = n - _lowpass(n, 7000, sr)
    return n * _env(t, 0.0005, 0.018)


def bass():
    """Filtered saw pluck rooted on C2."""
    t = _t(0.9)
    f = 65.406
    ph = 2 * np.pi * f * t
    raw = _saw(ph) + 0.5 * np.sign(np.sin(ph))
    return _lowpass(raw, 180 + 1400 * np.exp(-t / 0.09)) * _env(t, 0.003, 0.45)


def lead():
    """Bright detuned pluck rooted on C5, with a gentle delayed vibrato."""
    t = _t(1.1)
    f = 523.25
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.clip((t - 0.2) / 0.3, 0, 1)
    ph1 = 2 * np.pi * np.cumsum(f * vib) / SR
    ph2 = 2 * np.pi * np.cumsum(f * 1.004 * vib) / SR
    raw = 0.6 * np.sign(np.sin(ph1)) * 0.5 + 0.5 * _saw(ph2) + 0.4 * np.sin(ph1)
    return _lowpass(raw, 1200 + 3500 * np.exp(-t / 0.15)) * _env(t, 0.004, 0.5)


def pad():
    """Slow detuned string pad rooted on C4."""
    t = _t(2.4)
    f = 261.63
    out = np.zeros_like(t)
    for det in (0.994, 1.0, 1.006):
        out += _saw(2 * np.pi * f * det * t + det * 9)
    swell = np.clip(t / 0.35, 0, 1) * np.clip((2.4 - t) / 0.9, 0, 1)
    return _lowpass(out, 1500) * swell


def bell():
    """FM bell rooted on C5, for the arpeggios."""
    t = _t(0.7)
    f = 523.25
    mod = np.sin(2 * np.pi * f * 3.5 * t) * 2.0 * np.exp(-t / 0.12)
    return np.sin(2 * np.pi * f * t + mod) * _env(t, 0.002, 0.25)


def sample_table():
    # (name, signal, sample rate, root midi note)
    table = [("kick", kick(), SR, 60), ("snare", snare(), SR, 60), ("hat", hat(), 44100, 60),
             ("bass", bass(), SR, 36), ("lead", lead(), SR, 72), ("pad", pad(), SR, 60),
             ("bell", bell(), SR, 72)]
    out = []
    for name, sig, sr, root in table:
        c5 = int(round(sr * 2 ** ((60 - root) / 12)))
        out.append({"name": name, "pcm": _finish(sig), "c5speed": c5, "volume": 64})
    return out


# ---- composition ---------------------------------------------------------

CHORDS = {
    "Am": (midi("A1"), ["A3", "C4", "E4"]),
    "F": (midi("F1"), ["F3", "A3", "C4"]),
    "C": (midi("C2"), ["G3", "C4", "E4"]),
    "G": (midi("G1"), ["G3", "B3", "D4"]),
    "Dm": (midi("D2"), ["A3", "D4", "F4"]),
    "E": (midi("E2"), ["G#3", "B3", "E4"]),
    "Em": (midi("E2"), ["G3", "B3", "E4"]),
}

A_PART = ["Am", "F", "C", "G"]
B_PART = ["Dm", "Am", "E", "Am"]
C_PART = ["F", "G", "Em", "Am"]

MELODIES = {
    "m1": ["E5 . . . A5 . G5 . E5 . . . D5 . C5 .",
           "C5 . . . F5 . E5 . C5 . . . A4 . C5 .",
           "E5 . . . G5 . E5 . C5 . D5 . E5 . G5 .",
           "D5 . . . B4 . . . G4 . A4 . B4 . D5 ."],
    "m2": ["A5 . G5 . E5 . . . A5 . G5 . E5 . C5 .",
           "F5 . E5 . C5 . . . F5 . A5 . G5 . F5 .",
           "E5 . . . C5 . E5 . G5 . . . C6 . B5 .",
           "B5 . . . G5 . . . D5 . . . B4 . . ."],
    "m3": ["F5 . . . E5 . D5 . A4 . . . D5 . F5 .",
           "E5 . . . C5 . A4 . C5 . E5 . A5 . . .",
           "G#5 . . . B5 . G#5 . E5 . . . D5 . B4 .",
           "C5 . . . A4 . . . x . . . . . . ."],
    "m4": ["A5 . . . C6 . A5 . F5 . . . A5 . G5 .",
           "G5 . . . D5 . G5 . B5 . . . A5 . G5 .",
           "E5 . . . G5 . B5 . E6 . . . D6 . B5 .",
           "C6 . . . B5 . A5 . x . . . . . . ."],
}


def empty_pattern():
    return [[None] * ROWS for _ in range(CHANNELS)]


def note(n, sample, volume=None):
    cell = [(mo3.CMD_NOTE, n), (mo3.CMD_SAMPLE, sample)]
    if volume is not None:
        cell.append((mo3.CMD_VOLUME, volume))
    return cell


def put_drums(p, style, fill=False):
    for bar in range(4):
        base = bar * 16
        for r in range(16):
            row = base + r
            if style == "full":
                if r in (0, 4, 8, 12) or (r == 14 and bar % 2 == 1):
                    p[CH_KICK][row] = note(60, KICK, 64 if r % 8 == 0 else 56)
                if r in (4, 12):
                    p[CH_SNARE][row] = note(60, SNARE, 52)
            elif style == "half":
                if r in (0, 10):
                    p[CH_KICK][row] = note(60, KICK, 56)
                if r == 8:
                    p[CH_SNARE][row] = note(60, SNARE, 40)
            elif style == "pulse" and r == 0:
                p[CH_KICK][row] = note(60, KICK, 48)
            if style in ("full", "half") and r % 2 == 0:
                p[CH_HAT][row] = note(60, HAT, 34 if r % 4 == 2 else 20)
    if fill:
        for r in range(8, 16):
            p[CH_SNARE][48 + r] = note(60, SNARE, 24 + r * 3)


def put_bass(p, chords, style):
    for bar, name in enumerate(chords):
        root, _ = CHORDS[name]
        for r in range(16):
            row = bar * 16 + r
            if style == "drive" and r % 2 == 0:
                step = [0, 0, 12, 0, 0, 12, 7, 12][r // 2]
                p[CH_BASS][row] = note(root + step, BASS, 50 if r % 4 == 0 else 40)
            elif style == "long" and r in (0, 10):
                p[CH_BASS][row] = note(root, BASS, 46)


def put_pad(p, chords, volume):
    for bar, name in enumerate(chords):
        _, tones = CHORDS[name]
        for i, tone in enumerate(tones):
            p[CH_PAD1 + i][bar * 16] = note(midi(tone), PAD, volume)


def put_arp(p, chords, volume, rising=False):
    for bar, name in enumerate(chords):
        _, tones = CHORDS[name]
        notes = [midi(t) + 12 for t in tones] + [midi(tones[0]) + 24]
        seq = [0, 1, 2, 3, 2, 1, 2, 3]
        for r in range(16):
            v = volume + (bar * 4 + r // 4 if rising else 0)
            p[CH_ARP][bar * 16 + r] = note(notes[seq[r % 8]], BELL, min(v, 64))


def put_melody(p, key, volume, transpose=0):
    for bar, line in enumerate(MELODIES[key]):
        for r, tok in enumerate(line.split()):
            row = bar * 16 + r
            if tok == ".":
                continue
            if tok == "x":
                p[CH_LEAD][row] = [(mo3.CMD_NOTE, mo3.NOTE_CUT)]
            else:
                p[CH_LEAD][row] = note(midi(tok) + transpose, LEAD, volume)


def patterns():
    pats = []
    # 0: intro, pad and a rising arpeggio
    p = empty_pattern()
    put_pad(p, A_PART, 40)
    put_arp(p, A_PART, 14, rising=True)
    put_drums(p, "pulse")
    pats.append(p)
    # 1: the groove
    p = empty_pattern()
    put_drums(p, "full")
    put_bass(p, A_PART, "drive")
    put_pad(p, A_PART, 34)
    pats.append(p)
    # 2: first tune
    p = empty_pattern()
    put_drums(p, "full")
    put_bass(p, A_PART, "drive")
    put_pad(p, A_PART, 30)
    put_melody(p, "m1", 50)
    pats.append(p)
    # 3: answer, with the bells
    p = empty_pattern()
    put_drums(p, "full")
    put_bass(p, A_PART, "drive")
    put_pad(p, A_PART, 30)
    put_arp(p, A_PART, 18)
    put_melody(p, "m2", 50)
    pats.append(p)
    # 4: middle part
    p = empty_pattern()
    put_drums(p, "full")
    put_bass(p, B_PART, "drive")
    put_pad(p, B_PART, 32)
    put_melody(p, "m3", 52)
    pats.append(p)
    # 5: lift, ending on a snare fill
    p = empty_pattern()
    put_drums(p, "full", fill=True)
    put_bass(p, C_PART, "drive")
    put_pad(p, C_PART, 32)
    put_arp(p, C_PART, 16)
    put_melody(p, "m4", 52)
    pats.append(p)
    # 6: breakdown
    p = empty_pattern()
    put_drums(p, "half")
    put_bass(p, A_PART, "long")
    put_pad(p, A_PART, 38)
    put_arp(p, A_PART, 22)
    pats.append(p)
    # 7: the tune an octave up over everything
    p = empty_pattern()
    put_drums(p, "full", fill=True)
    put_bass(p, A_PART, "drive")
    put_pad(p, A_PART, 30)
    put_arp(p, A_PART, 16)
    put_melody(p, "m2", 46, transpose=0)
    pats.append(p)
    return pats


ORDERS = [0, 1, 2, 3, 4, 5, 6, 2, 7, 4, 5, 7]


def song():
    return {
        "name": "Kalup",
        "channels": CHANNELS,
        "speed": 6,
        "tempo": 140,
        "orders": ORDERS,
        "restart": 1,
        "patterns": patterns(),
        "samples": sample_table(),
        "pans": PANS,
        "global_volume": 128,
    }


def write(path):
    with open(path, "wb") as f:
        f.write(mo3.build(song()))
