#!/usr/bin/python3
"""Synthesises the nineteen sound effects (WAV) and the seven music loops (WAV, then MP3 via lame).

Usage: gen_audio.py <data dir> [<work dir for the music WAVs>]

Effects: 22050 Hz mono 16-bit PCM with only the "fmt " and "data" chunks (the standard wave
module writes exactly that). Music: 44100 Hz, a whole number of bars so the loop has no click,
encoded with `lame --quiet -m j -b 128`.
"""

import math
import os
import random
import struct
import subprocess
import sys
import wave

EFFECT_RATE = 22050
MUSIC_RATE = 44100


def write_wav(path, samples, rate):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)


def envelope(i, n, attack=0.01, rate=EFFECT_RATE):
    """Short linear attack, then an exponential-looking decay to silence at the end."""
    a = int(attack * rate)
    if i < a:
        return i / a
    t = (i - a) / max(1, n - a)
    return (1 - t) ** 2


def sweep(duration, f0, f1, volume=0.6, shape="sine"):
    n = int(duration * EFFECT_RATE)
    out, phase = [], 0.0
    for i in range(n):
        f = f0 + (f1 - f0) * i / n
        phase += 2 * math.pi * f / EFFECT_RATE
        v = math.sin(phase) if shape == "sine" else (1.0 if math.sin(phase) >= 0 else -1.0) * 0.5
        out.append(v * envelope(i, n) * volume)
    return out


def tones(duration, freqs, volume=0.5):
    n = int(duration * EFFECT_RATE)
    return [sum(math.sin(2 * math.pi * f * i / EFFECT_RATE) for f in freqs) / len(freqs) * envelope(i, n) * volume
            for i in range(n)]


def noise(duration, seed, volume=0.5, smooth=0.0, attack=0.01):
    """White noise through a one-pole low-pass (smooth 0 = white, near 1 = dull)."""
    rnd = random.Random(seed)
    n = int(duration * EFFECT_RATE)
    out, y = [], 0.0
    for i in range(n):
        y = smooth * y + (1 - smooth) * rnd.uniform(-1, 1)
        out.append(y * envelope(i, n, attack) * volume)
    return out


def mix(*parts):
    n = max(len(p) for p in parts)
    return [sum(p[i] for p in parts if i < len(p)) for i in range(n)]


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def shimmer(duration):
    n = int(duration * EFFECT_RATE)
    out = []
    for i in range(n):
        t = i / EFFECT_RATE
        v = sum(math.sin(2 * math.pi * f * t + k) * (0.5 + 0.5 * math.sin(2 * math.pi * (3 + k) * t))
                for k, f in enumerate((880, 1320, 1760, 2217)))
        out.append(v / 4 * envelope(i, n, 0.1) * 0.5)
    return out


EFFECTS = [
    ("collide.wav", lambda: mix(sweep(0.15, 120, 60, 0.8), noise(0.15, 1, 0.3, 0.9))),
    ("magic.wav", lambda: shimmer(1.0)),
    ("telep_create.wav", lambda: sweep(0.5, 300, 1200, 0.5)),
    ("tele_go.wav", lambda: sweep(0.4, 1200, 300, 0.5)),
    ("bridgedown.wav", lambda: concat(mix(sweep(0.1, 220, 150, 0.8), noise(0.1, 2, 0.3, 0.8)),
                                      mix(sweep(0.2, 200, 120, 0.6), noise(0.2, 3, 0.2, 0.8)))),
    ("step.wav", lambda: noise(0.08, 4, 0.6, 0.6, 0.002)),
    ("portal.wav", lambda: tones(0.6, (660, 990, 1320), 0.6)),
    ("rec_err.wav", lambda: sweep(0.3, 110, 100, 0.5, "square")),
    ("click.wav", lambda: mix(sweep(0.05, 2000, 1500, 0.5), noise(0.05, 5, 0.3, 0.2, 0.001))),
    ("focus.wav", lambda: sweep(0.05, 1400, 1600, 0.4)),
    ("fountain.wav", lambda: noise(0.5, 6, 0.6, 0.3, 0.02)),
    ("kill.wav", lambda: sweep(0.5, 600, 150, 0.6, "square")),
    ("switch.wav", lambda: concat(noise(0.08, 7, 0.6, 0.3, 0.001), [0.0] * int(0.04 * EFFECT_RATE),
                                  noise(0.08, 8, 0.6, 0.5, 0.001))),
    ("wind.wav", lambda: noise(0.8, 9, 0.6, 0.95, 0.3)),
    ("gate.wav", lambda: tones(0.5, (196, 294, 392, 523), 0.7)),
    ("spring.wav", lambda: [math.sin(2 * math.pi * (300 + 200 * math.sin(2 * math.pi * 12 * i / EFFECT_RATE))
                                     * i / EFFECT_RATE) * envelope(i, int(0.4 * EFFECT_RATE)) * 0.6
                            for i in range(int(0.4 * EFFECT_RATE))]),
    ("funnel.wav", lambda: mix(noise(0.4, 10, 0.5, 0.85, 0.15), sweep(0.4, 200, 500, 0.2))),
    ("tooth.wav", lambda: sweep(0.1, 900, 800, 0.4)),
    ("score.wav", lambda: concat(tones(0.05, (1568,), 0.4), tones(0.1, (2093,), 0.5))),
]


