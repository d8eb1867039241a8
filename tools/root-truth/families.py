"""The families of equations of the corpus, by class. Each case gives its equation as a user types
it, its interval, and its true roots from closed forms (or 60-digit root finding started from
one), with each root's order and whether the equation changes sign there."""
import decimal

import mpmath as mp

from truth import NEW_MODEL, Equation

PI = mp.pi


class Case:
    def __init__(self, family, equation, a, b, roots=(), roads="MZF", zero=None, period=None,
                 poles=(), edges=(), brackets=(), fzero=None, cut=False, few=False):
        self.family = family
        self.equation = equation
        self.f = Equation(equation)
        self.a, self.b = float(a), float(b)
        # (root, order, changes sign), ascending
        self.roots = sorted((root_of(r) for r in roots), key=lambda r: r[0])
        self.roads = roads
        self.zero = zero            # where the equation is 0 throughout
        self.period = period        # (P, offsets): the roots repeat beyond those listed
        self.poles = [mp.mpf(p) for p in poles]   # poles and jumps: no roots
        self.edges = [mp.mpf(e) for e in edges]   # ends of the equation's domain
        self.brackets = list(brackets)            # FZERO brackets that hold no root
        self.fzero = fzero          # FZERO's bracket for the only root, as the user gave it
        self.cut = cut              # a scan that goes on for long: the roots nearest 0 count
        self.few = few              # a few roots near 0 (a polynomial, a product of factors)


def root_of(r):
    if isinstance(r, tuple):
        value, order = r[0], r[1]
        sign = r[2] if len(r) > 2 else order % 2 == 1
        return (mp.mpf(value), order, sign)
    return (mp.mpf(r), 1, True)


def within(values, a, b):
    return [v for v in values if a <= v <= b]


def periodic(offsets, period, a, b):
    """offset + k period for every k, within [a, b]."""
    roots = []
    for o in offsets:
        k = mp.ceil((a - o) / period)
        while o + k * period <= b:
            roots.append(o + k * period)
            k += 1
    return sorted(roots)


def near(equation, *seeds):
    """Roots of equation polished to 60 digits from seeds that closed forms do not give."""
    f = Equation(equation)
    return [mp.findroot(f, mp.mpf(s)) for s in seeds]


def noise_cases():
    cases = []
    for k in (0, 2, 3, 4, 6, 8, 9, 10, 12, 14, 15):
        big = "1e%d" % k
        cases.append(Case("noise", "(x+%s)-%s = 0.7" % (big, big), 0, 1, [mp.mpf("0.7")]))
        cases.append(Case("noise", "(x+%s)-%s = 3.22787" % (big, big), 0, 10,
                          [mp.mpf("3.22787")], fzero=(0, 10)))
    for c in ("1", "0.123456789"):
        cases.append(Case("noise", "(x+1000)-1000 = " + c, -10, 10, [mp.mpf(c)]))
    cases.append(Case("noise", "(x+1000)-1000 = 0.123456789", 0, 1, [mp.mpf("0.123456789")]))
    cases.append(Case("noise", "(x+1e9)-1e9 = 0.37", -10, 10, [mp.mpf("0.37")]))
    for radius, c in (("1000", "10"), ("6371000", "1e6"), ("1e9", "1e9")):
        r = mp.mpf(radius)
        cases.append(Case("noise", "(%s+x)^2-%s^2 = %s" % (radius, radius, c), 0, 1,
                          [mp.sqrt(r * r + mp.mpf(c)) - r]))
    for c in ("1e-2", "1e-6", "1e-10"):
        t = mp.acos(1 - mp.mpf(c))
        cases.append(Case("noise", "1-cos(x) = " + c, -1, 1, [-t, t]))
    t = mp.acos(1 - mp.mpf("1e-6"))
    cases.append(Case("noise", "1-cos(x) = 1e-6", -10, 10, periodic([-t, t], 2 * PI, -10, 10)))
    t = mp.acos(1 - mp.mpf("1e-10"))
    cases.append(Case("noise", "cos(x)-1 = -1e-10", -10, 10, periodic([-t, t], 2 * PI, -10, 10)))
    sixth = [PI / 6, 5 * PI / 6]
    for scale in ("1e8*sin(x) = 1e8*0.5", "1e15*sin(x) = 5e14", "sin(x)+1e6-1e6 = 0.5"):
        cases.append(Case("noise", scale, -10, 10, periodic(sixth, 2 * PI, -10, 10)))
    c = mp.mpf("1e-10")
    cases.append(Case("noise", "sqrt(x^2+1)-1 = 1e-10", -10, 10,
                      [-mp.sqrt((1 + c) ** 2 - 1), mp.sqrt((1 + c) ** 2 - 1)]))
    cases.append(Case("noise", "exp(x)-1 = 1e-12", -10, 10, [mp.log1p(mp.mpf("1e-12"))]))
    cases.append(Case("noise", "exp(x)*exp(-x)*x = 0.3", -10, 10, [mp.mpf("0.3")]))
    quarter = [PI / 12, 5 * PI / 12]
    cases.append(Case("noise", "sin(x)*cos(x) = 0.25", -10, 10, periodic(quarter, PI, -10, 10)))
    for eq, root in (("(x+1000)-1000+x = 1.5", "0.75"), ("(x+1e6)-1e6+0.1*x = 0.77", "0.7"),
                     ("(x+1e6)-1e6+10*x = 7.7", "0.7"), ("(x+1000)-1000+(x+1e5)-1e5 = 1.3", "0.65"),
                     ("1e-8*((x+1e8)-1e8) = 3e-9", "0.3"), ("x^3-3*x^2+3*x = 1.001", "1.1")):
        cases.append(Case("noise", eq, -10, 10, [mp.mpf(root)]))
    cases.append(Case("noise", "(x^2+1e8)-1e8 = 2", -10, 10, [-mp.sqrt(2), mp.sqrt(2)]))
    return cases


