#pragma once

// What every picture painter may use: the lettering faces, the project's screen fonts, the
// texts from game/art, and the other pictures (thumbnails and previews are made from them).

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "paint/canvas.h"
#include "paint/outline_font.h"
#include "platform/fonts.h"

namespace velko::art {

// One output file: where it goes, its size, and the painter that makes it.
struct PictureEntry {
    std::string file;     // "BMP/CG01.BMP"
    std::string painter;  // key into the painter table
    int width = 640;
    int height = 480;
    std::uint64_t seed = 1;
};

class Studio;
using Painter = std::function<paint::Canvas(Studio&, const PictureEntry&)>;

// Painters by name; see pictures/*.cpp.
const std::map<std::string, Painter>& painters();

// Reads game/art/pictures.txt: "FILE PAINTER WIDTHxHEIGHT SEED" a line, '#' comments.
Result<std::vector<PictureEntry>> readManifest(const std::filesystem::path& file);

class Studio {
public:
    static Result<std::unique_ptr<Studio>> open(const std::filesystem::path& artDir);

    // Faces for lettering drawn as outlines.
    const paint::OutlineFont& brush() const { return *brush_; }      // titles, signs
    const paint::OutlineFont& cursive() const { return *cursive_; }  // the stamp
    const paint::OutlineFont& mincho() const { return *mincho_; }    // subtitles, previews
    const paint::OutlineFont& gothic() const { return *gothic_; }    // captions, logos
    // The program's own screen fonts (the notice pages are set in them).
    platform::FontLibrary& screenFonts() { return *screenFonts_; }

    // A text from game/art/lettering.txt ("key: text"); empty if missing.
    std::string text(const std::string& key) const;
    // A whole text file from game/art (UTF-8), e.g. "pages/osirase01.txt".
    Result<std::string> file(const std::string& relative) const;

    // Another picture of the manifest, painted once and kept.
    const paint::Canvas& picture(const std::string& file);
    void setEntries(std::vector<PictureEntry> entries) { entries_ = std::move(entries); }
    const std::vector<PictureEntry>& entries() const { return entries_; }

private:
    Studio() = default;

    std::filesystem::path artDir_;
    std::unique_ptr<paint::OutlineFont> brush_;
    std::unique_ptr<paint::OutlineFont> cursive_;
    std::unique_ptr<paint::OutlineFont> mincho_;
    std::unique_ptr<paint::OutlineFont> gothic_;
    std::unique_ptr<platform::FontLibrary> screenFonts_;
    std::map<std::string, std::string> texts_;
    std::vector<PictureEntry> entries_;
    std::map<std::string, paint::Canvas> painted_;
};

}  // namespace velko::art
