"""What the chord namer sees and does: the interval bitmap of the sounding strings and the lookup
that rotates the root until a description matches. Kept step for step like CFChordNamer.cpp, so
that the description writer can check every bitmap against the namer's real behaviour."""

SEVENTH = (1 << 10) | (1 << 11)
FIFTH = 1 << 7
MAJOR_THIRD = 1 << 4


def folded_interval(d, bits):
    """Where the note d semitones above the root goes, given the bits the lower strings set."""
    while d < 0:  # a string pitched below the bass counts an octave (or more) higher
        d += 12
    while d > 23:
        d -= 12
    if d in (12, 16, 19, 22, 23):
        return d - 12
    if d > 12 and bits & (1 << (d - 12)):
        return d - 12
    seventh = bool(bits & SEVENTH)
    fifth = bool(bits & FIFTH)
    if d == 15:
        return 15 if bits & MAJOR_THIRD else 3
    if d == 17:
        return 17 if seventh else 5
    if d in (18, 20):
        return d if seventh and fifth else d - 12
    if d == 21:
        return 21 if seventh else 9
    return d


def interval_bitmap(pitches, root):
    """The bitmap of the sounding pitches (string order, thickest first) above root."""
    bits = 0
    for pitch in pitches:
        bits |= 1 << folded_interval(pitch - root, bits)
    return bits


def pitch_classes(bits):
    """The 12-bit set of pitch classes a bitmap holds (tensions folded onto their class)."""
    return (bits | (bits >> 12)) & 0xFFF


def rotations(bits):
    """The bitmaps the namer looks up, as (semitones the root moved up from the bass, bitmap):
    the bass's own, then one for each sounding note it moves on to, until it has moved an
    octave."""
    shifted = 0
    while bits & ~1:
        yield shifted, bits
        k = 0
        while True:
            bits >>= 1
            k += 1
            if bits & 1:
                break
        shifted += k
        if shifted > 11:
            return
        bits |= 1 << (12 - k)


def walk(table, bits):
    """The namer's lookup: (semitones the root moved up from the bass, name) or None."""
    if bin(bits).count("1") < 3:
        return None
    for shifted, rotated in rotations(bits):
        if rotated in table:
            return shifted, table[rotated]
    return None


def can_fold_into(bits):
    """Whether six strings can give this bitmap: at most six bits, none of those the fold never
    keeps, and each tension only over the notes its fold needs below it."""
    seventh = bool(bits & SEVENTH)
    fifth = bool(bits & FIFTH)
    never = (1 << 12) | (1 << 16) | (1 << 19) | (1 << 22) | (1 << 23)
    return (bits < 1 << 24 and bin(bits).count("1") <= 6 and not bits & never
            and (not bits & (1 << 15) or bits & MAJOR_THIRD)
            and (not bits & ((1 << 17) | (1 << 21)) or seventh)
            and (not bits & ((1 << 18) | (1 << 20)) or (seventh and fifth)))


def predecessors(bits):
    """The bitmaps whose first rotation gives `bits`: the bass a few semitones below the root
    of `bits`, where `bits` holds that bass an octave up."""
    for k in range(1, 12):
        if bits & (1 << (12 - k)):
            before = ((bits & ~(1 << (12 - k))) << k) | 1
            if (before >> 1) & ((1 << (k - 1)) - 1) == 0 and can_fold_into(before):
                yield before
