#!/usr/bin/env python3
# Writes resources/SCScales.plist: the 106 scale types in their four groups (11 common scales,
# 7 modes, 67 library scales, 21 arpeggios). Run it from the repository root after changing the
# list: python3 tools/authoring/scale_types.py resources/SCScales.plist
#
# The alteration flags choose each interval's label, and the label's degree is the letter the note
# is spelled on (over C, interval 6 is Gb as "b5", F# as "#4"). So the flags decide the spelling:
# - A seven-note scale names every letter once. Its labels are the ones its name implies: the
#   locrian family and the half-diminished forms with b5, the lydian family with #4, augmented
#   forms with #5, diminished sevenths with bb7. The one exception is "Altered": it is played
#   over the altered dominant and labelled with that chord's alterations as chord symbols and the
#   chord library write them, b9 #9 b5 #5 around the chord's 3 and b7 (b2 #2 3 b5 #5 b7, over C:
#   C Db D# E Gb G# Bb, the notes of C 7 #9 b5, C 7 b9 #5 and C 7 #5 b5). The second and the
#   fifth letter each name two notes and the fourth and sixth none. The scale tests list the
#   same exception.
# - Scales of other sizes take their usual labels: the blues scale's blue note is b5, the bebop
#   scales' passing note between 5 and 6 is #5.
# - Symmetric scales (whole tone, both diminished scales, augmented, tritone, six-tone) belong to
#   no key, so each is labelled as the chord it is played over: that chord's tones keep the
#   labels the chord library gives them, and the other notes are its tensions. Whole tone over
#   9 #5 (3 #5 b7 and 2; tension #4); half-whole over 13 b9 and 7 #9 (b2 #2 3 5 6 b7; #4);
#   whole-half over the diminished seventh and its added tones (b3 b5 bb7, 2 4 b6 7); augmented
#   over the major seventh #5 (3 #5 7; #2 and 5); tritone over 7 b9 b5 (b2 3 b5 b7; 5); six-tone
#   over the augmented triad (3 #5; b2 4 6).
import plistlib, sys
S4,S5,S2,F4,S3,S6,D3,D6,D7='useSharp4','useSharp5','useSharp2','useFlat4','useSharp3','useSharp6','useDoubleFlat3','useDoubleFlat6','useDoubleFlat7'
common=[
("Major",[0,2,4,5,7,9,11],[]),
("Natural Minor",[0,2,3,5,7,8,10],[]),
("Harmonic Minor",[0,2,3,5,7,8,11],[]),
("Melodic Minor",[0,2,3,5,7,9,11],[]),
("Major Pentatonic",[0,2,4,7,9],[]),
("Minor Pentatonic",[0,3,5,7,10],[]),
("Blues",[0,3,5,6,7,10],[]),
("Major Blues",[0,2,3,4,7,9],[]),
("Whole Tone",[0,2,4,6,8,10],[S4,S5]),
("Diminished (Half-Whole)",[0,1,3,4,6,7,9,10],[S2,S4]),
("Diminished (Whole-Half)",[0,2,3,5,6,8,9,11],[D7]),
]
modes=[
("Ionian",[0,2,4,5,7,9,11],[]),
("Dorian",[0,2,3,5,7,9,10],[]),
("Phrygian",[0,1,3,5,7,8,10],[]),
("Lydian",[0,2,4,6,7,9,11],[S4]),
("Mixolydian",[0,2,4,5,7,9,10],[]),
("Aeolian",[0,2,3,5,7,8,10],[]),
("Locrian",[0,1,3,5,6,8,10],[]),
]
library=[
# modes of melodic minor
("Dorian b2",[0,1,3,5,7,9,10],[]),
("Lydian Augmented",[0,2,4,6,8,9,11],[S4,S5]),
("Lydian Dominant",[0,2,4,6,7,9,10],[S4]),
("Mixolydian b6",[0,2,4,5,7,8,10],[]),
("Locrian #2",[0,2,3,5,6,8,10],[]),
("Altered",[0,1,3,4,6,8,10],[S2,S5]),
# modes of harmonic minor
("Locrian #6",[0,1,3,5,6,9,10],[]),
("Ionian #5",[0,2,4,5,8,9,11],[S5]),
("Dorian #4",[0,2,3,6,7,9,10],[S4]),
("Phrygian Dominant",[0,1,4,5,7,8,10],[]),
("Lydian #2",[0,3,4,6,7,9,11],[S2,S4]),
("Ultralocrian",[0,1,3,4,6,8,9],[F4,D7]),
# modes of harmonic major
("Harmonic Major",[0,2,4,5,7,8,11],[]),
("Dorian b5",[0,2,3,5,6,9,10],[]),
("Phrygian b4",[0,1,3,4,7,8,10],[F4]),
("Lydian b3",[0,2,3,6,7,9,11],[S4]),
("Mixolydian b2",[0,1,4,5,7,9,10],[]),
("Lydian Augmented #2",[0,3,4,6,8,9,11],[S2,S4,S5]),
("Locrian bb7",[0,1,3,5,6,8,9],[D7]),
# bebop
("Bebop Dominant",[0,2,4,5,7,9,10,11],[]),
("Bebop Major",[0,2,4,5,7,8,9,11],[S5]),
("Bebop Dorian",[0,2,3,4,5,7,9,10],[]),
("Bebop Melodic Minor",[0,2,3,5,7,8,9,11],[S5]),
("Bebop Half-Diminished",[0,1,3,5,6,7,8,10],[]),
# symmetric
("Augmented",[0,3,4,7,8,11],[S2,S5]),
("Tritone",[0,1,4,6,7,10],[]),
("Six-Tone Symmetric",[0,1,4,5,8,9],[S5]),
("Chromatic",[0,1,2,3,4,5,6,7,8,9,10,11],[]),
# pentatonic and hexatonic
("Suspended Pentatonic",[0,2,5,7,10],[]),
("Minor 6 Pentatonic",[0,3,5,7,9],[]),
("Scriabin",[0,1,4,7,9],[]),
("Blues Minor Pentatonic",[0,3,5,8,10],[]),
("Ritusen",[0,2,5,7,9],[]),
("Kumoi",[0,2,3,7,9],[]),
("Hirajoshi",[0,2,3,7,8],[]),
("In Sen",[0,1,5,7,10],[]),
("Iwato",[0,1,5,6,10],[]),
("Pelog",[0,1,3,7,8],[]),
("Chinese",[0,4,6,7,11],[S4]),
("Mixolydian Pentatonic",[0,4,5,7,10],[]),
("Major b6 Pentatonic",[0,2,4,7,8],[]),
("Minor Hexatonic",[0,2,3,5,7,10],[]),
("Major Hexatonic",[0,2,4,5,7,9],[]),
("Lydian Hexatonic",[0,2,4,7,9,11],[]),
("Mixolydian Hexatonic",[0,2,5,7,9,10],[]),
("Phrygian Hexatonic",[0,3,5,7,8,10],[]),
("Prometheus",[0,2,4,6,9,10],[S4]),
("Ritsu",[0,1,3,5,8,10],[]),
# world
("Hungarian Minor",[0,2,3,6,7,8,11],[S4]),
("Hungarian Major",[0,3,4,6,7,9,10],[S2,S4]),
("Double Harmonic",[0,1,4,5,7,8,11],[]),
("Neapolitan Major",[0,1,3,5,7,9,11],[]),
("Neapolitan Minor",[0,1,3,5,7,8,11],[]),
("Enigmatic",[0,1,4,6,8,10,11],[S4,S5,S6]),
("Persian",[0,1,4,5,6,8,11],[]),
("Nine-Tone",[0,2,3,4,6,7,8,9,11],[S4]),
("Spanish Eight-Tone",[0,1,3,4,5,6,8,10],[S2]),
("Flamenco",[0,1,3,4,5,7,8,10],[S2]),
("Gypsy",[0,2,3,6,7,8,10],[S4]),
("Oriental",[0,1,4,5,6,9,10],[]),
("Leading Whole Tone",[0,2,4,6,8,10,11],[S4,S5,S6]),
("Lydian Minor",[0,2,4,6,7,8,10],[S4]),
("Todi",[0,1,3,6,7,8,11],[S4]),
("Purvi",[0,1,4,6,7,8,11],[S4]),
("Marva",[0,1,4,6,7,9,11],[S4]),
("Major Locrian",[0,2,4,5,6,8,10],[]),
("Romanian Major",[0,1,4,6,7,9,10],[S4]),
]
arpeggios=[
("Major Arpeggio",[0,4,7],[]),
("Minor Arpeggio",[0,3,7],[]),
("Diminished Arpeggio",[0,3,6],[]),
("Augmented Arpeggio",[0,4,8],[S5]),
("Sus2 Arpeggio",[0,2,7],[]),
("Sus4 Arpeggio",[0,5,7],[]),
("Major 6 Arpeggio",[0,4,7,9],[]),
("Minor 6 Arpeggio",[0,3,7,9],[]),
("Dominant 7 Arpeggio",[0,4,7,10],[]),
("Major 7 Arpeggio",[0,4,7,11],[]),
("Minor 7 Arpeggio",[0,3,7,10],[]),
("Minor Major 7 Arpeggio",[0,3,7,11],[]),
("Half-Diminished Arpeggio",[0,3,6,10],[]),
("Diminished 7 Arpeggio",[0,3,6,9],[D7]),
("Augmented 7 Arpeggio",[0,4,8,10],[S5]),
("Major 7 #5 Arpeggio",[0,4,8,11],[S5]),
("7sus4 Arpeggio",[0,5,7,10],[]),
("Dominant 9 Arpeggio",[0,2,4,7,10],[]),
("Major 9 Arpeggio",[0,2,4,7,11],[]),
("Minor 9 Arpeggio",[0,2,3,7,10],[]),
("Add 9 Arpeggio",[0,2,4,7],[]),
]
print(len(common),len(modes),len(library),len(arpeggios),file=sys.stderr)
allt=common+modes+library+arpeggios
names=[t[0] for t in allt]
assert len(set(names))==len(names), [n for n in names if names.count(n)>1]
for n,iv,al in allt:
    assert iv==sorted(set(iv)) and iv[0]==0 and iv[-1]<12, n
out=[{"name":n,"intervals":iv,"alterations":{k:True for k in al}} for n,iv,al in allt]
open(sys.argv[1],'wb').write(b''.join(l+b'\n' for l in plistlib.dumps(out).splitlines() if not l.startswith(b'<!DOCTYPE')))
