"""The chords the chord finder names, in the symbols guitarists write, family by family.

Each chord is a symbol (what follows the root), a formula of degrees above the root and a rank:
how plain the chord is, so that of two readings of the same notes the plainer one wins (Am7
before C6 over A). A degree in parentheses may be left out of a voicing: the fifth almost always,
the ninth and eleventh of thirteenths, the third of elevenths, the root of the rootless ninths and
thirteenths that players put over another bass note."""

import itertools

# Semitones above the root of each degree as chord symbols write it.
DEGREES = {
    "1": 0, "b9": 1, "9": 2, "2": 2, "#9": 3, "b3": 3, "3": 4, "4": 5, "11": 5,
    "#11": 6, "b5": 6, "5": 7, "#5": 8, "b6": 8, "b13": 8, "6": 9, "13": 9, "bb7": 9,
    "b7": 10, "7": 11,
}

# What leaving a degree out costs the reading: a missing ninth or eleventh in a thirteenth is
# normal, a missing fifth nearly so; a missing third makes the chord vaguer; a missing root means
# the name speaks of a note that does not sound (and its bass is never the root, which costs an
# inversion on top), so a rootless reading wins only where the notes make no plainer chord.
OMISSION_COST = {"5": 1.0, "9": 0.25, "11": 0.25, "3": 1.5, "1": 1.5}


class Chord:
    def __init__(self, symbol, formula, rank):
        self.symbol = symbol
        self.formula = formula
        self.rank = rank
        self.degrees = [(d.strip("()"), d.startswith("(")) for d in formula.split()]

    def voicings(self):
        """(pitch-class mask above the root, cost of the omissions) of every allowed voicing."""
        optional = [d for d, opt in self.degrees if opt]
        for dropped in itertools.product([False, True], repeat=len(optional)):
            left_out = {d for d, drop in zip(optional, dropped) if drop}
            kept = [d for d, _ in self.degrees if d not in left_out]
            mask = 0
            for degree in kept:
                mask |= 1 << DEGREES[degree]
            if bin(mask).count("1") >= 3:
                yield mask, sum(OMISSION_COST.get(d, 1.0) for d in left_out)