def several_cases():
    cases = []
    for eq, roots in (("x^2-5*x+6 = 0", [2, 3]), ("x^2-20*x+99 = 0", [9, 11]),
                      ("(x-3)*(x-3.5) = 0", [3, mp.mpf("3.5")]),
                      ("(x-1000)*(x-1100) = 0", [1000, 1100]), ("(x-1e10)^2 = 4", [1e10 - 2, 1e10 + 2]),
                      ("x^3-6*x^2+11*x-6 = 0", [1, 2, 3])):
        cases.append(Case("several", eq, *NEW_MODEL, roots, roads="MF", few=True))
        cases.append(Case("several", eq, -10 if max(roots) < 10 else 0, 10 if max(roots) < 10
                          else 2 * max(roots), roots))
    cases.append(Case("several", "(x-1)*(x-1.001) = 0", -10, 10, [1, mp.mpf("1.001")]))
    for gap in ("0.05", "0.01", "1e-3", "1e-4", "1e-6"):
        c = mp.mpf("1.03")
        cases.append(Case("several", "(x-1.03)*(x-1.03-%s) = 0" % gap, -10, 10,
                          [c, c + mp.mpf(gap)]))
    cases.append(Case("several", "(x-2.5)*(x-2.6)*(x-2.7) = 0", -10, 10,
                      [mp.mpf("2.5"), mp.mpf("2.6"), mp.mpf("2.7")]))
    return cases


def new_model_cases():
    m = NEW_MODEL
    w = 20
    cases = [Case("newmodel", "x^2 = 2", *m, [-mp.sqrt(2), mp.sqrt(2)], roads="MF", few=True),
             Case("newmodel", "x^3 = 8", *m, [2], roads="MF", few=True),
             Case("newmodel", "exp(x) = 5", *m, [mp.log(5)], roads="MF"),
             Case("newmodel", "ln(x) = 1", *m, [mp.e], roads="MF", edges=[0]),
             Case("newmodel", "1/x = 3", *m, [mp.mpf(1) / 3], roads="MF", poles=[0]),
             Case("newmodel", "x^2 = -1", *m, [], roads="MF", few=True),
             Case("newmodel", "x = 1e12", *m, [mp.mpf("1e12")], roads="MF", few=True),
             Case("newmodel", "ln(x - 1) = -1", *m, [1 + mp.exp(-1)], roads="MF", edges=[1]),
             Case("newmodel", "sqrt(x - 4) = 1", *m, [5], roads="MF", edges=[4]),
             Case("newmodel", "x*exp(x) = 1", *m, [mp.lambertw(1).real], roads="MF"),
             Case("newmodel", "cos(x) = x", *m, near("cos(x) = x", 0.74), roads="MF"),
             Case("newmodel", "1/(x - 2) = 0", *m, [], roads="MF", poles=[2]),
             Case("newmodel", "int(x) = 2.5", *m, [], roads="MF", poles=[3]),
             Case("newmodel", "exp(-x^2) = 0", *m, [], roads="MF"),
             Case("newmodel", "x^2 = 1e-12", *m, [mp.mpf("-1e-6"), mp.mpf("1e-6")], roads="MF", few=True),
             Case("newmodel", "x^3 = 1e6", *m, [100], roads="MF", few=True),
             Case("newmodel", "exp(x) = 1e6", *m, [mp.log(mp.mpf("1e6"))], roads="MF")]
    sixth = [PI / 6, 5 * PI / 6]
    rise = mp.asin(mp.exp(mp.mpf("-0.1")))
    quarter = mp.asin(mp.mpf("0.25"))
    edges = periodic([0], PI, -2 * w, 2 * w)
    for eq, offsets, period, poles, ends in (
            ("sin(x) = 0.5", sixth, 2 * PI, [], []),
            ("tan(x) = 1", [PI / 4], PI, periodic([PI / 2], PI, -2 * w, 2 * w), []),
            ("ln(sin(x)) = -0.1", [rise, PI - rise], 2 * PI, [], edges),
            ("sqrt(sin(x)) = 0.5", [quarter, PI - quarter], 2 * PI, [], edges)):
        cases.append(Case("newmodel", eq, *m, periodic(offsets, period, -w, w), roads="MF",
                          period=(period, offsets), poles=poles, edges=ends, cut=True))
    return cases


