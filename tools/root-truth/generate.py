"""Writes the truth corpus of the root finders, one file per class, into the folder given (the
repository's tests/data/roots). The same mpmath gives the same bytes on every run."""
import bisect
import math
import os
import sys
import textwrap

import mpmath as mp

from families import CLASSES
from truth import DECIMALS, NEW_MODEL, REASONS, STEPS, noise_in_x, scan_points, ulp

HEADER = """\
# {title}.
# Written by tools/root-truth/generate; do not edit. Each case is an equation as a user types it,
# solved on [a, b] by a solver model (M), by Find Zeros of its graph (Z) and by FZERO on a bracket
# around each root (F). Its true roots come from closed forms and 60-digit arithmetic.
#   root VALUE NOISE M-MASK Z-MASK F-MASK LO HI: a true root, the distance by which the rounding
#     noise of the equation's doubles (its running error bound at the root, over its slope) can
#     move it (0 where it covers its neighbours: see n), and FZERO's bracket. A listed point
#     is that root when it lies within max(tolerance, 4 doubles, NOISE) of it (Find Zeros shows
#     it rounded to the decimals asked: half a unit more). The masks give the settings in the
#     order of decimals {decimals} by steps {steps} (F: by decimals only);
#     1: must be found there, '-': not run; another letter: need not be found, because:
{reasons}
#   zero LO HI: the equation is 0 throughout [LO, HI] (every point listed there is a root, and a
#     scan must list some point).
#   period P O1 O2 ...: the roots repeat, O + k P for every k; points listed beyond the roots
#     given are judged by them.
#   bracket LO HI: an FZERO bracket around a pole or a jump: nothing must be listed.
#   cut: the scan runs out of time; it is judged on the roots nearest 0, which it takes first.
"""


def text(x, digits=21):
    """A number as the corpus writes it: exact decimals enough for long double."""
    x = mp.mpf(x)
    if x == 0:
        return "0"
    return mp.nstr(x, digits, min_fixed=-5, max_fixed=22, strip_zeros=True)


def double(x):
    return repr(float(x))


def masks_for(case, i, noises):
    """The masks of root i: a letter per setting for the scans, then FZERO's."""
    r, order, sign = case.roots[i]
    scans = {}
    for road in "MZ":
        marks = []
        for d in DECIMALS:
            for n in STEPS:
                marks.append(scan_mark(case, i, noises, road, d, n) if road in case.roads else "-")
        scans[road] = "".join(marks)
    fzero = ("1" if sign else "s") * len(DECIMALS) if "F" in case.roads else "-" * len(DECIMALS)
    if drowned(case, i, noises) and "F" in case.roads:
        fzero = "n" * len(DECIMALS)
    return scans["M"], scans["Z"], fzero


def drowned(case, i, noises):
    """Whether root i's noise covers its neighbours or the interval: nothing tells it apart."""
    r = case.roots[i][0]
    gaps = [abs(x - r) for k, (x, _, _) in enumerate(case.roots) if k != i]
    return noises[i] >= min(gaps + [mp.mpf(case.b - case.a)]) / 2


_points = {}


def points_of(case, road, d, n):
    key = (case.a, case.b, n, d, road == "M")
    if key not in _points:
        tol = max(10.0 ** -d, 1e-15)
        searching = road == "M" and (case.a, case.b) == NEW_MODEL
        _points[key] = scan_points(case.a, case.b, n, tol, searching)
    return _points[key]


def scan_mark(case, i, noises, road, d, n):
    r, order, sign = case.roots[i]
    if not sign:
        return "e"
    if drowned(case, i, noises):
        return "n"
    points = points_of(case, road, d, n)
    if float(r) in points:
        return "1"
    j = bisect.bisect_left(points, float(r))
    lo = points[j - 1] if j > 0 else -mp.inf
    hi = points[j] if j < len(points) else mp.inf
    if any(lo <= p <= hi for p in case.poles):  # a jump at a point: its value is one side's
        return "p"
    if sum(1 for e in case.edges if lo < e < hi) >= 2:
        return "g"
    inside = [k for k, (x, _, s) in enumerate(case.roots) if lo < x < hi and s]
    if len(inside) > 2 or periodic_count(case, lo, hi) > 2:
        return "m"
    if len(inside) == 2:
        tol = max(10.0 ** -d, 1e-15)
        other = inside[0] if inside[1] == i else inside[1]
        allowed = max(allowed_of(case.roots[i][0], noises[i], tol),
                      allowed_of(case.roots[other][0], noises[other], tol))
        if abs(case.roots[other][0] - r) <= 4 * allowed:
            return "c"
        if not turn_shown(case, points, j):
            return "t"
    return "1"


def periodic_count(case, lo, hi):
    """How many of a periodic case's roots lie in (lo, hi), those beyond the listed ones too."""
    if not case.period or mp.isinf(lo) or mp.isinf(hi):
        return 0 if not case.period else mp.inf
    period, offsets = case.period
    return sum(mp.ceil((hi - o) / period) - mp.floor((lo - o) / period) - 1 for o in offsets)


