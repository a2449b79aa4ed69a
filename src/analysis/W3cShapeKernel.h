#pragma once
// The kernels of ShapeW3cLine: one for the baseline instruction set, one for AVX2 (only to be
// called when the processor has AVX2, POPCNT, BMI1 and BMI2; on other processors it is the baseline).

#include "analysis/W3cFields.h"

#include <cstdint>

namespace analysis::w3c {

// Spaces, quotes and line ends (CR, LF, NUL) among 64 bytes, bit i for byte i.
struct Marks64 {
    std::uint64_t Spaces, Quotes, Breaks;
};

// `readable` (at least `size`) bytes from p may be read; those after `size` are never looked at.
W3cLineShape ShapeLineBaseline(const char* p, std::size_t size, std::size_t readable, int index);
W3cLineShape ShapeLineAvx2(const char* p, std::size_t size, std::size_t readable, int index);

} // namespace analysis::w3c