def order_cases():
    cases = []
    for k in range(1, 8):
        for centre, a, b in (("x", -0.7, 6.1), ("(x-1)", 0.3, 7.1), ("(x-2.5)", 0.3, 7.1)):
            eq = "%s^%d = 0" % (centre, k) if k > 1 else "%s = 0" % centre
            value = {"x": 0, "(x-1)": 1, "(x-2.5)": mp.mpf("2.5")}[centre]
            cases.append(Case("order", eq, a, b, [(value, k)]))
        eq = "sin(x)^%d = 0" % k if k > 1 else "sin(x) = 0"
        cases.append(Case("order", eq, -0.7, 6.1, [(0, k), (PI, k)]))
    cases.append(Case("order", "x^2*sin(x) = 0", -0.7, 6.1, [(0, 3), (PI, 1)]))
    cases.append(Case("order", "x*abs(x) = 0", -0.7, 6.1, [(0, 2, True)]))
    cases.append(Case("order", "(x-1)*abs(x-1)^2 = 0", -0.7, 6.1, [(1, 3)]))
    return cases


def edge_cases():
    e3, e15 = mp.exp(-3), mp.mpf(10) ** mp.mpf("-1.5")
    cases = [Case("edge", "ln(x)+3 = 0", -10, 10, [e3], edges=[0]),
             Case("edge", "log(x)+1.5 = 0", -10, 10, [e15], edges=[0]),
             Case("edge", "ln(-x)+3 = 0", -10, 10, [-e3], edges=[0]),
             Case("edge", "log(-x)+1.5 = 0", -10, 10, [-e15], edges=[0]),
             Case("edge", "ln(x) = -3", 0, 10, [e3], edges=[0]),
             Case("edge", "sqrt(x - 4) = 1", 0, 10, [5], edges=[4]),
             Case("edge", "sqrt(x - 4) = 0.001", 0, 10, [4 + mp.mpf("1e-6")], edges=[4]),
             Case("edge", "sqrt(4 - x) = 0.001", 0, 10, [4 - mp.mpf("1e-6")], edges=[4]),
             Case("edge", "sqrt(x) = 1e-4", -10, 10, [mp.mpf("1e-8")], edges=[0]),
             Case("edge", "ln(x^2 - 1) = 0", -10, 10, [-mp.sqrt(2), mp.sqrt(2)], edges=[-1, 1]),
             Case("edge", "asin(x) = 0.5", -10, 10, [mp.sin(0.5)], edges=[-1, 1]),
             Case("edge", "acos(x) = 2", -10, 10, [mp.cos(2)], edges=[-1, 1]),
             Case("edge", "sqrt(1 - x^2) = 0.5", -10, 10, [-mp.sqrt(3) / 2, mp.sqrt(3) / 2],
                  edges=[-1, 1]),
             Case("edge", "sqrt(1 - x^2) = 0.001", -10, 10,
                  [-mp.sqrt(1 - mp.mpf("1e-6")), mp.sqrt(1 - mp.mpf("1e-6"))], edges=[-1, 1]),
             Case("edge", "ln(x-1) = -1", -10, 10, [1 + mp.exp(-1)], edges=[1]),
             Case("edge", "ln(1-x) = -3", -10, 10, [1 - e3], edges=[1])]
    return cases


