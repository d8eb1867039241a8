#pragma once
#include "framework/core/Platform.h"

#include <cmath>

// A point or direction in world space.
struct Vector3 {
    double x = 0, y = 0, z = 0;

    friend Vector3 operator+(const Vector3& a, const Vector3& b)
    {
        return {a.x + b.x, a.y + b.y, a.z + b.z};
    }
    friend Vector3 operator-(const Vector3& a, const Vector3& b)
    {
        return {a.x - b.x, a.y - b.y, a.z - b.z};
    }
    friend Vector3 operator*(double s, const Vector3& a) { return {s * a.x, s * a.y, s * a.z}; }
};

// (r cos theta sin phi, r sin theta sin phi, r cos phi): theta turns about z, phi is measured
// from z.
inline Vector3 SphericalToCartesian(double theta, double phi, double r)
{
    return {r * std::cos(theta) * std::sin(phi), r * std::sin(theta) * std::sin(phi),
            r * std::cos(phi)};
}

inline double DotProduct(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 CrossProduct(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double VectorLength(const Vector3& a) { return std::sqrt(DotProduct(a, a)); }

// The unit vector along a; the zero vector stays zero.
inline Vector3 NormalizeVector(const Vector3& a)
{
    const double length = VectorLength(a);
    return length > 0 ? (1 / length) * a : a;
}

// (c - b) x (a - b): points out of a box face whose corners run as the box builds them.
inline Vector3 TriangleNormal(const Vector3& a, const Vector3& b, const Vector3& c)
{
    return CrossProduct(c - b, a - b);
}

// The red, green and blue bytes of a colour (red in the low byte).
inline void SplitColour(COLORREF colour, int& red, int& green, int& blue)
{
    red = int(colour & 0xFF);
    green = int((colour >> 8) & 0xFF);
    blue = int((colour >> 16) & 0xFF);
}
