"""The truth of one case: its true roots in 60-digit arithmetic, the rounding noise of its equation
at each root, and which roots each way of finding them must find at each setting, and why not
where it need not."""
import math
import re

import mpmath as mp

mp.mp.dps = 60

DECIMALS = (2, 5, 8, 10, 12, 15)
STEPS = (200, 1000, 10000)
UNIT = mp.mpf(2) ** -53     # rounding of one result of the double arithmetic
TINY = mp.mpf(2) ** -1075   # half the smallest subnormal: the rounding of a subnormal result
NEW_MODEL = (-1e300, 1e300)

# Why a root need not be found, by the letter that stands for it in a setting's mask. Each
# follows from the mathematics of the case and the settings alone (the interval and its steps),
# never from where the scan looks: a step is the interval over the steps asked, and in a new
# model's solve, whose steps near 0 are octaves, half the root's size.
REASONS = {
    "e": "the equation touches 0 there without changing sign: a root of even order, or where a "
         "sawtooth's tooth leaves 0",
    "n": "the equation's rounding noise (an underflow included) is wider than half the gap to "
         "the next root, or than half the interval (for FZERO, its bracket)",
    "p": "a pole or a jump of the interval lies within one step of it",
    "g": "two ends of the equation's domain within the interval lie within one step of it: its "
         "step may hold a gap",
    "a": "another root lies within one step of it, and the equation is none of those with a few "
         "roots near 0 (polynomials and products of factors) whose every root a new model must "
         "find",
    "s": "FZERO needs a sign change across its bracket",
    "o": "it lies outside the interval searched",
}


class Traced:
    """A value of the equation computed exactly, with a bound on how far the double arithmetic
    may carry it off: each operation adds the rounding of its result to the errors it carries
    forward (a running error bound). Library functions count two roundings."""

    def __init__(self, val, err=mp.mpf(0)):
        self.val = mp.mpf(val)
        self.err = mp.mpf(err)

    @staticmethod
    def of(v):
        return v if isinstance(v, Traced) else Traced(v)

    @staticmethod
    def rounded(val, err, roundings=1):
        return Traced(val, err + roundings * (UNIT * abs(val) + TINY))

    def __add__(self, o):
        o = Traced.of(o)
        return Traced.rounded(self.val + o.val, self.err + o.err)

    __radd__ = __add__

    def __sub__(self, o):
        o = Traced.of(o)
        return Traced.rounded(self.val - o.val, self.err + o.err)

    def __rsub__(self, o):
        return Traced.of(o) - self

    def __neg__(self):
        return Traced(-self.val, self.err)

    def __mul__(self, o):
        o = Traced.of(o)
        return Traced.rounded(self.val * o.val, abs(self.val) * o.err + abs(o.val) * self.err)

    __rmul__ = __mul__

    def __truediv__(self, o):
        o = Traced.of(o)
        q = self.val / o.val
        return Traced.rounded(q, (self.err + abs(q) * o.err) / abs(o.val))

    def __rtruediv__(self, o):
        return Traced.of(o) / self

    def __pow__(self, o):
        o = Traced.of(o)
        if o.err == 0 and o.val == int(o.val):
            r = self.val ** o.val
            d = o.val * self.val ** (o.val - 1) if o.val != 0 else 0
            return Traced.rounded(r, abs(d) * self.err)
        r = self.val ** o.val
        err = abs(o.val * self.val ** (o.val - 1)) * self.err
        if self.val > 0:
            err += abs(mp.log(self.val) * r) * o.err
        return Traced.rounded(r, err, 2)

    def __rpow__(self, o):
        return Traced.of(o) ** self


def _function(value, slope):
    def apply(t):
        t = Traced.of(t)
        return Traced.rounded(value(t.val), abs(slope(t.val)) * t.err, 2)
    return apply


def _max(a, b):
    a, b = Traced.of(a), Traced.of(b)
    return Traced(max(a.val, b.val), max(a.err, b.err))


