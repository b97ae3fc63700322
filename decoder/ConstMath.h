#pragma once
// Compile-time math for the decoder's derived tables (window shapes, cosine
// matrices, x^(4/3)): series that converge to double precision, so that the
// tables cost no start-up time and come out the same on every compiler.

#include <cstdint>

namespace zarnel::cmath {

inline constexpr double kPi = 3.14159265358979323846;

// Return: sin(x) for any finite x.
constexpr double sin(double x) {
  // Reduce to [-pi, pi], then sum the Taylor series until it stops changing.
  const double turns = x / (2.0 * kPi);
  const int64_t whole = int64_t(turns >= 0 ? turns + 0.5 : turns - 0.5);
  const double r = x - double(whole) * 2.0 * kPi;
  double term = r;
  double sum = r;
  for (int32_t n = 1; n < 30; ++n) {
    term *= -r * r / double((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

constexpr double cos(double x) { return sin(x + kPi / 2.0); }

// Return: sqrt(x) for x >= 0, by Newton's iteration.
constexpr double sqrt(double x) {
  if (x <= 0.0) return 0.0;
  double g = x > 1.0 ? x : 1.0;
  for (int32_t i = 0; i < 100; ++i) {
    const double next = 0.5 * (g + x / g);
    if (next == g) break;
    g = next;
  }
  return g;
}

// Return: the real cube root of x >= 0, by Newton's iteration.
constexpr double cbrt(double x) {
  if (x <= 0.0) return 0.0;
  double g = x > 1.0 ? x / 3.0 + 1.0 : 1.0;
  for (int32_t i = 0; i < 200; ++i) {
    const double next = g - (g * g * g - x) / (3.0 * g * g);
    if (next >= g && i > 0) break;  // monotone from above: stop at the floor
    g = next;
  }
  return g;
}

// Return: 2^(n / 4) for any integer n, exact in its power-of-two part.
constexpr double pow2Quarter(int32_t n) {
  constexpr double kRoots[4] = {1.0, 1.18920711500272106672, 1.41421356237309504880,
                                1.68179283050742908606};
  int32_t whole = n >= 0 ? n / 4 : -((-n + 3) / 4);
  double v = kRoots[n - whole * 4];
  for (; whole > 0; --whole) v *= 2.0;
  for (; whole < 0; ++whole) v *= 0.5;
  return v;
}

}  // namespace zarnel::cmath
