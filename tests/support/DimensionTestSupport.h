#pragma once
// Helpers for the tests of the dimension construction: the output buffer as
// plain lines, the numbers of one output line, and points in the host's axes.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "dimension/PlanePoint.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"

namespace dimension_testing {

inline std::vector<std::string> BufferedLines(const OutputCommands& out) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < out.Lines.Count(); ++i) lines.push_back(out.Lines[i]);
  return lines;
}

// An empty output with its attributes armed, as a fresh run has it after
// reading the host's file (here a host that sent no attributes).
inline OutputCommands FreshOutput() {
  HostState host;
  ResetHostState(host);
  OutputCommands out;
  ResetOutputAttributes(out, host.Initial);
  return out;
}

// The numeric tokens of an output line (a leading keyword such as "pt" or
// "cs" and a trailing text are skipped).
inline std::vector<double> Numbers(const std::string& line) {
  std::vector<double> out;
  std::istringstream in(line);
  std::string token;
  while (in >> token) {
    char* end = nullptr;
    const double v = std::strtod(token.c_str(), &end);
    if (end != token.c_str() && *end == '\0') out.push_back(v);
  }
  return out;
}

// The host's axes for an axis angle in degrees.
struct Axes {
  double Ux, Uy;  // horizontal
  double Vx, Vy;  // vertical
  explicit Axes(double thetaDeg) {
    const double t = thetaDeg * M_PI / 180;
    Ux = std::cos(t);
    Uy = std::sin(t);
    Vx = -std::sin(t);
    Vy = std::cos(t);
  }
  // origin + u * along + v * up
  PlanePoint At(PlanePoint origin, double along, double up) const {
    return PlanePoint{origin.X + Ux * along + Vx * up, origin.Y + Uy * along + Vy * up};
  }
  double AlongU(PlanePoint from, PlanePoint to) const {
    return (to.X - from.X) * Ux + (to.Y - from.Y) * Uy;
  }
  double AlongV(PlanePoint from, PlanePoint to) const {
    return (to.X - from.X) * Vx + (to.Y - from.Y) * Vy;
  }
};

inline double Dist(PlanePoint a, PlanePoint b) { return std::hypot(b.X - a.X, b.Y - a.Y); }

}  // namespace dimension_testing
