"""Sound effects synthesised from fixed seeds, and the robot voice counting group sizes.

Every sample is normalised to a peak of -4.5 dBFS before encoding, so that the
decoded Ogg stays at or below -3 dBFS and effects played over the music do not clip.
Ogg streams get fixed serial numbers, so a second run writes the same bytes.
"""
import os
import subprocess
import tempfile
import wave

import numpy as np

from . import dsp

RATE = 44100
PEAK = 10 ** (-4.5 / 20)


def t_axis(seconds):
    return np.arange(int(seconds * RATE)) / RATE


def env(t, attack, decay):
    a = np.clip(t / max(attack, 1e-4), 0, 1)
    return a * np.exp(-np.maximum(t - attack, 0) / decay)


def sweep(f0, f1, t, curve=1.0):
    """Phase of a tone gliding from f0 to f1 over the length of t."""
    span = t[-1] if len(t) > 1 else 1.0
    f = f0 + (f1 - f0) * (t / span) ** curve
    return 2 * np.pi * np.cumsum(f) / RATE


def lowpass(x, cutoff):
    """One-pole low-pass, cutoff in Hz (scalar or per sample)."""
    return dsp.lowpass(x, cutoff, RATE)


def highpass(x, cutoff):
    return x - lowpass(x, cutoff)


def noise(n, seed):
    return np.random.RandomState(seed).uniform(-1, 1, n)


def fade_tail(x, seconds=0.01):
    n = min(len(x), int(seconds * RATE))
    x = x.copy()
    x[-n:] *= np.linspace(1, 0, n)
    return x


def normalise(x):
    x = fade_tail(x - np.mean(x))
    return x / np.max(np.abs(x)) * PEAK


def fall():
    t = t_axis(1.6)
    vib = 1 + 0.012 * np.sin(2 * np.pi * 6 * t)
    ph = sweep(2100, 520, t, 0.8) * vib
    tone = np.sin(ph) + 0.15 * np.sin(2 * ph)
    air = lowpass(noise(len(t), 1), 3000) * 0.15
    return (tone + air) * np.clip(t / 0.08, 0, 1) * (0.6 + 0.4 * t / t[-1])


def jump():
    t = t_axis(0.42)
    ph = sweep(180, 980, t, 0.6)
    tone = np.sin(ph) + 0.35 * np.sin(2 * ph) + 0.1 * np.sin(3 * ph)
    return tone * env(t, 0.005, 0.16)


def boom(seconds, seed, rumble_hz, crackle):
    t = t_axis(seconds)
    n = noise(len(t), seed)
    body = lowpass(n, 900 * np.exp(-t / 0.25) + 120) * env(t, 0.004, 0.35) * 3.0
    thump = np.sin(sweep(rumble_hz, 28, t, 0.5)) * env(t, 0.002, 0.22) * 0.9
    out = body + thump
    if crackle:
        rng = np.random.RandomState(seed + 1)
        for _ in range(40):
            start = int(rng.uniform(0.02, seconds * 0.7) * RATE)
            ln = int(rng.uniform(0.002, 0.01) * RATE)
            seg = noise(ln, seed + start) * rng.uniform(0.2, 0.6) * np.exp(-start / RATE / 0.4)
            out[start:start + ln] += seg[:len(out[start:start + ln])]
    return out


def explos1():
    return boom(1.5, 10, 95, False)


def explos2():
    t = t_axis(1.1)
    bright = highpass(noise(len(t), 20), 1500) * env(t, 0.001, 0.05) * 0.8
    return boom(1.1, 21, 140, True) + bright


def lost():
    t = t_axis(0.5)
    half = len(t) // 2
    f = np.where(np.arange(len(t)) < half, 520, 390)
    ph = 2 * np.pi * np.cumsum(f * (1 - 0.25 * t)) / RATE
    tone = np.sign(np.sin(ph)) * 0.3 + np.sin(ph)
    tone = lowpass(tone, 2500)
    e = np.where(np.arange(len(t)) < half, env(t, 0.005, 0.12), env(t - t[half], 0.005, 0.15) * (t >= t[half]))
    return tone * e


def chime(freqs, seconds, decay, seed=0, shimmer=True):
    t = t_axis(seconds)
    out = np.zeros_like(t)
    for i, f in enumerate(freqs):
        for partial, amp in ((1, 1.0), (2.76, 0.35), (5.4, 0.15)):
            out += amp * np.sin(2 * np.pi * f * partial * t + i) * env(t, 0.002, decay / partial)
    if shimmer:
        out *= 1 + 0.15 * np.sin(2 * np.pi * 9 * t)
    return out


def removal():
    return chime([1318.5, 1975.5], 0.6, 0.22)


def landed():
    t = t_axis(0.18)
    thud = np.sin(sweep(190, 70, t)) * env(t, 0.001, 0.045)
    click = lowpass(noise(len(t), 30), 2500) * env(t, 0.0005, 0.01) * 0.6
    return thud + click


def shift():
    t = t_axis(0.45)
    whoosh = lowpass(noise(len(t), 40), 400 + 2400 * np.sin(np.pi * t / t[-1])) * np.sin(np.pi * t / t[-1]) * 1.5
    clunk_t = t - 0.33
    clunk = np.sin(2 * np.pi * 110 * clunk_t) * env(np.maximum(clunk_t, 0), 0.001, 0.04) * (clunk_t > 0)
    return whoosh + clunk * 0.8