FUNCTIONS = {
    "sin": _function(mp.sin, mp.cos),
    "cos": _function(mp.cos, mp.sin),
    "tan": _function(mp.tan, lambda v: mp.sec(v) ** 2),
    "exp": _function(mp.exp, mp.exp),
    "ln": _function(mp.log, lambda v: 1 / v),
    "log": _function(mp.log10, lambda v: 1 / (v * mp.log(10))),
    "sqrt": _function(mp.sqrt, lambda v: 1 / (2 * mp.sqrt(v)) if v > 0 else mp.inf),
    "abs": lambda t: Traced(abs(Traced.of(t).val), Traced.of(t).err),
    "floor": lambda t: Traced(mp.floor(Traced.of(t).val)),
    "tanh": _function(mp.tanh, lambda v: mp.sech(v) ** 2),
    "erf": _function(mp.erf, lambda v: 2 / mp.sqrt(mp.pi) * mp.exp(-v * v)),
    "asin": _function(mp.asin, lambda v: 1 / mp.sqrt(1 - v * v)),
    "acos": _function(mp.acos, lambda v: 1 / mp.sqrt(1 - v * v)),
    "atan": _function(mp.atan, lambda v: 1 / (1 + v * v)),
    "sinh": _function(mp.sinh, mp.cosh),
    "sec": _function(mp.sec, lambda v: mp.sec(v) * mp.tan(v)),
    "erfc": _function(mp.erfc, lambda v: 2 / mp.sqrt(mp.pi) * mp.exp(-v * v)),
    "gammaq": lambda a, t: _function(lambda v: mp.gammainc(Traced.of(a).val, v, regularized=True),
                                     lambda v: v ** (Traced.of(a).val - 1) * mp.exp(-v)
                                     / mp.gamma(Traced.of(a).val))(t),
    "ceil": lambda t: Traced(mp.ceil(Traced.of(t).val)),
    "int": lambda t: Traced(int(Traced.of(t).val)),
    "mod": lambda t, m: Traced(mp.fmod(Traced.of(t).val, Traced.of(m).val), Traced.of(t).err),
    "max": _max,
}

NUMBER = re.compile(r"(?<![A-Za-z_0-9.])(\d+\.?\d*(?:[eE][-+]?\d+)?|\.\d+(?:[eE][-+]?\d+)?)")


def literal(text):
    """A number as typed: its exact value, off by its rounding to the nearest double."""
    exact = mp.mpf(text)
    return Traced(exact, abs(exact - mp.mpf(float(text))))


def expression_of(equation):
    """lhs-(rhs), as the program makes of an equation."""
    if "=" not in equation:
        return equation
    lhs, rhs = (side.strip() for side in equation.split("=", 1))
    return "%s-(%s)" % (lhs, rhs)


class Equation:
    """f(x) of an equation text written as the user types it."""

    def __init__(self, equation):
        self.text = equation
        self.expression = expression_of(equation)
        python = NUMBER.sub(lambda m: 'L("%s")' % m.group(1), self.expression.replace("^", "**"))
        self.code = compile(python, equation, "eval")

    def traced(self, x):
        names = dict(FUNCTIONS, L=literal, x=Traced(x))
        return eval(self.code, {"__builtins__": {}}, names)

    def __call__(self, x):
        return self.traced(x).val


def ulp(x):
    x = abs(float(x))
    return math.ulp(x) if x > 0 else 5e-324


def noise_in_x(f, root, order):
    """How far the rounding noise of f at root moves its zero: the noise bound over the size of
    f's change, |f(root + h)| ~ C h^order, taken order-th root."""
    noise = f.traced(root).err
    if noise == 0:
        return mp.mpf(0)
    with mp.workdps(150):  # f(root + h) cancels down to h^order
        h = mp.mpf(10) ** -20 * (abs(root) if root != 0 else 1)
        size = max(abs(f(root + h)), abs(f(root - h))) / h ** order
        return +(noise / size) ** (mp.mpf(1) / order)
