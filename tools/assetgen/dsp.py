"""Signal helpers shared by the sound effects and the music's instruments."""
import numpy as np


def lowpass(x, cutoff, rate):
    """One-pole low-pass; cutoff in Hz, one value or one per sample."""
    cutoff = np.broadcast_to(np.asarray(cutoff, dtype=np.float64), x.shape)
    a = 1 - np.exp(-2 * np.pi * cutoff / rate)
    y = np.empty_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc += a[i] * (x[i] - acc)
        y[i] = acc
    return y