def paint():
    t = t_axis(0.5)
    n = noise(len(t), 50)
    splash = lowpass(n, 5000 * np.exp(-t / 0.08) + 300) * env(t, 0.003, 0.12) * 2.0
    bubbles = np.zeros_like(t)
    rng = np.random.RandomState(51)
    for _ in range(6):
        st = rng.uniform(0.05, 0.3)
        f0 = rng.uniform(500, 1100)
        bt = np.maximum(t - st, 0)
        bubbles += np.sin(2 * np.pi * np.cumsum(f0 * (1 + 3 * bt)) / RATE) * env(bt, 0.002, 0.03) * (t > st) * 0.4
    return splash + bubbles


def linefall():
    t = t_axis(0.55)
    ph = sweep(900, 220, t, 0.7)
    tone = (np.sin(ph) + 0.3 * np.sign(np.sin(ph * 0.5))) * env(t, 0.004, 0.2)
    clack_t = np.maximum(t - 0.4, 0)
    clack = lowpass(noise(len(t), 60), 3000) * env(clack_t, 0.0005, 0.03) * (t > 0.4)
    return lowpass(tone, 3500) + clack


def round_start():
    t = t_axis(1.3)
    out = np.zeros_like(t)
    for i, f in enumerate((523.25, 659.25, 783.99, 1046.5)):
        st = i * 0.09
        bt = np.maximum(t - st, 0)
        tone = np.sin(2 * np.pi * f * bt) + 0.4 * np.sin(2 * np.pi * f * 2 * bt) + 0.15 * np.sin(2 * np.pi * f * 3.01 * bt)
        out += tone * env(bt, 0.003, 0.45) * (t > st)
    return out


EFFECTS = {
    "fall.ogg": fall,
    "jump.ogg": jump,
    "explos1.ogg": explos1,
    "explos2.ogg": explos2,
    "3.ogg": lost,
    "8.ogg": removal,
    "7.ogg": landed,
    "11.ogg": shift,
    "paint.ogg": paint,
    "linefall.wav": linefall,
    "12.ogg": round_start,
}

NUMBERS = ["two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"]


def write_wav(path, x, rate=RATE):
    data = np.round(np.clip(x, -1, 1) * 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(data.tobytes())


def read_wav(path):
    with wave.open(path, "rb") as w:
        rate = w.getframerate()
        raw = w.readframes(w.getnframes())
        ch = w.getnchannels()
    x = np.frombuffer(raw, dtype="<i2").astype(np.float64) / 32768
    if ch > 1:
        x = x.reshape(-1, ch).mean(axis=1)
    return x, rate


def encode_ogg(wav_path, ogg_path, serial):
    subprocess.run(["oggenc", "-Q", "-q", "5", "--serial", str(serial), "-o", ogg_path, wav_path], check=True)


def speak(text, tmp, pitch=40, speed=150, voice="en-us+m3"):
    raw = os.path.join(tmp, "speech.wav")
    subprocess.run(["espeak-ng", "-v", voice, "-p", str(pitch), "-s", str(speed), "-w", raw, text], check=True)
    res = os.path.join(tmp, "speech44.wav")
    # -D: no dither, so the voice comes out the same on every run
    subprocess.run(["sox", "-D", raw, "-r", str(RATE), res], check=True)
    x, _ = read_wav(res)
    return x


def robotise(x):
    """Metallic robot timbre: part ring-modulated, with a short comb echo; stays intelligible."""
    t = np.arange(len(x)) / RATE
    ring = x * np.sin(2 * np.pi * 62 * t)
    y = 0.7 * x + 0.6 * ring
    for delay, gain in ((0.011, 0.45), (0.023, 0.25)):
        d = int(delay * RATE)
        y[d:] += gain * y[:-d].copy()
    y = np.concatenate([y, np.zeros(int(0.05 * RATE))])
    return highpass(y, 120)


def trim(x, threshold=0.01):
    idx = np.nonzero(np.abs(x) > threshold * np.max(np.abs(x)))[0]
    return x[max(idx[0] - 200, 0): idx[-1] + 2000]


def voice(word, tmp):
    return robotise(trim(speak(word, tmp)))


def laugh(tmp):
    parts = []
    for i, pitch in enumerate((70, 64, 58, 52, 46)):
        ha = trim(speak("ha", tmp, pitch=pitch, speed=220))
        parts.append(ha[: int(0.16 * RATE)] * np.hanning(min(len(ha), int(0.16 * RATE))))
        parts.append(np.zeros(int(0.035 * RATE)))
    return robotise(np.concatenate(parts))


def write_all(sounds_dir):
    os.makedirs(sounds_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        jobs = [(name, fn) for name, fn in EFFECTS.items()]
        jobs += [("robot %s.ogg" % w, (lambda w=w: voice(w, tmp))) for w in NUMBERS]
        jobs += [("robot larff.ogg", lambda: laugh(tmp))]
        for serial, (name, make) in enumerate(jobs, start=1001):
            x = normalise(make())
            out = os.path.join(sounds_dir, name)
            if name.endswith(".wav"):
                write_wav(out, x)
            else:
                wav = os.path.join(tmp, "effect.wav")
                write_wav(wav, x)
                encode_ogg(wav, out, serial)
