#pragma once

// The per-pixel operations behind the raster calls, one small functor per named code so that
// the row loops inline them, and a generic one that evaluates any truth table word-wise.
// Internal to velko_gfx.

#include <array>
#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/raster.h"

namespace velko::gfx::ops {

struct Blackness {
    Pixel operator()(Pixel, Pixel, Pixel) const { return 0; }
};
struct Whiteness {
    Pixel operator()(Pixel, Pixel, Pixel) const { return kPixelMask; }
};
struct SrcCopy {
    Pixel operator()(Pixel, Pixel s, Pixel) const { return s; }
};
struct NotSrcCopy {
    Pixel operator()(Pixel, Pixel s, Pixel) const { return ~s; }
};
struct SrcAnd {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return d & s; }
};
struct SrcPaint {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return d | s; }
};
struct SrcInvert {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return d ^ s; }
};
struct SrcErase {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return s & ~d; }
};
struct DstAndNotSrc {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return d & ~s; }
};
struct MergePaint {
    Pixel operator()(Pixel d, Pixel s, Pixel) const { return ~s | d; }
};
struct DstInvert {
    Pixel operator()(Pixel d, Pixel, Pixel) const { return ~d; }
};
struct PatCopy {
    Pixel operator()(Pixel, Pixel, Pixel p) const { return p; }
};

// Any code: the OR of the minterms whose truth-table bit is set, all 32 bits at once.
class Generic {
public:
    explicit Generic(std::uint8_t table) {
        for (unsigned i = 0; i < 8; ++i) {
            select_[i] = ((table >> i) & 1u) ? ~Pixel{0} : Pixel{0};
        }
    }
    Pixel operator()(Pixel d, Pixel s, Pixel p) const {
        Pixel r = 0;
        for (unsigned i = 0; i < 8; ++i) {
            const Pixel pp = (i & 4u) ? p : ~p;
            const Pixel ss = (i & 2u) ? s : ~s;
            const Pixel dd = (i & 1u) ? d : ~d;
            r |= select_[i] & pp & ss & dd;
        }
        return r;
    }

private:
    std::array<Pixel, 8> select_{};
};

// Calls fn with the functor for `rop`; the named codes get their own instantiation.
template <typename Fn>
void withOp(Rop rop, Fn&& fn) {
    switch (rop) {
        case Rop::Blackness:
            return fn(Blackness{});
        case Rop::Whiteness:
            return fn(Whiteness{});
        case Rop::SrcCopy:
            return fn(SrcCopy{});
        case Rop::NotSrcCopy:
            return fn(NotSrcCopy{});
        case Rop::SrcAnd:
            return fn(SrcAnd{});
        case Rop::SrcPaint:
            return fn(SrcPaint{});
        case Rop::SrcInvert:
            return fn(SrcInvert{});
        case Rop::SrcErase:
            return fn(SrcErase{});
        case Rop::DstAndNotSrc:
            return fn(DstAndNotSrc{});
        case Rop::MergePaint:
            return fn(MergePaint{});
        case Rop::DstInvert:
            return fn(DstInvert{});
        case Rop::PatCopy:
            return fn(PatCopy{});
    }
    return fn(Generic(truthTable(rop)));
}

// Row loops. The pattern (for copies) or the source (for fills) is black, a constant the
// compiler folds into the inlined functor.
template <typename Op>
void rowWithSource(const Op& op, Pixel* d, const Pixel* s, int n) {
    for (int i = 0; i < n; ++i) {
        d[i] = op(d[i], s[i], 0) & kPixelMask;
    }
}

template <typename Op>
void rowWithPattern(const Op& op, Pixel* d, const Pixel* p, int n) {
    for (int i = 0; i < n; ++i) {
        d[i] = op(d[i], 0, p[i]) & kPixelMask;
    }
}

}  // namespace velko::gfx::ops
