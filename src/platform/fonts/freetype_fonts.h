#pragma once

// The fonts of the real program and of the headless runs alike: FreeType rendering needs no
// display and gives the same pixels everywhere, so both platforms share this library.

#include <filesystem>
#include <memory>
#include <vector>

#include "base/result.h"
#include "platform/fonts.h"

namespace velko::platform {

// A face file and the index of the face inside it (collections hold several).
struct FontFile {
    std::filesystem::path path;
    int index = 0;
};

struct FontFiles {
    FontFile gothic;   // IPAGothic
    FontFile pgothic;  // IPAPGothic
};

// Finds both faces through fontconfig by family name, falling back to the paths where
// Debian's fonts-ipafont-gothic puts them. The error says which package to install.
Result<FontFiles> locateFontFiles();

class FreeTypeFontLibrary final : public FontLibrary {
public:
    // Locates and loads both faces; a missing or unreadable face is a start-up error.
    static Result<std::unique_ptr<FreeTypeFontLibrary>> create();
    static Result<std::unique_ptr<FreeTypeFontLibrary>> create(const FontFiles& files);

    ~FreeTypeFontLibrary() override;

    // Null only when FreeType cannot set up a face at the requested size (a size of zero or
    // less, or an absurd one); callers then draw no text.
    std::shared_ptr<const Font> open(const FontSpec& request) override;

    struct Shared;  // the FreeType library handle and the face files' bytes

private:
    explicit FreeTypeFontLibrary(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::vector<std::pair<FontSpec, std::shared_ptr<const Font>>> cache_;
};

}  // namespace velko::platform
