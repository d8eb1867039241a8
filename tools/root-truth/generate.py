"""Writes the truth corpus of the root finders, one file per class, into the folder given (the
repository's tests/data/roots). The same mpmath gives the same bytes on every run; with --check
it only tells whether the folder holds what it writes."""
import contextlib
import filecmp
import io
import math
import os
import sys
import tempfile
import textwrap

import mpmath as mp

from families import CLASSES
from truth import DECIMALS, NEW_MODEL, REASONS, STEPS, noise_in_x, ulp

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
#   cut: the scan goes on for long (its roots have no end); the judge ends it after a fixed amount
#     of work and judges it on the roots nearest 0, which it takes first.
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
    if sign and "F" in case.roads:
        lo, hi = bracket_of(case, i)
        if drowned(case, i, noises) or noises[i] >= (mp.mpf(hi) - mp.mpf(lo)) / 2:
            fzero = "n" * len(DECIMALS)
    return scans["M"], scans["Z"], fzero


def drowned(case, i, noises):
    """Whether root i's noise covers its neighbours or the interval: nothing tells it apart."""
    r = case.roots[i][0]
    gaps = [abs(x - r) for k, (x, _, _) in enumerate(case.roots) if k != i]
    return noises[i] >= min(gaps + [mp.mpf(case.b - case.a)]) / 2


def step_at(case, road, d, n, r):
    """The width of a step around r: the interval over the steps asked, and in a new model's
    solve, whose steps near 0 are octaves, half the size of r (or the tolerance, at 0)."""
    if road == "M" and (case.a, case.b) == NEW_MODEL:
        return max(abs(r) / 2, mp.mpf(max(10.0 ** -d, 1e-15)))
    return (mp.mpf(case.b) - mp.mpf(case.a)) / n


def nearest_other(case, i):
    """The distance from root i to the nearest other root, those beyond the listed ones of a
    case whose roots repeat too."""
    r = case.roots[i][0]
    gaps = [abs(x - r) for k, (x, _, s) in enumerate(case.roots) if k != i and s]
    if case.period:
        period, offsets = case.period
        for o in offsets:
            k = mp.nint((r - o) / period)
            for j in (k - 1, k, k + 1):
                x = o + j * period
                if abs(x - r) > period * mp.mpf("1e-30"):
                    gaps.append(abs(x - r))
    return min(gaps) if gaps else mp.inf


def scan_mark(case, i, noises, road, d, n):
    r, order, sign = case.roots[i]
    if not case.a <= r <= case.b:
        return "o"
    if not sign:
        return "e"
    if drowned(case, i, noises):
        return "n"
    step = step_at(case, road, d, n, r)
    inside = lambda x: case.a <= x <= case.b
    if any(abs(p - r) < step for p in case.poles if inside(p)):
        return "p"
    if sum(1 for e in case.edges if abs(e - r) < step and inside(e)) >= 2:
        return "g"
    if not (case.few and road == "M" and (case.a, case.b) == NEW_MODEL) and \
            nearest_other(case, i) < step:
        return "a"
    return "1"


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


def check(folder):
    """Whether the corpus in folder is what the generator writes; names the files that differ."""
    with tempfile.TemporaryDirectory() as fresh:
        with contextlib.redirect_stdout(io.StringIO()):
            main(fresh)
        written = sorted(f for f in os.listdir(fresh) if f.endswith(".txt"))
        kept = sorted(f for f in os.listdir(folder) if f.endswith(".txt"))
        differ = [f for f in sorted(set(written) | set(kept))
                  if f not in written or f not in kept or
                  not filecmp.cmp(os.path.join(fresh, f), os.path.join(folder, f), shallow=False)]
    for name in differ:
        print("%s: not what tools/root-truth/generate writes" % os.path.join(folder, name))
    return not differ


if __name__ == "__main__":
    arguments = [a for a in sys.argv[1:] if a != "--check"]
    target = arguments[0] if arguments else "tests/data/roots"
    if "--check" in sys.argv[1:]:
        sys.exit(0 if check(target) else 1)
    main(target)
