#pragma once
// A failed check in a fuzz target: prints what was expected and aborts, so
// that libFuzzer keeps the input as a crash artefact.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz_support {

[[noreturn]] inline void Fail(const char* file, int line, const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", file, line, what, detail.c_str());
  std::abort();
}

// Bytes as a C-style literal, for the reports of failed checks.
std::string Quoted(const std::string& bytes);

// A double's bits, to compare values exactly (zeros of either sign apart).
std::uint64_t Bits(double v);
// A double as exact hexadecimal floating-point text, for reports.
std::string Hex(double v);

}  // namespace fuzz_support

#define FUZZ_CHECK(condition, detail)                                                 \
  do {                                                                                \
    if (!(condition)) ::fuzz_support::Fail(__FILE__, __LINE__, #condition, (detail)); \
  } while (0)