def turn_shown(case, points, j):
    """Whether the points show the turn toward 0 of the step [points[j-1], points[j]]: the size of
    f at one of its ends is smaller than at the point before it and no larger than at the other
    end."""
    def size(k):
        if not 0 <= k < len(points):
            return None
        try:
            return abs(case.f(points[k]))
        except (TypeError, ValueError, ZeroDivisionError):
            return None  # no value there

    ends = [(j - 1, j - 2, j), (j, j + 1, j - 1)]
    for end, beyond, other in ends:
        here, out, across = size(end), size(beyond), size(other)
        if here is not None and out is not None and across is not None and here < out \
                and here <= across:
            return True
    return False


def allowed_of(r, noise, tol):
    return max(tol, 4 * ulp(r), noise)


def bracket_of(case, i):
    """FZERO's bracket around root i alone: half way to a neighbouring root or short of a pole
    or a domain end, at most half the root's size (or 0.5) on each side, lopsided."""
    if case.fzero:
        return case.fzero
    r = case.roots[i][0]
    reach = min(mp.mpf("0.5"), abs(r) / 2) if r != 0 else mp.mpf("0.5")
    left, right = reach, reach * mp.mpf("0.7")
    others = [x for k, (x, _, _) in enumerate(case.roots) if k != i]
    for x in others:
        if x < r:
            left = min(left, (r - x) / 2)
        else:
            right = min(right, (x - r) * mp.mpf("0.35"))
    for x in case.poles + case.edges:
        if x < r:
            left = min(left, (r - x) * mp.mpf("0.9"))
        elif x > r:
            right = min(right, (x - r) * mp.mpf("0.9"))
    lo, hi = float(r - left), float(r + right)
    # Where the doubles are coarse (1e15), an end may round onto the pole or edge it stops short of.
    for x in case.poles + case.edges:
        if x < r and lo <= x:
            lo = math.nextafter(float(x), math.inf)
        elif x > r and hi >= x:
            hi = math.nextafter(float(x), -math.inf)
    return lo, hi


def pole_brackets(case):
    """FZERO brackets around the first two poles or jumps of a case, lopsided, short of its
    roots: nothing must be listed there."""
    brackets = list(case.brackets)
    for p in [p for p in case.poles if case.a < p < case.b][:2]:
        width = max(mp.mpf(1), abs(p) * mp.mpf("1e-15"))
        left, right = width * mp.mpf("0.3"), width * mp.mpf("0.7")
        for x, _, _ in case.roots:
            if x < p:
                left = min(left, (p - x) * mp.mpf("0.9"))
            else:
                right = min(right, (x - p) * mp.mpf("0.9"))
        brackets.append((float(p - left), float(p + right)))
    return brackets


def write_case(out, name, case):
    out.write("case %s\nequation %s\ninterval %s %s\nroads %s\n" % (
        name, case.equation, double(case.a), double(case.b), case.roads))
    if case.zero:
        out.write("zero %s %s\n" % (double(case.zero[0]), double(case.zero[1])))
    if case.period:
        period, offsets = case.period
        out.write("period %s %s\n" % (text(period), " ".join(text(o) for o in offsets)))
    if case.cut:
        out.write("cut\n")
    noises = [noise_in_x(case.f, r, order) for r, order, _ in case.roots]
    for i, (r, order, sign) in enumerate(case.roots):
        m, z, f = masks_for(case, i, noises)
        noise = 0 if drowned(case, i, noises) else noises[i]
        lo, hi = bracket_of(case, i) if sign and "F" in case.roads else ("-", "-")
        out.write("root %s %s %s %s %s %s %s\n" % (
            text(r), mp.nstr(noise, 3), m, z, f,
            lo if lo == "-" else double(lo), hi if hi == "-" else double(hi)))
    if "F" in case.roads:
        for lo, hi in pole_brackets(case):
            out.write("bracket %s %s\n" % (double(lo), double(hi)))
    out.write("end\n")


def main(folder):
    os.makedirs(folder, exist_ok=True)
    reasons = "\n".join(textwrap.fill(v, 98, initial_indent="#       %s: " % k,
                                       subsequent_indent="#          ") for k, v in REASONS.items())
    for cls, title, make in CLASSES:
        cases = make()
        with open(os.path.join(folder, cls + ".txt"), "w") as out:
            out.write(HEADER.format(title=title, decimals=", ".join(map(str, DECIMALS)),
                                    steps=", ".join(map(str, STEPS)), reasons=reasons))
            for k, case in enumerate(cases):
                out.write("\n")
                write_case(out, "%s.%d" % (cls, k + 1), case)
        print("%s: %d cases" % (cls, len(cases)))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tests/data/roots")