def plateau_cases():
    everywhere = (-1e300, 1e300)
    below_one = (0.0, 0.9999999999999999)
    return [Case("plateau", "tanh(x) = 1", 0, 100), Case("plateau", "tanh(x) = -1", -100, 0),
            Case("plateau", "erf(x) = 1", 0, 10), Case("plateau", "erf(x) = -1", -10, 0),
            Case("plateau", "1-tanh(x) = 0", 0, 100),
            Case("plateau", "x - x = 0", -10, 10, zero=everywhere),
            Case("plateau", "floor(x) = 0", -10, 10, zero=below_one),
            Case("plateau", "max(x, 0) = 0", -10, 10, zero=(-1e300, 0.0)),
            Case("plateau", "abs(x) - x = 0", -10, 10, zero=(0.0, 1e300))]


def subnormal_cases():
    t = mp.sqrt(320 * mp.log(10))
    return [Case("subnormal", "exp(-x^2) = 1e-320", -50, 50, [-t, t]),
            Case("subnormal", "exp(x) = 1e-310", -800, 0, [mp.log(mp.mpf("1e-310"))]),
            Case("subnormal", "2^x = 1e-315", -1100, 0, [mp.log(mp.mpf("1e-315"), 2)]),
            Case("subnormal", "x^2 = 1e-320", -1, 1, [-mp.sqrt(mp.mpf("1e-320")),
                                                      mp.sqrt(mp.mpf("1e-320"))]),
            Case("subnormal", "x*1e-300 = 1e-310", -1, 1, [mp.mpf("1e-10")])]


def underflow_cases():
    # FZERO on the whole interval too: its ends underflow.
    cases = [Case("underflow", eq, a, b, brackets=[(a, b)]) for eq, a, b in (
        ("exp(x) = 0", -1000, 1000), ("exp(-x^2) = 0", -50, 50), ("10^(-x^2) = 0", -30, 30),
        ("0.5^(x^2) = 0", -50, 50), ("erfc(x) = 0", 0, 40), ("gammaq(1, x) = 0", 1, 1000),
        ("x^(-40) = 0", 1, 1e10))]
    cases += [Case("underflow", "exp(-x^2)*(x-1) = 0", -50, 50, [1], fzero=(-50, 50)),
              Case("underflow", "x*exp(-x^2) = 0", -50, 50, [0], fzero=(-50, 50)),
              Case("underflow", "exp(x)*sin(x) = 0", -700, -600, periodic([0], PI, -700, -600)),
              Case("underflow", "exp(x)*sin(x) = 0", -800, -750, periodic([0], PI, -800, -750)),
              Case("underflow", "(x-30)*(1+exp(-x^2)) = 0", 0, 60, [30], fzero=(0, 60)),
              Case("underflow", "1e-300*(x-1.5)^3 = 0", -10, 10, [(mp.mpf("1.5"), 3)],
                   fzero=(-10, 10)),
              Case("underflow", "x^3-3*x^2+3*x-1 = 0", -10, 10, [(1, 3)], fzero=(-10, 10))]
    return cases


def close_cases():
    cases = []
    for half in ("1e-14", "1e-12", "1e-9", "1e-7", "1e-6", "1e-5", "1e-4", "1e-3", "1e-1"):
        h = mp.mpf(half)
        square = "%se%d" % (half.split("e")[0], 2 * int(half.split("e")[1])) if "e" in half else half
        for c in ("0", "0.05", "2.5"):
            centre = "x" if c == "0" else "(x-%s)" % c
            cc = mp.mpf(c)
            cases.append(Case("close", "%s^2 = %s" % (centre, square), -10, 10, [cc - h, cc + h]))
    cases.append(Case("close", "(x-1)^2 = 1e-10", -10, 10,
                      [1 - mp.mpf("1e-5"), 1 + mp.mpf("1e-5")]))
    cases.append(Case("close", "(x-1)^2 = 0", -10, 10, [(1, 2)]))
    cases.append(Case("close", "sin(x)^2 = 0", -10, 10,
                      [(r, 2) for r in periodic([0], PI, -10, 10)]))
    for c in ("0.00001", "1e-10"):
        t = mp.asin(mp.sqrt(mp.mpf(c)))
        cases.append(Case("close", "sin(x)^2 = " + c, -10, 10, periodic([-t, t], PI, -10, 10)))
    return cases


