#pragma once
// Complex arithmetic over a plain pair of doubles, for the continued fractions of the Fresnel,
// cosine/sine integral and Bessel routines.

struct ComplexValue {
    double re;
    double im;
};

inline ComplexValue MakeComplex(double re, double im) { return ComplexValue{re, im}; }

inline ComplexValue ComplexAdd(ComplexValue a, ComplexValue b)
{
    return ComplexValue{a.re + b.re, a.im + b.im};
}

inline ComplexValue ComplexSubtract(ComplexValue a, ComplexValue b)
{
    return ComplexValue{a.re - b.re, a.im - b.im};
}

inline ComplexValue ComplexMultiply(ComplexValue a, ComplexValue b)
{
    return ComplexValue{a.re * b.re - a.im * b.im, a.im * b.re + a.re * b.im};
}

// a / b, scaling by the larger part of b so that the denominator cannot overflow early.
inline ComplexValue ComplexDivide(ComplexValue a, ComplexValue b)
{
    double r;
    double den;
    if ((b.re < 0 ? -b.re : b.re) >= (b.im < 0 ? -b.im : b.im)) {
        r = b.im / b.re;
        den = b.re + r * b.im;
        return ComplexValue{(a.re + r * a.im) / den, (a.im - r * a.re) / den};
    }
    r = b.re / b.im;
    den = b.im + r * b.re;
    return ComplexValue{(a.re * r + a.im) / den, (a.im * r - a.re) / den};
}

inline ComplexValue ComplexScale(double x, ComplexValue a)
{
    return ComplexValue{x * a.re, x * a.im};
}
