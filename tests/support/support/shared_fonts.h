#pragma once

// The real fonts, opened once and shared by every test of a program (link velko_test_fonts).

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/fonts/freetype_fonts.h"

namespace velko::testing {

inline platform::FreeTypeFontLibrary& fonts() {
    static const std::unique_ptr<platform::FreeTypeFontLibrary> library = [] {
        auto created = platform::FreeTypeFontLibrary::create();
        if (!created) {
            std::fprintf(stderr, "%s\n", created.error().c_str());
            std::abort();
        }
        return std::move(*created);
    }();
    return *library;
}

}  // namespace velko::testing