FAMILIES = [
    ("Major triads, sixths and added notes", [
        Chord("", "1 3 5", 0),
        Chord("6", "1 3 (5) 6", 1),
        Chord("6/9", "1 3 (5) 6 9", 2),
        Chord("add9", "1 3 (5) 9", 1.5),
        Chord("add11", "1 3 5 11", 2.5),
        Chord("6/9#11", "1 3 (5) 6 9 #11", 3.5),
    ]),
    ("Suspended chords", [
        Chord("sus4", "1 4 5", 0.5),
        Chord("sus2", "1 2 5", 1),
        Chord("7sus4", "1 4 (5) b7", 1.5),
        Chord("9sus4", "1 4 (5) b7 9", 2.5),
        Chord("13sus4", "1 4 (5) b7 (9) 13", 3),
        Chord("7sus4b9", "1 4 (5) b7 b9", 3),
        Chord("13sus4b9", "1 4 (5) b7 b9 13", 4),
    ]),
    ("Major sevenths", [
        Chord("maj7", "1 3 (5) 7", 1),
        Chord("maj9", "1 3 (5) 7 9", 2),
        Chord("maj13", "1 3 (5) 7 9 13", 3),
        Chord("maj7add13", "1 3 (5) 7 13", 3),
        Chord("maj7#11", "1 3 (5) 7 #11", 2.5),
        Chord("maj9#11", "1 3 (5) 7 9 #11", 3),
        Chord("maj13#11", "1 3 (5) 7 9 #11 13", 4),
        Chord("maj7#11add13", "1 3 (5) 7 #11 13", 4),
        Chord("maj7#5", "1 3 #5 7", 3),
        Chord("maj7#5#11", "1 3 #5 7 #11", 4),
    ]),
    ("Minor chords", [
        Chord("m", "1 b3 5", 0),
        Chord("m6", "1 b3 (5) 6", 1),
        Chord("m6/9", "1 b3 (5) 6 9", 2),
        Chord("madd9", "1 b3 (5) 9", 1.5),
        Chord("madd11", "1 b3 5 11", 2.5),
        Chord("m7", "1 b3 (5) b7", 1),
        Chord("m9", "1 b3 (5) b7 9", 2),
        Chord("m11", "1 b3 (5) b7 (9) 11", 2.5),
        Chord("m13", "1 b3 (5) b7 (9) (11) 13", 3),
        Chord("m7b6", "1 b3 (5) b6 b7", 3),
        Chord("m9b6", "1 b3 (5) b6 b7 9", 3.5),
        Chord("m11b6", "1 b3 (5) b6 b7 (9) 11", 4),
        Chord("m(maj7)", "1 b3 (5) 7", 2),
        Chord("m(maj9)", "1 b3 (5) 7 9", 3),
    ]),
    ("Half-diminished chords", [
        Chord("m7b5", "1 b3 b5 b7", 1.5),
        Chord("m9b5", "1 b3 b5 b7 9", 3),
        Chord("m11b5", "1 b3 b5 b7 (9) 11", 3.5),
        Chord("m13b5", "1 b3 b5 b7 (9) (11) 13", 4),
    ]),
    ("Dominant sevenths, ninths, elevenths and thirteenths", [
        Chord("7", "1 3 (5) b7", 1),
        Chord("7(no3)", "1 5 b7", 3),
        Chord("9", "(1) 3 (5) b7 9", 2),
        Chord("11", "1 3 (5) b7 (9) 11", 3.5),
        Chord("13", "(1) 3 (5) b7 (9) 13", 2.5),
        Chord("7#11", "1 3 5 b7 #11", 2.5),
        Chord("9#11", "1 3 5 b7 9 #11", 3),
        Chord("13#11", "1 3 5 b7 (9) #11 13", 3.5),
        Chord("7b13", "1 3 5 b7 b13", 2.5),
    ]),
    ("Altered dominants", [
        Chord("7b9", "1 3 (5) b7 b9", 2),
        Chord("7#9", "1 3 (5) b7 #9", 2),
        Chord("7b9#9", "1 3 (5) b7 b9 #9", 3),
        Chord("13b9", "1 3 (5) b7 b9 13", 3),
        Chord("13#9", "1 3 (5) b7 #9 13", 3),
        Chord("7b9b13", "1 3 5 b7 b9 b13", 3.5),
        Chord("7#9b13", "1 3 5 b7 #9 b13", 3.5),
        Chord("7b5", "1 3 b5 b7", 2),
        Chord("9b5", "1 3 b5 b7 9", 3),
        Chord("13b5", "1 3 b5 b7 (9) 13", 3.5),
        Chord("7b5b9", "1 3 b5 b7 b9", 3),
        Chord("7b5#9", "1 3 b5 b7 #9", 3),
        Chord("13b5b9", "1 3 b5 b7 b9 13", 4),
        Chord("7b5#5", "1 3 b5 #5 b7", 3.5),
        Chord("9b5#5", "1 3 b5 #5 b7 9", 4),
    ]),
    ("Augmented chords", [
        Chord("aug", "1 3 #5", 1),
        Chord("7#5", "1 3 #5 b7", 2),
        Chord("9#5", "1 3 #5 b7 9", 3),
        Chord("13#5", "1 3 #5 b7 (9) 13", 3.5),
        Chord("7#5b9", "1 3 #5 b7 b9", 3),
        Chord("7#5#9", "1 3 #5 b7 #9", 3),
        Chord("13#5#9", "1 3 #5 b7 #9 13", 4),
    ]),
    ("Diminished chords", [
        Chord("dim", "1 b3 b5", 1),
        Chord("dim7", "1 b3 b5 bb7", 1.5),
        Chord("dim7add9", "1 b3 b5 bb7 9", 3),
        Chord("dim7add11", "1 b3 b5 bb7 11", 3),
        Chord("dim7addb13", "1 b3 b5 bb7 b13", 3),
        Chord("dim(maj7)", "1 b3 b5 7", 3),
    ]),
]


def all_chords():
    for family, chords in FAMILIES:
        for chord in chords:
            yield family, chord
