#include "tools/skinart/DetMath.h"

#include <cmath>

namespace zarnel::art {

namespace {

// Taylor series on |x| <= pi/4, where 12 terms are far past double precision.
double sinSeries(double x) {
  double term = x, sum = x;
  for (int n = 1; n < 12; ++n) {
    term *= -x * x / double((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double cosSeries(double x) {
  double term = 1.0, sum = 1.0;
  for (int n = 1; n < 12; ++n) {
    term *= -x * x / double((2 * n - 1) * (2 * n));
    sum += term;
  }
  return sum;
}

// Return: (quadrant 0..3, remainder in -pi/4..pi/4) of radians.
void reduce(double radians, int& quadrant, double& rest) {
  const double k = std::floor(radians / (kPi / 2) + 0.5);
  rest = radians - k * (kPi / 2);
  quadrant = int(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
}

// atan on 0..1 after two argument halvings, by its alternating series.
double atanUnit(double x) {
  for (int i = 0; i < 2; ++i) x = x / (1.0 + std::sqrt(1.0 + x * x));
  double term = x, sum = x;
  for (int n = 1; n < 20; ++n) {
    term *= -x * x;
    sum += term / double(2 * n + 1);
  }
  return 4.0 * sum;
}

}  // namespace

double detSin(double radians) {
  int q;
  double r;
  reduce(radians, q, r);
  switch (q) {
    case 0: return sinSeries(r);
    case 1: return cosSeries(r);
    case 2: return -sinSeries(r);
    default: return -cosSeries(r);
  }
}

double detCos(double radians) { return detSin(radians + kPi / 2); }

double detAtan2(double y, double x) {
  if (x == 0.0 && y == 0.0) return 0.0;
  const double ax = std::fabs(x), ay = std::fabs(y);
  double a = ay <= ax ? atanUnit(ay / ax) : kPi / 2 - atanUnit(ax / ay);
  if (x < 0) a = kPi - a;
  return y < 0 ? -a : a;
}

}  // namespace zarnel::art
