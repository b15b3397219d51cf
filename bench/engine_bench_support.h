#pragma once
// What the engine's benchmarks share: spelling a name through the builder, and the median of
// timed runs in milliseconds.

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline void Name(mv::Builder& b, const std::string& text) {
  b.BKSNAI();
  for (unsigned char c : text) b.BKSSYM(c);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

}  // namespace bench
