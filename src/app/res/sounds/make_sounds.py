#!/usr/bin/env python3
"""Synthesises Corvane's default alert sounds: short, soft mallet chimes as 16-bit mono PCM.

    python3 make_sounds.py [output-folder]     (default: this script's folder)

The output is deterministic, so re-running it leaves the committed files unchanged.
"""
import math
import os
import struct
import sys
import wave

RATE = 11025
PEAK = 0.45  # of full scale: clearly audible, never harsh

# Partials of a marimba-like bar (frequency ratio, relative level, decay time in seconds).
PARTIALS = ((1.0, 1.0, 0.16), (3.93, 0.18, 0.05), (9.2, 0.04, 0.02))


def note_name_to_hz(name):
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semitone = steps[name[0]] + (int(name[1:]) - 4) * 12
    return 440.0 * 2 ** (semitone / 12)


def render(notes, length):
    """notes: (start seconds, note name, level). Returns 16-bit samples."""
    count = int(length * RATE)
    mix = [0.0] * count
    attack = int(0.004 * RATE)
    for start, name, level in notes:
        f0 = note_name_to_hz(name)
        first = int(start * RATE)
        for i in range(first, count):
            t = (i - first) / RATE
            ramp = min(1.0, (i - first) / attack) if attack else 1.0
            value = 0.0
            for ratio, amp, decay in PARTIALS:
                f = f0 * ratio
                if f >= RATE * 0.45:
                    continue
                value += amp * math.exp(-t / decay) * math.sin(2 * math.pi * f * t)
            mix[i] += level * ramp * value
    # Fade the tail so the sound ends without a click.
    fade = int(0.03 * RATE)
    for k in range(fade):
        mix[count - 1 - k] *= k / fade
    top = max(abs(v) for v in mix) or 1.0
    return [int(round(v / top * PEAK * 32767)) for v in mix]


SOUNDS = {
    # Charging starts or stops: a rising fourth.
    "chg_start.wav": ([(0.0, "E5", 0.9), (0.11, "A5", 1.0)], 0.40),
    # Battery full: a major arpeggio up to the octave.
    "chg_full.wav": ([(0.0, "C5", 0.8), (0.09, "E5", 0.85), (0.18, "G5", 0.9), (0.27, "C6", 1.0)], 0.55),
    # Charge critical: a falling minor triad, a little insistent.
    "chg_critical.wav": ([(0.0, "A5", 1.0), (0.12, "F5", 0.95), (0.24, "D5", 1.0)], 0.50),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, (notes, length) in SOUNDS.items():
        samples = render(notes, length)
        with wave.open(os.path.join(folder, name), "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            out.writeframes(struct.pack("<%dh" % len(samples), *samples))
        print(name, len(samples) * 2 + 44, "bytes")


if __name__ == "__main__":
    main()