def steep_cases():
    cases = []
    for k in (1, 3, 5, 8, 11, 14, 17, 20):
        for c in ("3.3", "-1.234567"):
            shift = "x-%s" % c if c[0] != "-" else "x+%s" % c[1:]
            cases.append(Case("steep", "1e%d*(%s) = 0" % (k, shift), -10, 10, [mp.mpf(c)]))
    for eq, a, b, root in (
            ("x^3 = 1e6", -10, 1000, 100), ("x^5 = 1e10", -10, 1000, 100),
            ("x^7 = 1e14", -10, 1000, 100), ("x^3 = 1e12", -10, 1e5, 1e4),
            ("exp(x) = 1e6", 0, 40, mp.log(mp.mpf("1e6"))),
            ("exp(x) = 1e100", 0, 400, mp.log(mp.mpf("1e100"))),
            ("exp(x) = 1e300", 0, 700, mp.log(mp.mpf("1e300"))),
            ("10^x = 5e7", -10, 10, mp.log10(mp.mpf("5e7"))), ("10^x = 1e200", 0, 300, 200),
            ("atan(1e6*(x-1.234567)) = 0", -10, 10, mp.mpf("1.234567")),
            ("atan(1e12*(x-1.234567)) = 0", -10, 10, mp.mpf("1.234567")),
            ("tanh(1e9*(x-2.5)) = 0", -10, 10, mp.mpf("2.5")),
            ("sinh(x) = 1e100", 0, 500, mp.asinh(mp.mpf("1e100"))),
            ("x*1e300 = 1", -1, 1, mp.mpf("1e-300"))):
        cases.append(Case("steep", eq, a, b, [root]))
    r4 = mp.mpf("2e20") ** 0.25
    cases.append(Case("steep", "x^4 = 2e20", -1e6, 1e6, [-r4, r4]))
    for eq, root in (("ln(x) = -30", mp.exp(-30)), ("ln(x) = -20", mp.exp(-20))):
        cases.append(Case("steep", eq, -1, 1, [root], edges=[0]))
    for k in (2, 4, 6):
        cases.append(Case("steep", "tan(x) = 1e%d" % k, 0, 1.5707 if k == 2 else 1.57079,
                          [mp.atan(mp.mpf(10) ** k)], poles=[PI / 2]))
    cases.append(Case("steep", "tan(x) = 1e6", 0, 3, [mp.atan(mp.mpf("1e6"))], poles=[PI / 2]))
    return cases


def pole_cases():
    cases = []
    half = PI / 2
    for eq, a, b, poles in (
            ("1/x = 0", -10, 10, [0]), ("1/(x-1) = 0", -10, 10, [1]),
            ("sec(x) = 0", -10, 10, periodic([half], PI, -10, 10)),
            ("1/sin(x) = 0", -10, 10, periodic([0], PI, -10, 10)),
            ("tan(x) = 0", 1, 2, [half]),
            ("floor(x) = 0.5", -10, 10, range(-9, 11)), ("int(x) = 2.5", -10, 10, [3]),
            ("ceil(x) = -0.5", -10, 10, [-1]), ("x/abs(x) = 0", -10, 10, [0]),
            ("floor(x)+x = 1.5", -10, 10, [1]), ("1/(x^2-2) = 0", -10, 10, [-mp.sqrt(2), mp.sqrt(2)]),
            ("1000*x+floor(x) = 1000.5", -10, 10, [1])):
        cases.append(Case("pole", eq, a, b, poles=poles))
    for k in (3, 6, 9, 12, 15):
        m = mp.mpf(10) ** k
        cases.append(Case("pole", "1/(x-1e%d) = 0" % k, m - 10, m + 10, poles=[m]))
        cases.append(Case("pole", "floor(x-1e%d) = 0.5" % k, m - 10, m + 10, poles=[m + 1]))
    for eq, a, b, poles in (
            ("tan(x) = 0", -10, 10, periodic([half], PI, -10, 10)),
            ("tan(x) = 1", -10, 10, periodic([half], PI, -10, 10))):
        offset = 0 if eq.endswith("0") else PI / 4
        cases.append(Case("pole", eq, a, b, periodic([offset], PI, a, b), poles=poles))
    for slope in ("1e2", "1e6", "1e12"):
        for jump in ("1e-6", "1"):
            if slope == "1e12" and jump == "1e-6":
                continue
            for shape, at in (("(x-1)", 1), ("(x-1/3)", mp.mpf(1) / 3), ("(x-1)^3", 1),
                              ("(x-1)*abs(x-1)", 1)):
                floor = "floor(3*x)" if at != 1 else "floor(x)"
                target = "5e-07" if jump == "1e-6" else "0.5"
                cases.append(Case("pole", "%s*%s+%s*%s = %s" % (slope, shape, jump, floor, target),
                                  -10, 10, poles=[at]))
        if slope != "1e12":
            cases.append(Case("pole", "%s*(x-1e6)+1*floor(x-999999) = 0.5" % slope, 999990,
                              1000010, poles=[1000000]))
    return cases


