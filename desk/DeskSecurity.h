#pragma once
// Whether a new track may replace the one on an audible desk: the option
// "Baby Secure" (": None", ": Ask", ": Always").

#include <cstdint>

namespace zarnel {

enum class SecurityDecision { load, ask, refuse };

// Return: load when the desk is silent or the option is ": None" (0), ask
// for ": Ask" (1, and any unknown value), refuse for ": Always" (2).
constexpr SecurityDecision deskSecurity(int32_t babySecure, bool audible) {
  if (!audible || babySecure == 0) return SecurityDecision::load;
  return babySecure == 2 ? SecurityDecision::refuse : SecurityDecision::ask;
}

}  // namespace zarnel
