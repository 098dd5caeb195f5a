#!/usr/bin/env python3
# Writes resources/CFChords.plist: the interval bitmaps of every chord a guitarist meets, in each
# register the chord namer can fold a note into, with their names. Run it from the repository
# root after changing the list: python3 tools/authoring/chord_descriptions.py resources/CFChords.plist
import plistlib, sys, itertools
# Each chord: name suffix, tones as (pc, optional?, form) with form None = by rule, 'low', 'high'.
def T(pc, opt=False, form=None): return (pc, opt, form)
chords = [
 ("", [T(4), T(7)]),
 ("m", [T(3), T(7)]),
 ("dim", [T(3), T(6)]),
 ("aug", [T(4), T(8)]),
 ("sus4", [T(5, form='low'), T(7)]),
 ("sus2", [T(2), T(7)]),
 ("6", [T(4), T(7), T(9)]),
 ("m6", [T(3), T(7), T(9)]),
 ("6/9", [T(4), T(7, True), T(9), T(2)]),
 ("m6/9", [T(3), T(7, True), T(9), T(2)]),
 ("7", [T(4), T(7, True), T(10)]),
 ("maj7", [T(4), T(7, True), T(11)]),
 ("m7", [T(3), T(7, True), T(10)]),
 ("m(maj7)", [T(3), T(7, True), T(11)]),
 ("m7b5", [T(3), T(6), T(10)]),
 ("dim7", [T(3), T(6), T(9)]),
 ("7sus4", [T(5), T(7, True), T(10)]),
 ("7(no3)", [T(7), T(10)]),
 ("7#5", [T(4), T(8), T(10)]),
 ("maj7#5", [T(4), T(8), T(11)]),
 ("7b5", [T(4), T(6), T(10)]),
 ("add9", [T(4), T(7), T(2)]),
 ("madd9", [T(3), T(7), T(2)]),
 ("add11", [T(4), T(7), T(5)]),
 ("madd11", [T(3), T(7), T(5)]),
 ("9", [T(4), T(7, True), T(10), T(2)]),
 ("maj9", [T(4), T(7, True), T(11), T(2)]),
 ("m9", [T(3), T(7, True), T(10), T(2)]),
 ("m(maj9)", [T(3), T(7, True), T(11), T(2)]),
 ("9sus4", [T(5, form='low'), T(7, True), T(10), T(2)]),
 ("7b9", [T(4), T(7, True), T(10), T(1)]),
 ("7#9", [T(4), T(7, True), T(10), T(3)]),
 ("7b9#9", [T(4), T(7, True), T(10), T(1), T(3)]),
 ("7sus4b9", [T(5), T(7, True), T(10), T(1)]),
 ("9#5", [T(4), T(8), T(10), T(2)]),
 ("9b5", [T(4), T(6), T(10), T(2)]),
 ("7#5b9", [T(4), T(8), T(10), T(1)]),
 ("7#5#9", [T(4), T(8), T(10), T(3)]),
 ("7b5b9", [T(4), T(6), T(10), T(1)]),
 ("7b5#9", [T(4), T(6), T(10), T(3)]),
 ("m9b5", [T(3), T(6), T(10), T(2)]),
 ("7#11", [T(4), T(7), T(10), T(6)]),
 ("maj7#11", [T(4), T(7, True), T(11), T(6)]),
 ("9#11", [T(4), T(7, True), T(10), T(2), T(6)]),
 ("maj9#11", [T(4), T(7, True), T(11), T(2), T(6)]),
 ("11", [T(4, True), T(7, True), T(10), T(2), T(5, form='high')]),
 ("7add11", [T(4), T(7, True), T(10), T(5)]),
 ("m11", [T(3), T(7, True), T(10), T(2, True), T(5)]),
 ("13", [T(4), T(7, True), T(10), T(2, True), T(9)]),
 ("maj13", [T(4), T(7, True), T(11), T(2, True), T(9)]),
 ("m13", [T(3), T(7, True), T(10), T(2, True), T(9)]),
 ("13sus4", [T(5), T(7, True), T(10), T(2, True), T(9)]),
 ("13b9", [T(4), T(7, True), T(10), T(1), T(9)]),
 ("13#9", [T(4), T(7, True), T(10), T(3), T(9)]),
 ("13#11", [T(4), T(7, True), T(10), T(2, True), T(6), T(9)]),
 ("7b13", [T(4), T(7), T(10), T(8)]),
 ("7b9b13", [T(4), T(7, True), T(10), T(1), T(8)]),
 ("7#9b13", [T(4), T(7, True), T(10), T(3), T(8)]),
]
# Named over a bass that is not their root: the root is %0 (the bass), the name says the rest.
slash = [
 ("%A / %0", [T(2), T(5), T(10)]),  # a major triad a whole step above the bass: C / D
]

def high_allowed(pc, pcs):
    seventh = 10 in pcs or 11 in pcs
    fifth = 7 in pcs
    if pc in (1, 2): return True
    if pc == 3: return 4 in pcs
    if pc == 5: return seventh
    if pc in (6, 8): return seventh and fifth
    if pc == 9: return seventh
    return False

def bitmaps(tones):
    out = []
    optional = [t for t in tones if t[1]]
    for drop in itertools.product([False, True], repeat=len(optional)):
        dropped = {t[0] for t, d in zip(optional, drop) if d}
        kept = [t for t in tones if t[0] not in dropped]
        pcs = {0} | {t[0] for t in kept}
        choices = []
        for pc, _, form in kept:
            forms = []
            if form != 'high': forms.append(pc)
            if form != 'low' and (form == 'high' or high_allowed(pc, pcs)): forms.append(pc + 12)
            choices.append(forms)
        for combo in itertools.product(*choices):
            bits = 1
            for b in combo: bits |= 1 << b
            out.append(bits)
    return out

entries = []
seen = {}
for name, tones in slash + [("%0" + s, t) for s, t in chords]:
    for bits in bitmaps(tones):
        if bits in seen:
            continue
        seen[bits] = name
        entries.append({"bitmap": bits, "name": name})
print(len(entries), file=sys.stderr)
data = plistlib.dumps(entries)
open(sys.argv[1], 'wb').write(b''.join(l + b'\n' for l in data.splitlines() if not l.startswith(b'<!DOCTYPE')))