def magnitude_cases():
    cases = []
    for k in (0, 3, 6, 9, 12, 15):
        m, big = mp.mpf(10) ** k, ("1" if k == 0 else "1e%d" % k)
        a, b = m - 10, m + 10
        cases += [Case("magnitude", "(x-%s)^2 = 2" % big, a, b, [m - mp.sqrt(2), m + mp.sqrt(2)]),
                  Case("magnitude", "sin(x-%s) = 0.5" % big, a, b,
                       periodic([m + PI / 6, m + 5 * PI / 6], 2 * PI, a, b)),
                  Case("magnitude", "ln(x-%s) = 0.5" % big, a, b, [m + mp.exp(0.5)], edges=[m]),
                  Case("magnitude", "sqrt(x-%s) = 1" % big, a, b, [m + 1], edges=[m]),
                  Case("magnitude", "1/(x-%s) = 2" % big, a, b, [m + mp.mpf("0.5")], poles=[m]),
                  Case("magnitude", "(x-%s)*(x-%s-1)*(x-%s-2) = 0" % (big, big, big), a, b,
                       [m, m + 1, m + 2])]
    for eq, roots in (("x = 1e-12", [mp.mpf("1e-12")]), ("1e12*x = 1", [mp.mpf("1e-12")]),
                      ("(x-1e-6)*(x-2e-6) = 0", [mp.mpf("1e-6"), mp.mpf("2e-6")]),
                      ("x^2 = 1e-24", [mp.mpf("-1e-12"), mp.mpf("1e-12")])):
        cases.append(Case("magnitude", eq, -1e-5, 1e-5, roots))
    return cases


def jump_cases():
    """Jumps J against slopes S (J = 1 unless named): S/J from 1 to 1e17, so that the change across
    one tolerance T, S*T, is from a hundredth to a hundred times the jump at every decimals asked.
    At and off the doubles, the jump's own point on either side of it, single and in sawtooths
    whose other jumps lie a few tolerances away; and real roots beside a jump."""
    third, e = mp.mpf(1) / 3, lambda k: "1e%d" % k
    integers = range(-9, 11)
    cases = [Case("jump", "mod(x, 1) = 0.5", 0, 10, periodic([0.5], 1, 0, 10), period=(1, [0.5]),
                  poles=range(1, 11)),
             Case("jump", "x-floor(x) = 0.5", -10, 10, periodic([0.5], 1, -10, 10),
                  period=(1, [0.5]), poles=integers)]
    for m in range(18):
        s = e(m)
        cases += [Case("jump", "%s*(x-1)+floor(x) = 0.5" % s, -10, 10, poles=[1]),
                  Case("jump", "%s*(x-1)+floor(10*x)-10 = -0.5" % s, -10, 10, poles=[1]),
                  Case("jump", "%s*(x-0.7)+floor(10*x) = 6.5" % s, -10, 10,
                       poles=[mp.mpf("0.7")])]
        if m >= 2:  # the slope outgrows the sawtooth's own, 10 between its jumps
            cases.append(Case("jump", "%s*(x-1)-mod(10*x, 1) = -0.5" % s, -10, 10, poles=[1]))
        if m % 2:
            continue
        cases += [Case("jump", "%s*(x-1/3)+floor(3*x) = 0.5" % s, -10, 10, poles=[third]),
                  Case("jump", "-%s*(x-1)-floor(x) = -0.5" % s, -10, 10, poles=[1]),
                  Case("jump", "%s*(x-1)+ceil(x) = 1.5" % s, -10, 10, poles=[1]),
                  Case("jump", "%s*(x-1/6)+floor(3*x+0.5) = 0.5" % s, -10, 10,
                       poles=[third / 2]),
                  Case("jump", "%s*(x-1)+(x-1)/abs(x-1) = 0" % s, -10, 10, poles=[1]),
                  Case("jump", "%s*(x-1/3)+(3*x-1)/abs(3*x-1) = 0" % s, -10, 10, poles=[third]),
                  Case("jump", "%s*(x-1)+1e-6*floor(x) = 5e-7" % e(m - 6), -10, 10, poles=[1]),
                  Case("jump", "%s*(x-1e6)+1e3*floor(x-999999) = 500" % e(m + 3), 999990,
                       1000010, poles=[1000000])]
        if 2 <= m <= 12:  # f falls by the jump at 1 and rises on either side: roots at 1 -+ 0.5/S
            h = mp.mpf("0.5") / mp.mpf(10) ** m
            cases += [Case("jump", "%s*(x-1)-floor(x) = -0.5" % s, -10, 10, [1 - h, 1 + h],
                           poles=[1]),
                      Case("jump", "%s*(x-1/3)-floor(3*x) = -0.5" % s, -10, 10,
                           [third - h, third + h], poles=[third])]
    return cases

