// velko-assetgen: paints the episode's pictures from game/art into the program folder.
//
//   velko-assetgen [--art DIR] [--out DIR] [--only FILE]... [--contact-sheet OUT.png] [--png DIR]
//                  [--icons DIR]
//
// --art defaults to the game/art folder of the source tree the tool was built from.
// --out writes every picture of the manifest (or only the named ones) as 24-bit bitmaps;
// --contact-sheet writes one PNG with all of them scaled down and labelled, for review;
// --png writes each picture as a PNG as well, at full size, for a closer look;
// --icons DIR writes the program's icon as DIR/velko01-SIZE.png at every theme size, and the
// 64-pixel one as DIR/velko01-64.bmp for the window.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "pictures/contact_sheet.h"
#include "pictures/icon.h"
#include "pictures/studio.h"
#include "platform/gfx/image_io.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: velko-assetgen [--art DIR] [--out DIR] [--only FILE]... "
                 "[--contact-sheet OUT.png] [--png DIR] [--icons DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velko;
    std::filesystem::path artDir = VELKO_DEFAULT_ART_DIR;
    std::filesystem::path outDir;
    std::filesystem::path sheetPath;
    std::filesystem::path pngDir;
    std::filesystem::path iconDir;
    std::set<std::string> only;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--art" && hasValue) {
            artDir = argv[++i];
        } else if (a == "--out" && hasValue) {
            outDir = argv[++i];
        } else if (a == "--only" && hasValue) {
            only.insert(argv[++i]);
        } else if (a == "--contact-sheet" && hasValue) {
            sheetPath = argv[++i];
        } else if (a == "--png" && hasValue) {
            pngDir = argv[++i];
        } else if (a == "--icons" && hasValue) {
            iconDir = argv[++i];
        } else if (a == "--help") {
            usage();
            return 0;
        } else {
            return usage();
        }
    }
    if (outDir.empty() && sheetPath.empty() && pngDir.empty() && iconDir.empty()) {
        return usage();
    }
    auto manifest = art::readManifest(artDir / "pictures.txt");
    if (!manifest) {
        std::fprintf(stderr, "velko-assetgen: %s\n", manifest.error().c_str());
        return 1;
    }
    auto studio = art::Studio::open(artDir);
    if (!studio) {
        std::fprintf(stderr, "velko-assetgen: %s\n", studio.error().c_str());
        return 1;
    }
    (*studio)->setEntries(*manifest);
    for (const std::string& name : only) {
        bool known = false;
        for (const auto& e : *manifest) {
            known = known || e.file == name;
        }
        if (!known) {
            std::fprintf(stderr, "velko-assetgen: %s is not in the manifest\n", name.c_str());
            return 1;
        }
    }

    std::vector<std::pair<std::string, const paint::Canvas*>> done;
    const bool picturesWanted = !outDir.empty() || !pngDir.empty() || !sheetPath.empty();
    for (const auto& e : *manifest) {
        if (!picturesWanted) {
            break;  // the icons paint only the picture they are cut from
        }
        if (!only.empty() && !only.count(e.file)) {
            continue;
        }
        const paint::Canvas& c = (*studio)->picture(e.file);
        done.emplace_back(e.file, &c);
        if (!outDir.empty()) {
            const auto path = outDir / e.file;
            std::error_code ec;
            std::filesystem::create_directories(path.parent_path(), ec);
            const Status st = gfx::saveBmp24(path, c.toBitmap());
            if (!st) {
                std::fprintf(stderr, "velko-assetgen: %s\n", st.error().c_str());
                return 1;
            }
        }
    }
    for (const auto& [file, canvas] : done) {
        if (pngDir.empty()) {
            break;
        }
        std::error_code ec;
        std::filesystem::create_directories(pngDir, ec);
        const auto name = std::filesystem::path(file).stem().string() + ".png";
        const Status st = gfx::savePng(pngDir / name, canvas->toBitmap());
        if (!st) {
            std::fprintf(stderr, "velko-assetgen: %s\n", st.error().c_str());
            return 1;
        }
    }
    if (!iconDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(iconDir, ec);
        for (const int size : art::kIconSizes) {
            const gfx::Bitmap icon = art::paintIcon(**studio, size).toBitmap();
            const auto name = "velko01-" + std::to_string(size);
            Status st = gfx::savePng(iconDir / (name + ".png"), icon);
            if (st && size == 64) {
                st = gfx::saveBmp24(iconDir / (name + ".bmp"), icon);
            }
            if (!st) {
                std::fprintf(stderr, "velko-assetgen: %s\n", st.error().c_str());
                return 1;
            }
        }
    }
    if (!sheetPath.empty()) {
        const Status st = gfx::savePng(sheetPath, art::contactSheet(**studio, done));
        if (!st) {
            std::fprintf(stderr, "velko-assetgen: %s\n", st.error().c_str());
            return 1;
        }
    }
    return 0;
}
