#!/usr/bin/env python3
"""Synthesise the engine sound: a V-12 at cruise, heard from outside.

usage: make_engine.py <out.wav>

The loop is exactly LOOP_SECONDS long and every periodic part of the sound
(firing pulses, crank harmonics, propeller beat, the slow throb of the
engines drifting against each other) completes a whole number of cycles in
it.  Noise is filtered circularly and pulse tails that run past the end are
folded back onto the start, so the last sample flows into the first and the
file loops without a click.
"""
import math
import random
import struct
import sys
import wave

RATE = 22050
LOOP_SECONDS = 3.0
N = int(RATE * LOOP_SECONDS)

FIRING_HZ = 110.0          # V-12, 6 firings per crank turn: crank 18.3 turns a second
CYLINDERS_PER_TURN = 6     # amplitude pattern repeats every crank turn
BLADE_HZ = 70 / LOOP_SECONDS   # propeller blade passing, 23.3 Hz
THROB_HZ = 4 / LOOP_SECONDS    # two engines beating against each other, 1.33 Hz


def whole_cycles(freq):
    cycles = freq * LOOP_SECONDS
    assert abs(cycles - round(cycles)) < 1e-9, freq
    return freq


def circular_lowpass(x, a):
    """One-pole low-pass run twice round the loop so it has no start."""
    y = 0.0
    out = [0.0] * len(x)
    for _ in range(2):
        for i, v in enumerate(x):
            y += a * (v - y)
            out[i] = y
    return out


def circular_bandpass(x, lo, hi):
    low = circular_lowpass(x, hi)
    lower = circular_lowpass(x, lo)
    return [a - b for a, b in zip(low, lower)]


def synth():
    period = RATE / FIRING_HZ
    rng = random.Random(1941)
    whole_cycles(FIRING_HZ)
    whole_cycles(FIRING_HZ / CYLINDERS_PER_TURN)
    whole_cycles(BLADE_HZ)
    whole_cycles(THROB_HZ)
    out = [0.0] * N

    # firing pulses: a sharp exhaust crack ringing in the stack, and a thump
    pulses = int(FIRING_HZ * LOOP_SECONDS)
    period = RATE / FIRING_HZ
    cyl_gain = [1.0, 0.86, 0.95, 0.8, 0.97, 0.9]
    span = int(period * 3)
    for k in range(pulses):
        t0 = k * period
        gain = cyl_gain[k % CYLINDERS_PER_TURN] * (0.9 + 0.2 * rng.random())
        ring = 410.0 * (0.96 + 0.08 * rng.random())
        start = int(math.floor(t0))
        for j in range(span):
            t = (start + j - t0) / RATE
            if t < 0:
                continue
            v = (0.55 * math.exp(-t / 0.0032) * math.sin(2 * math.pi * ring * t)
                 + 0.9 * math.exp(-t / 0.006) * math.sin(2 * math.pi * 95.0 * t)
                 + 0.25 * math.exp(-t / 0.0012) * math.sin(2 * math.pi * 1250.0 * t))
            out[(start + j) % N] += gain * v

    # crank and gear whine harmonics (whole cycles in the loop)
    crank = FIRING_HZ / CYLINDERS_PER_TURN
    for h, amp in ((1, 0.18), (2, 0.10), (3, 0.12), (6, 0.22), (12, 0.06), (18, 0.03)):
        f = crank * h
        ph = rng.random() * 2 * math.pi
        for i in range(N):
            out[i] += amp * math.sin(2 * math.pi * f * i / RATE + ph)

    # exhaust and air noise, gated by the firing rhythm
    noise = [rng.uniform(-1, 1) for _ in range(N)]
    rough = circular_bandpass(noise, 0.02, 0.25)
    hiss = circular_bandpass(noise, 0.12, 0.6)
    for i in range(N):
        phase = (i / period) % 1.0
        gate = 0.35 + 0.65 * math.exp(-phase / 0.25)
        out[i] += 0.9 * rough[i] * gate + 0.12 * hiss[i]

    # propeller: blade-passing beat and the slow throb
    for i in range(N):
        t = i / RATE
        am = (1.0 + 0.22 * math.sin(2 * math.pi * BLADE_HZ * t)) * (1.0 + 0.14 * math.sin(2 * math.pi * THROB_HZ * t + 0.7))
        out[i] *= am

    # distance: soften the top end a little
    out = circular_lowpass(out, 0.55)
    mean = sum(out) / N
    out = [v - mean for v in out]
    # start the file late in a firing cycle, where the exhaust is quietest,
    # so the seam falls on an ordinary small step (any rotation still loops)
    quiet = int(period * 0.8)
    out = out[quiet:] + out[:quiet]
    peak = max(abs(v) for v in out)
    scale = 0.72 * 32767 / peak
    return [int(round(v * scale)) for v in out]


def main():
    samples = synth()
    with wave.open(sys.argv[1], "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples))


if __name__ == "__main__":
    main()