def literal(value):
    """A number as a user types it, exactly and briefly: 400, 0.0005, 6e12, 1.25e-21."""
    d = decimal.Decimal(mp.nstr(mp.mpf(value), 40)).normalize()
    sign, digits, exponent = d.as_tuple()
    text = "".join(map(str, digits))
    point = len(text) + exponent  # digits before the decimal point
    if 0 <= exponent and point <= 6:
        plain = text + "0" * exponent
    elif -6 <= point <= 0:
        plain = "0." + "0" * -point + text
    elif 0 < point < len(text):
        plain = text[:point] + "." + text[point:]
    else:
        mantissa = text[0] + ("." + text[1:] if len(text) > 1 else "")
        plain = "%se%d" % (mantissa, point - 1)
    return ("-" if sign else "") + plain


def expanded(c, k, rhs="0"):
    """(x-c)^k multiplied out, as a user types it, = rhs."""
    terms = []
    for j in range(k, -1, -1):
        coefficient = mp.binomial(k, j) * (-mp.mpf(c)) ** (k - j)
        if coefficient == 0:
            continue
        size = literal(abs(coefficient))
        power = "" if j == 0 else "x" if j == 1 else "x^%d" % j
        term = size if not power else power if size == "1" else "%s*%s" % (size, power)
        terms.append(("-" if coefficient < 0 else "+") + term)
    return "".join(terms).lstrip("+") + " = " + rhs


def band_cases():
    """Stretches where the values lie within rounding noise of 0: identities offset by less than
    their noise (no roots: the signs on both sides agree), powers of x - c multiplied out (roots
    of order 2 to 5 lost in the noise of large terms, some moved off 0 by a little), and
    cancellations at magnitudes 1e3 to 1e15, with one root across the noise and without."""
    cases = [Case("bands", eq, -10, 10) for eq in (
        "exp(x)*exp(-x)-1 = 1e-17", "exp(x)*exp(-x)-1 = -1e-17",
        "sin(x)^2+cos(x)^2-1 = -1e-17", "sin(x)^2+cos(x)^2-1 = 1e-17",
        "(x+1000)-1000-x = -1e-14", "(x+1000)-1000-x = 1e-14",
        "(x+1)^2-x^2-2*x = 1+1e-15", "x*exp(x)*exp(-x)-x = 1e-17",
        "(x+1e8)^2-1e16-2e8*x = -1e-3", "x^4-4*x^3+6*x^2-4*x+1 = -1e-17")]
    for c in ("0.1", "1", "10", "1e3", "1e6"):
        size = max(mp.mpf(c), 1)
        a, b = mp.mpf(c) - mp.mpf("0.73") * size, mp.mpf(c) + mp.mpf("1.09") * size
        for k in range(2, 6):
            cases.append(Case("bands", expanded(c, k), a, b, [(mp.mpf(c), k)]))
        # Moved off 0 by less than the noise: an even power then has no root, an odd one one.
        tiny = mp.mpf(c) ** 4 * mp.mpf("1e-17")
        cases.append(Case("bands", expanded(c, 4, literal(-tiny)), a, b))
        tiny = mp.mpf(c) ** 3 * mp.mpf("1e-17")
        cases.append(Case("bands", expanded(c, 3, literal(tiny)), a, b,
                          [mp.mpf(c) + mp.cbrt(tiny)]))
    for k in (3, 6, 9, 12, 15):
        m = mp.mpf(10) ** k
        big = "1e%d" % k
        cases.append(Case("bands", "(x+%s)^2-%s^2-2*%s*x = -%s" % (big, big, big,
                                                                  literal(m * m * mp.mpf("1e-17"))),
                          -10, 10))
        cases.append(Case("bands", "(x+%s)^2-%s^2 = %s" % (big, big, big), -10, 10,
                          [-m + mp.sqrt(m * m + m)]))
        cases.append(Case("bands", "(%s+x)-(%s-x) = 1" % (big, big), -10, 10, [mp.mpf("0.5")]))
    return cases


