#!/usr/bin/env python3
"""Writes resources/CFChords.plist, the chord descriptions of the chord finder.

Run it from the repository root after changing the vocabulary in chord_vocabulary.py:
    python3 tools/authoring/chord_descriptions.py resources/CFChords.plist

How: every fingering a hand can hold (four fingers and a barre within five frets) in each tuning
of BZTunings.plist is reduced to the bitmap the chord namer folds it into, above its bass. Each
bitmap whose notes are a chord of the vocabulary gets the reading a guitarist would say (the
cheapest one: plain chords before rare ones, the bass as root before an inversion). Readings with
the bass as root become one description each; the namer finds inversions by itself by rotating the
root. Where its rotation would meet another name first, or no name at all, the bitmap gets a
description that carries its own slash. The namer is then run over every bitmap until it says
what the reading says for all of them."""

import itertools
import os
import plistlib
import sys

from chord_fold import interval_bitmap, walk
from chord_vocabulary import FAMILIES, all_chords

FRETS_PER_HAND = 5  # a shape's fretted notes lie within five frets, with a stretch
HIGHEST_WINDOW = 15  # the lowest fret of the highest hand position tried
STRINGS = 6

# What naming a chord over a bass other than its root costs: over its third, fifth or seventh
# is an everyday inversion, over any other note (a sixth, a tension) a rare one.
EVERYDAY_BASSES = (3, 4, 7, 10, 11)  # semitones above the root
INVERSION_COST = 3.0
RARE_INVERSION_COST = 5.0
# A major or minor triad over a note that is not in it: cheaper than reading the notes as a
# suspended ninth without its fifth, dearer than any plain chord over its root. Only the basses
# players put under a triad count: a whole step above its root (C / D), a fourth above
# (C / F, Am / D) and, under a major triad, the tritone (C / F#).
OVER_BASS_COST = 3.0
TRIADS = {0b10010001: ("", (2, 5, 6)), 0b10001001: ("m", (5,))}


def rotate_mask(mask, semitones):
    """The pitch-class mask seen from the note `semitones` above the current root."""
    return ((mask >> semitones) | (mask << (12 - semitones))) & 0xFFF


class Reading:
    """One way to name a set of notes over its bass: a chord of the vocabulary on a root."""

    def __init__(self, symbol, root, cost, kind, rank):
        self.symbol, self.root = symbol, root
        self.cost, self.kind, self.rank = cost, kind, rank

    def key(self):
        # Ties go to the root the namer's rotation reaches first, then to the plainer chord.
        return (self.cost, self.root, self.rank)

    def name(self):
        """The description's name with the bass as "%0"."""
        if self.root == 0:
            return "%0" + self.symbol
        return "%%%X%s / %%0" % (self.root, self.symbol)


def voicing_index():
    """Pitch-class mask above the root -> [(chord, cost of its omissions)]."""
    index = {}
    for _, chord in all_chords():
        for mask, cost in chord.voicings():
            index.setdefault(mask, []).append((chord, cost))
    return index


def readings_of(mask, voicings):
    """Every reading of the notes `mask` (bass = bit 0), best first. A reading's root is any
    pitch class, sounding or not: a rootless voicing names a root that does not sound."""
    found = []
    for root in range(12):
        seen_from_root = rotate_mask(mask, root)
        bass = (12 - root) % 12
        if root == 0:
            kind, extra = "root", 0.0
        else:
            kind = "inversion" if seen_from_root & 1 else "rootless"
            extra = INVERSION_COST if bass in EVERYDAY_BASSES else RARE_INVERSION_COST
        for chord, cost in voicings.get(seen_from_root, []):
            found.append(Reading(chord.symbol, root, chord.rank + cost + extra, kind, chord.rank))
        upper = rotate_mask(mask & ~1, root)
        if root and mask & (1 << root) and upper in TRIADS and bass in TRIADS[upper][1]:
            found.append(Reading(TRIADS[upper][0], root, OVER_BASS_COST, "over", 0))
    return sorted(found, key=Reading.key)


def tunings():
    """The open strings, thickest first, of each distinct tuning shape in BZTunings.plist."""
    path = os.path.join(os.path.dirname(__file__), "..", "..", "resources", "BZTunings.plist")
    with open(path, "rb") as f:
        lists = [list(reversed(t["notes"])) for t in plistlib.load(f)]
    distinct = {}
    for notes in lists:
        distinct.setdefault(tuple(n - notes[0] for n in notes), notes)
    return list(distinct.values())


