#pragma once
// Sine, cosine and arc tangent built from +, -, *, / and sqrt only, so that
// the pictures come out bit for bit the same whatever the C library.

namespace zarnel::art {

constexpr double kPi = 3.14159265358979323846;

double detSin(double radians);
double detCos(double radians);
// Return: the angle of (x, y) in -pi..pi, as atan2(y, x).
double detAtan2(double y, double x);

}  // namespace zarnel::art