def triple_cases():
    """Three roots in one octave of a new model's search (every one must be found) or in one
    step of a scan, and four in one octave."""
    cases = []
    for eq, roots in (("(x-1)*(x-1.1)*(x-1.2) = 0", ["1", "1.1", "1.2"]),
                      ("x^3-3.3*x^2+3.62*x-1.32 = 0", ["1", "1.1", "1.2"]),
                      ("(x+1)*(x+1.1)*(x+1.2) = 0", ["-1.2", "-1.1", "-1"]),
                      ("(x-2)*(x-2.5)*(x-3) = 0", ["2", "2.5", "3"]),
                      ("(x-10)*(x-11)*(x-12) = 0", ["10", "11", "12"]),
                      ("(x-1000)*(x-1100)*(x-1200) = 0", ["1000", "1100", "1200"]),
                      ("(x-0.001)*(x-0.0011)*(x-0.0012) = 0", ["0.001", "0.0011", "0.0012"]),
                      ("(x-1)*(x-1.01)*(x-1.02) = 0", ["1", "1.01", "1.02"]),
                      ("(x-1)*(x-1.1)*(x-1.2)*(x-1.3) = 0", ["1", "1.1", "1.2", "1.3"])):
        roots = [mp.mpf(r) for r in roots]
        cases.append(Case("triple", eq, *NEW_MODEL, roots, roads="MF", few=True))
    for eq, roots in (("(x-1)*(x-1.1)*(x-1.2) = 0", ["1", "1.1", "1.2"]),
                      ("(x-1)*(x-1.01)*(x-1.02) = 0", ["1", "1.01", "1.02"]),
                      ("(x-5)*(x-5.001)*(x-5.002) = 0", ["5", "5.001", "5.002"])):
        cases.append(Case("triple", eq, -10.03, 10, [mp.mpf(r) for r in roots]))
    return cases


def sawtooth_cases():
    """Sawtooths of mod and floor that leave 0 at a jump: their teeth touch 0 at k/10 or k/3
    without a sign change there, and mod(10*x, 1) changes sign at 0 alone."""
    cases = []
    for scale in (10, 3):
        teeth = [mp.mpf(k) / scale for k in range(-scale, scale + 1)]
        roots = [(t, 1, t == 0) for t in teeth]
        cases.append(Case("sawtooth", "mod(%d*x, 1) = 0" % scale, -1, 1, roots))
        cases.append(Case("sawtooth", "%d*x-floor(%d*x) = 0" % (scale, scale), -1, 1,
                          [(t, 1, False) for t in teeth]))
    return cases


CLASSES = (
    ("noise", "Roots in rounding noise: results that cancel or are large against their change",
     noise_cases),
    ("several", "Several roots in one step of the scan or one octave of a new model's search",
     several_cases),
    ("newmodel", "A new model's interval, -1e300 to 1e300", new_model_cases),
    ("order", "Roots of order 1 to 7", order_cases),
    ("edge", "Roots beside an end of the equation's domain, on either side", edge_cases),
    ("plateau", "Plateaus from rounding that are no roots, and equations 0 on a whole interval",
     plateau_cases),
    ("subnormal", "Roots where the equation's values are subnormal", subnormal_cases),
    ("underflow", "Zeros that are only underflows, and roots beside them", underflow_cases),
    ("close", "Close pairs of roots, 1e-14 to 0.2 apart, and touching roots", close_cases),
    ("steep", "Steep roots: slope times tolerance from 1 to 1e20", steep_cases),
    ("pole", "Poles and jumps, large and small against the slope: no roots", pole_cases),
    ("magnitude", "Roots from 1e-12 to 1e15", magnitude_cases),
    ("jump", "Jumps as large as the change across one tolerance, single and in sawtooths: no roots",
     jump_cases),
    ("bands", "Noise bands: values within rounding noise of 0 over a stretch, with a sign change "
     "across it and without", band_cases),
    ("triple", "Three roots in one octave of a new model's search or one step of a scan",
     triple_cases),
    ("sawtooth", "Sawtooths whose teeth touch 0 at a jump", sawtooth_cases),
)