def playable(frets):
    """Four fingers, one of which may bar the lowest fret over strings it does not leave open."""
    fretted = [(s, f) for s, f in enumerate(frets) if f]
    if len(fretted) <= 4:
        return True
    lowest = min(f for _, f in fretted)
    barred = [s for s, f in fretted if f == lowest]
    if any(frets[s] == 0 for s in range(barred[0], barred[-1] + 1)):
        return False
    return len(fretted) - len(barred) <= 3


def shapes():
    """Every playable fingering with at least three sounding strings, as tuples of frets
    (None = muted), thickest string first."""
    seen = set()
    for window in range(1, HIGHEST_WINDOW + 1):
        options = [None, 0] + list(range(window, window + FRETS_PER_HAND))
        for frets in itertools.product(options, repeat=STRINGS):
            if frets in seen or sum(f is not None for f in frets) < 3 or not playable(frets):
                continue
            seen.add(frets)
            yield frets


def bass_bitmaps(voicings):
    """Bitmap (above the bass) -> best reading, for every shape in every tuning."""
    best_of_mask = {}
    found = {}
    open_strings = tunings()
    for frets in shapes():
        for notes in open_strings:
            pitches = [n + f for n, f in zip(notes, frets) if f is not None]
            bass = pitches[0]
            mask = 0
            for pitch in pitches:
                mask |= 1 << ((pitch - bass) % 12)
            if mask not in best_of_mask:
                readings = readings_of(mask, voicings)
                best_of_mask[mask] = readings[0] if readings else None
            if best_of_mask[mask] is not None:
                found.setdefault(interval_bitmap(pitches, bass), best_of_mask[mask])
    return found


def said(result):
    """The namer's answer (shift, name) in the bass's frame, for comparison with a reading."""
    if result is None:
        return None
    shifted, name = result
    for i in range(11, -1, -1):
        name = name.replace("%%%X" % i, "<%d>" % ((shifted + i) % 12))
    if shifted and " /" not in name:
        name += " / <0>"
    return name


def describe(found):
    """The descriptions: bitmap -> reading, root readings first, then the slash fixes."""
    table = {bits: r.name() for bits, r in found.items() if r.root == 0}
    chosen = {bits: r for bits, r in found.items() if r.root == 0}
    changed = True
    while changed:
        changed = False
        for bits in sorted(found):
            reading = found[bits]
            if said(walk(table, bits)) != said((0, reading.name())):
                table[bits] = reading.name()
                chosen[bits] = reading
                changed = True
    return chosen


SECTION_OF_KIND = {
    "inversion": "Inversions the rotation of the root would name otherwise",
    "rootless": "Rootless voicings over a bass: the root does not sound",
    "over": "Triads over another bass",
}


def sections(chosen):
    """(comment, [(bitmap, name)]) in the order the file lists them."""
    order = [chord.symbol for _, chord in all_chords()]
    out = []
    for family, chords in FAMILIES:
        symbols = {c.symbol for c in chords}
        entries = [(b, r) for b, r in chosen.items() if r.kind == "root" and r.symbol in symbols]
        out.append((family, entries))
    for kind, title in SECTION_OF_KIND.items():
        out.append((title, [(b, r) for b, r in chosen.items() if r.kind == kind]))
    return [(title, [(b, r.name()) for b, r in
                     sorted(entries, key=lambda e: (order.index(e[1].symbol), e[1].root, e[0]))])
            for title, entries in out if entries]


# The intervals of a bitmap above its "%0", as a comment on each description's line.
INTERVAL_NAMES = {0: "1", 1: "b2", 2: "2", 3: "b3", 4: "3", 5: "4", 6: "b5", 7: "5", 8: "#5",
                  9: "6", 10: "b7", 11: "7", 13: "b9", 14: "9", 15: "#9", 17: "11", 18: "#11",
                  20: "b13", 21: "13"}


def intervals(bits):
    return " ".join(INTERVAL_NAMES[i] for i in range(24) if bits & (1 << i))


def xml_text(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def write(path, chosen):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', '<plist version="1.0">', "<array>",
             "<!-- Written by tools/authoring/chord_descriptions.py; edit the vocabulary there."
             " -->"]
    for title, entries in sections(chosen):
        lines.append("<!-- %s -->" % xml_text(title))
        for bits, name in entries:
            lines.append("<dict><key>bitmap</key><integer>%d</integer><key>name</key>"
                         "<string>%s</string></dict> <!-- %s -->"
                         % (bits, xml_text(name), intervals(bits)))
    lines += ["</array>", "</plist>", ""]
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: chord_descriptions.py OUTPUT.plist")
    chosen = describe(bass_bitmaps(voicing_index()))
    write(sys.argv[1], chosen)
    print("%d descriptions" % len(chosen), file=sys.stderr)


if __name__ == "__main__":
    main()