# ---------------------------------------------------------------- music

NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def freq(semitone_from_a4):
    return 440.0 * 2 ** (semitone_from_a4 / 12.0)


# (file, tempo in beats per minute, bars, scale degrees in semitones, root relative to A4, seed, lead wave)
TRACKS = [
    ("menu.mp3", 96, 8, [0, 2, 4, 7, 9], -9, 1, "sine"),          # C major pentatonic, calm
    ("intro.mp3", 80, 8, [0, 2, 3, 5, 7, 8, 10], -12, 2, "sine"),  # A minor, slow
    ("playtime.mp3", 120, 12, [0, 2, 4, 5, 7, 9, 11], -7, 3, "triangle"),
    ("playtimew.mp3", 112, 10, [0, 2, 3, 5, 7, 9, 10], -5, 4, "triangle"),
    ("bonus.mp3", 132, 12, [0, 2, 4, 7, 9], -4, 5, "square"),
    ("trophies.mp3", 100, 9, [0, 4, 7, 11, 14], -9, 6, "sine"),
    ("final.mp3", 72, 8, [0, 2, 4, 5, 7, 9, 11], -9, 7, "sine"),
]


def osc(kind, phase):
    s = math.sin(phase)
    if kind == "square":
        return 0.6 if s >= 0 else -0.6
    if kind == "triangle":
        return 2 / math.pi * math.asin(s)
    return s


def note_into(buf, start, length, f, volume, kind, release=0.03):
    """Adds one note; it decays to silence before its slot ends, so bar cuts never click."""
    n = min(length, len(buf) - start)
    rel = int(release * MUSIC_RATE)
    for i in range(n):
        env = min(1.0, i / 220.0) * math.exp(-3.0 * i / length)
        if i > n - rel:
            env *= (n - i) / rel
        buf[start + i] += osc(kind, 2 * math.pi * f * i / MUSIC_RATE) * env * volume


def render_track(tempo, bars, scale, root, seed, lead):
    rnd = random.Random(seed)
    beat = int(MUSIC_RATE * 60 / tempo)
    total = beat * 4 * bars
    buf = [0.0] * total
    chords = [0, 3, 4, 0] if len(scale) >= 7 else [0, 2, 3, 0]
    degree = 0
    for bar in range(bars):
        chord = chords[bar % 4]
        base = bar * 4 * beat
        # Bass on every beat, the chord root an octave and a half down.
        for b in range(4):
            f = freq(root - 12 + scale[chord % len(scale)])
            note_into(buf, base + b * beat, beat, f, 0.22, "triangle")
        # Pad: chord tones held through the bar.
        for k in (0, 2, 4):
            deg = chord + k
            f = freq(root + scale[deg % len(scale)] + 12 * (deg // len(scale)))
            note_into(buf, base, 4 * beat, f, 0.06, "sine", release=0.2)
        # Lead: eighth notes in a random walk over the scale, with rests.
        for e in range(8):
            if rnd.random() < 0.25:
                continue
            degree = max(-2, min(9, degree + rnd.choice([-2, -1, -1, 1, 1, 2])))
            f = freq(root + 12 + scale[degree % len(scale)] + 12 * (degree // len(scale)))
            note_into(buf, base + e * beat // 2, beat // 2, f, 0.16, lead)
    peak = max(abs(v) for v in buf) or 1.0
    return [v / peak * 0.8 for v in buf]


def main():
    data = sys.argv[1]
    work = sys.argv[2] if len(sys.argv) > 2 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "out", "music")
    sounds = os.path.join(data, "sounds")
    for name, make in EFFECTS:
        write_wav(os.path.join(sounds, name), make(), EFFECT_RATE)
    os.makedirs(work, exist_ok=True)
    for name, tempo, bars, scale, root, seed, lead in TRACKS:
        wav = os.path.join(work, name.replace(".mp3", ".wav"))
        write_wav(wav, render_track(tempo, bars, scale, root, seed, lead), MUSIC_RATE)
        subprocess.run(["lame", "--quiet", "-m", "j", "-b", "128", wav, os.path.join(sounds, name)], check=True)
    print("gen_audio: %d effects, %d music tracks" % (len(EFFECTS), len(TRACKS)))


if __name__ == "__main__":
    main()
