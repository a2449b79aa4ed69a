#pragma once
// The one-pass shape of a W3C line (W3cFields' ShapeW3cLine), compiled twice: for the baseline
// instruction set and for AVX2 (chosen at run time). Included only by W3cFields.cpp and
// W3cFieldsAvx2.cpp; everything here has internal linkage, so the two object files share no
// inline code the linker could mix up between instruction sets.

#include "analysis/W3cShapeKernel.h"

#include <cstring>
#include <string_view>

namespace analysis::w3c {
namespace {

inline std::uint64_t BitsBelow(unsigned n) {
    return n >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1;
}

// `mark(p)` classifies p[0..63]; `ones64(m)` counts the set bits of m; `select(m, k)` is the
// position of the set bit numbered k (from 0) of m. `readable` bytes from p may be read.
template <class Mark, class Ones, class Select>
inline W3cLineShape ShapeLine(const Mark& mark, const Ones& ones64, const Select& select, const char* p,
                              std::size_t size, std::size_t readable, int index) {
    W3cLineShape shape;
    std::size_t start = index == 0 ? 0 : std::string_view::npos, end = std::string_view::npos;
    int spaces = 0;
    std::uint64_t quotes = 0;
    std::size_t i = 0;
    for (; i < size; i += 64) {
        Marks64 m;
        if (size - i >= 64) {
            m = mark(p + i);
        } else { // the last bytes, whatever follows them masked off
            if (readable - i >= 64) {
                m = mark(p + i);
            } else {
                char tail[64] = {};
                std::memcpy(tail, p + i, size - i);
                m = mark(tail);
            }
            std::uint64_t valid = BitsBelow(unsigned(size - i));
            m.Spaces &= valid;
            m.Quotes &= valid;
            m.Breaks &= valid;
        }
        if (m.Breaks != 0) { // the line ends in this block: nothing after its end counts
            unsigned at = unsigned(__builtin_ctzll(m.Breaks));
            std::uint64_t before = BitsBelow(at);
            m.Spaces &= before;
            m.Quotes &= before;
            shape.Ended = true;
            shape.Length = i + at;
            shape.Break = p[i + at];
        }
        quotes |= m.Quotes;
        if (index >= 0) {
            // The value starts after space number `index` (from 1) and ends at space `index + 1`;
            // this block holds spaces spaces + 1 .. spaces + ones.
            int ones = ones64(m.Spaces);
            if (end == std::string_view::npos && spaces + ones >= index) {
                if (start == std::string_view::npos && index > spaces)
                    start = i + unsigned(select(m.Spaces, unsigned(index - spaces - 1))) + 1;
                if (index + 1 <= spaces + ones)
                    end = i + unsigned(select(m.Spaces, unsigned(index - spaces)));
            }
            spaces += ones;
        }
        if (shape.Ended) break;
    }
    if (!shape.Ended) shape.Length = size;
    if (index >= 0 && quotes == 0 && start != std::string_view::npos) {
        shape.Values = spaces + 1;
        shape.ValueStart = start;
        shape.ValueEnd = end == std::string_view::npos ? shape.Length : end;
    }
    return shape;
}

} // namespace
} // namespace analysis::w3c
