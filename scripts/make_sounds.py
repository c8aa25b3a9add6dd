#!/usr/bin/env python3
"""Synthesises the short named system sounds that Kestrane's bundle ships (resources/Kestrane/Sounds).

Each sound is a few partials (sine waves at multiples of a base pitch) under an attack/decay envelope, with
an optional pitch glide, tremolo or repetition, so that every name has its own pitch and character. Output:
22050 Hz, mono, 16-bit PCM WAV. Run from anywhere; it rewrites the files in place:

    python3 scripts/make_sounds.py [output folder]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.6  # of full scale: every sound is scaled to this loudest sample


class Tone:
    """One sound: `partials` are (multiple of the base pitch, relative amplitude)."""

    def __init__(self, pitch, duration, partials=((1, 1.0),), attack=0.005, decay=6.0, glide=0.0,
                 tremolo=0.0, pulses=1, noise=0.0):
        self.pitch = pitch          # Hz at the start
        self.duration = duration    # seconds
        self.partials = partials
        self.attack = attack        # seconds of linear rise
        self.decay = decay          # exponential decay rate per second after the attack
        self.glide = glide          # octaves of pitch change over the whole sound
        self.tremolo = tremolo      # Hz of amplitude wobble (0: none)
        self.pulses = pulses        # the sound split into this many equal strikes
        self.noise = noise          # share of a deterministic rough component (0: none)


TONES = {
    "Basso": Tone(110, 0.5, ((1, 1.0), (2, 0.5), (3, 0.3), (5, 0.15)), decay=4.0, glide=-0.15),
    "Blow": Tone(330, 0.45, ((1, 0.6), (2, 0.2)), attack=0.12, decay=5.0, glide=0.1, noise=0.35),
    "Bottle": Tone(520, 0.35, ((1, 1.0), (2.02, 0.15)), attack=0.02, decay=8.0, glide=0.05),
    "Frog": Tone(180, 0.3, ((1, 1.0), (3, 0.5), (5, 0.3)), decay=3.0, tremolo=28, glide=0.2),
    "Funk": Tone(240, 0.3, ((1, 1.0), (1.5, 0.5), (2, 0.3)), decay=7.0, glide=-0.4),
    "Glass": Tone(1568, 0.6, ((1, 1.0), (2.76, 0.35), (5.4, 0.15)), attack=0.002, decay=5.0),
    "Hero": Tone(392, 0.6, ((1, 1.0), (2, 0.4), (3, 0.2)), attack=0.03, decay=3.0, glide=1.0),
    "Morse": Tone(880, 0.35, ((1, 1.0),), attack=0.003, decay=2.0, pulses=3),
    "Ping": Tone(1319, 0.5, ((1, 1.0), (3.01, 0.1)), attack=0.002, decay=7.0),
    "Pop": Tone(600, 0.1, ((1, 1.0), (2, 0.3)), attack=0.001, decay=35.0, glide=-1.0),
    "Purr": Tone(140, 0.5, ((1, 1.0), (2, 0.6), (4, 0.3)), attack=0.05, decay=3.0, tremolo=22, noise=0.15),
    "Sosumi": Tone(698, 0.4, ((1, 1.0), (2, 0.25), (4, 0.1)), attack=0.004, decay=4.0, pulses=2),
    "Submarine": Tone(262, 0.6, ((1, 1.0), (2, 0.2)), attack=0.08, decay=2.5, tremolo=6),
    "Tink": Tone(2093, 0.15, ((1, 1.0), (2.5, 0.2)), attack=0.001, decay=30.0),
}


def rough(index):
    """A repeatable noise sample in [-1, 1] (an integer hash, so every run writes the same bytes)."""
    x = (index * 1103515245 + 12345) & 0x7FFFFFFF
    x ^= x >> 13
    x = (x * 1664525 + 1013904223) & 0x7FFFFFFF
    return (x / 0x3FFFFFFF) - 1.0


def samples(tone):
    count = int(tone.duration * RATE)
    pulse_length = count // tone.pulses
    gap = pulse_length // 4 if tone.pulses > 1 else 0
    phase = 0.0
    smoothed = 0.0
    for i in range(count):
        t = i / RATE
        local = (i % pulse_length) / RATE if pulse_length else t
        in_gap = tone.pulses > 1 and (i % pulse_length) >= pulse_length - gap
        # Frequency glides exponentially; the phase integrates it so the glide has no clicks.
        frequency = tone.pitch * 2 ** (tone.glide * t / tone.duration)
        phase += 2 * math.pi * frequency / RATE
        value = sum(amplitude * math.sin(phase * multiple) for multiple, amplitude in tone.partials)
        if tone.noise:
            smoothed += 0.2 * (rough(i) - smoothed)
            value += tone.noise * smoothed
        envelope = min(1.0, local / tone.attack) * math.exp(-tone.decay * local)
        if tone.tremolo:
            envelope *= 0.65 + 0.35 * math.sin(2 * math.pi * tone.tremolo * t)
        # A short fade at the very end so that no sound stops with a click.
        envelope *= min(1.0, (count - 1 - i) / (0.004 * RATE))
        if in_gap:
            envelope = 0.0
        yield envelope * value


def write(name, tone, folder):
    values = list(samples(tone))
    scale = PEAK * 32767 / max(abs(v) for v in values)
    frames = b"".join(struct.pack("<h", round(v * scale)) for v in values)
    path = os.path.join(folder, name + ".wav")
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    return path


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "resources", "Kestrane", "Sounds"))
    os.makedirs(folder, exist_ok=True)
    for name, tone in TONES.items():
        print(write(name, tone, folder))


if __name__ == "__main__":
    main()
