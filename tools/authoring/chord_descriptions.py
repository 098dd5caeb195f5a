#!/usr/bin/env python3
"""Writes resources/CFChords.plist, the chord descriptions of the chord finder.

Run it from the repository root after changing the vocabulary in chord_vocabulary.py:
    python3 tools/authoring/chord_descriptions.py resources/CFChords.plist

How: every fingering a hand can hold (four fingers and a barre within five frets) in each tuning
of BZTunings.plist is reduced to the bitmap the chord namer folds it into, above its bass. Each
bitmap whose notes are a chord of the vocabulary gets the reading a guitarist would say (the
cheapest one: plain chords before rare ones, the bass as root before an inversion). Readings with
the bass as root become one description each; the namer finds inversions by itself by rotating the
root. Where the rotation reaches an inversion's root and finds no description, one is added there,
by its root; where it meets another name first or cannot reach the root, the bass's bitmap gets a
description that carries its own slash. The namer is run over every bitmap until it says what the
reading says for all of them. A description with its own slash names the bass it was written for,
so every bitmap six strings can make whose rotation would end on one gets its own description."""

import itertools
import os
import plistlib
import sys

from chord_fold import interval_bitmap, pitch_classes, predecessors, rotations, walk
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
# players put under a triad count: a whole step above its root (C / D) and a fourth above
# (C / F, Am / D).
OVER_BASS_COST = 3.0
TRIADS = {0b10010001: ("", (2, 5)), 0b10001001: ("m", (5,))}


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


def names_of(table):
    return {bits: reading.name() for bits, reading in table.items()}


def fix_until_said(found, table):
    """Adds descriptions until the namer says each enumerated bitmap's reading. An inversion the
    rotation reaches with no description for it is described where the rotation meets it, by
    its root, so that any bass under it is named right; where the rotation meets another name
    first, or cannot reach the root (a rootless reading, a root held only as a tension), the
    bass's bitmap gets a description that carries its own slash."""
    changed = True
    while changed:
        changed = False
        names = names_of(table)
        for bits in sorted(found):
            reading = found[bits]
            result = walk(names, bits)
            if said(result) == said((0, reading.name())):
                continue
            at_root = dict(rotations(bits)).get(reading.root)
            reached = result is None or result[0] > reading.root
            if reading.kind == "inversion" and at_root is not None and reached and \
                    at_root not in table and at_root not in found:
                table[at_root] = Reading(reading.symbol, 0, reading.cost, "rotated", reading.rank)
                names[at_root] = table[at_root].name()
            else:
                table[bits] = reading
                names[bits] = reading.name()
            changed = True


def misnamed_basses(table):
    """Bitmaps without a description of their own whose rotation ends on one that carries its
    own slash: it would name as the bass a note that is not the lowest. Any fingering can make
    them, playable or not, so they are found from the descriptions, not from fingerings."""
    names = names_of(table)
    frontier = [bits for bits, reading in table.items() if reading.root]
    seen, misnamed = set(), []
    while frontier:
        for before in predecessors(frontier.pop()):
            if before in table or before in seen:
                continue
            seen.add(before)
            frontier.append(before)
            result = walk(names, before)
            if result and result[0] and " /" in result[1]:
                misnamed.append(before)
    return misnamed


def describe(found, voicings):
    """The descriptions, bitmap -> reading: the enumerated bitmaps' root readings, the fixes
    that make the namer say every enumerated reading, and descriptions of their own for the
    bitmaps whose rotation would misname their bass, until there are none."""
    table = {bits: reading for bits, reading in found.items() if reading.root == 0}
    fix_until_said(found, table)
    while misnamed := misnamed_basses(table):
        for bits in misnamed:
            readings = readings_of(pitch_classes(bits), voicings)
            if not readings:
                sys.exit("no reading for %s, which reaches a slash description" % bin(bits))
            table[bits] = readings[0]
    return table


SECTION_OF_KIND = {
    "rotated": "Inversions, described where the rotation of the root meets them",
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


# The intervals of a bitmap above its "%0", as a comment on each description's line. The
# octave, tenth, twelfth and fourteenths appear only where the rotation has moved a tension down.
INTERVAL_NAMES = ["1", "b2", "2", "b3", "3", "4", "b5", "5", "#5", "6", "b7", "7",
                  "8", "b9", "9", "#9", "10", "11", "#11", "12", "b13", "13", "b14", "14"]


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
    voicings = voicing_index()
    chosen = describe(bass_bitmaps(voicings), voicings)
    write(sys.argv[1], chosen)
    print("%d descriptions" % len(chosen), file=sys.stderr)


if __name__ == "__main__":
    main()
