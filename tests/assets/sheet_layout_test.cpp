// The button sheets hold an image in every rectangle the menus copy from, and nothing
// anywhere else: the title menu's fixed layout and every ZB line of the shipped scenario.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "art_test_support.h"

namespace velko::art {
namespace {

using gfx::Bitmap;
using gfx::Rect;

bool uniform(const Bitmap& b, const Rect& r) {
    const gfx::Pixel first = b.at(r.x, r.y);
    for (int y = r.y; y < r.bottom(); ++y) {
        for (int x = r.x; x < r.right(); ++x) {
            if (b.at(x, y) != first) {
                return false;
            }
        }
    }
    return true;
}

bool same(const Bitmap& b, const Rect& r1, const Rect& r2) {
    for (int y = 0; y < r1.h; ++y) {
        for (int x = 0; x < r1.w; ++x) {
            if (b.at(r1.x + x, r1.y + y) != b.at(r2.x + x, r2.y + y)) {
                return false;
            }
        }
    }
    return true;
}

// Every image rectangle lies inside the sheet and is a picture, hover differs from normal,
// and every pixel outside the rectangles is the sheet's plain ground (so the one-pixel gaps
// between images are really there).
void checkSheet(const Bitmap& sheet, const std::vector<std::pair<Rect, Rect>>& buttons,
                const std::vector<Rect>& others, const std::string& name) {
    std::vector<Rect> all = others;
    for (const auto& [normal, hover] : buttons) {
        all.push_back(normal);
        all.push_back(hover);
        EXPECT_FALSE(same(sheet, normal, hover))
            << name << ": hover looks like normal at " << normal.x << "," << normal.y;
    }
    for (const Rect& r : all) {
        ASSERT_TRUE(sheet.rect().intersected(r) == r)
            << name << ": " << r.x << "," << r.y << " outside the sheet";
        EXPECT_FALSE(uniform(sheet, r)) << name << ": empty image at " << r.x << "," << r.y;
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            EXPECT_TRUE(all[i].intersected(all[j]).empty()) << name << ": images overlap";
        }
    }
    const gfx::Pixel ground = sheet.at(sheet.width() - 1, sheet.height() - 1);
    int stray = 0;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            bool inside = false;
            for (const Rect& r : all) {
                inside = inside || r.contains(x, y);
            }
            if (!inside && sheet.at(x, y) != ground) {
                ++stray;
            }
        }
    }
    EXPECT_EQ(stray, 0) << name << ": pixels outside the images";
}

// ZT/ZB lines of the scenario, grouped by the sheet they name.
std::map<std::string, std::vector<std::pair<Rect, Rect>>> scenarioButtons() {
    std::map<std::string, std::vector<std::pair<Rect, Rect>>> out;
    std::ifstream in(VELKO_SCENARIO_FILE);
    EXPECT_TRUE(in.good()) << VELKO_SCENARIO_FILE;
    std::string line;
    std::string sheet;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        std::string cmd = line.substr(tab + 1);
        if (!cmd.empty() && cmd.back() == '\r') {
            cmd.pop_back();
        }
        if (cmd.rfind("ZT ", 0) == 0) {
            sheet = cmd.substr(3);
        } else if (cmd.rfind("ZB ", 0) == 0) {
            std::vector<int> v;
            std::istringstream fields(cmd.substr(3));
            std::string item;
            while (std::getline(fields, item, ',')) {
                v.push_back(std::stoi(item));
            }
            if (v.size() >= 13) {
                // Screen, normal and hover areas are the same size in the shipped scenario.
                EXPECT_EQ(v[2] - v[0], v[6] - v[4]);
                EXPECT_EQ(v[3] - v[1], v[7] - v[5]);
                EXPECT_EQ(v[2] - v[0], v[10] - v[8]);
                out[sheet].push_back({Rect{v[4], v[5], v[6] - v[4], v[7] - v[5]},
                                      Rect{v[8], v[9], v[10] - v[8], v[11] - v[9]}});
            }
        }
    }
    return out;
}

TEST(ButtonSheets, TitleMenuSheetHoldsButtonsAndFourPreviews) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    const Bitmap sheet = testing::paintAndDecode(*studio, "BMP/button01.bmp");
    ASSERT_GE(sheet.width(), 563);
    ASSERT_GE(sheet.height(), 343);
    std::vector<std::pair<Rect, Rect>> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons.push_back({Rect{0, 51 * i, 200, 50}, Rect{201, 51 * i, 200, 50}});
    }
    std::vector<Rect> previews;
    for (int k = 0; k < 4; ++k) {
        previews.push_back(Rect{141 * k, 153, 140, 190});
    }
    checkSheet(sheet, buttons, previews, "button01.bmp");
    // The four previews are four different pictures.
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            EXPECT_FALSE(same(sheet, previews[a], previews[b]));
        }
    }
}

TEST(ButtonSheets, EveryScenarioButtonFindsItsImages) {
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    const auto sheets = scenarioButtons();
    ASSERT_EQ(sheets.size(), 2u);  // button02.bmp and button03.bmp
    for (const auto& [name, listed] : sheets) {
        // Pages repeat the same two buttons; each rectangle pair counts once.
        std::vector<std::pair<Rect, Rect>> unique;
        for (const auto& b : listed) {
            bool seen = false;
            for (const auto& u : unique) {
                seen = seen || (u.first == b.first && u.second == b.second);
            }
            if (!seen) {
                unique.push_back(b);
            }
        }
        const Bitmap sheet = testing::paintAndDecode(*studio, "BMP/" + name);
        checkSheet(sheet, unique, {}, name);
    }
}

TEST(ButtonSheets, ButtonsMatchTheBackgroundAroundThem) {
    // A button is painted over the piece of background it covers: its corners (outside the
    // rounded plate, touched at most by a faint shadow) are the background's own colours, so
    // no seam shows around it.
    auto studio = testing::openStudio();
    ASSERT_TRUE(studio);
    const Bitmap sheet = testing::paintAndDecode(*studio, "BMP/button01.bmp");
    const Bitmap title = testing::paintAndDecode(*studio, "BMP/title.bmp");
    auto close = [](gfx::Pixel a, gfx::Pixel b) {
        return std::abs(gfx::red(a) - gfx::red(b)) <= 12 &&
               std::abs(gfx::green(a) - gfx::green(b)) <= 12 &&
               std::abs(gfx::blue(a) - gfx::blue(b)) <= 12;
    };
    for (int i = 0; i < 3; ++i) {
        for (const auto& [sx, sy] :
             {std::pair{0, 0}, std::pair{199, 0}, std::pair{0, 49}, std::pair{199, 49}}) {
            EXPECT_TRUE(close(sheet.at(sx, 51 * i + sy), title.at(400 + sx, 230 + 70 * i + sy)))
                << "button " << i << " corner " << sx << "," << sy;
            EXPECT_TRUE(
                close(sheet.at(201 + sx, 51 * i + sy), title.at(400 + sx, 230 + 70 * i + sy)));
        }
    }
}

}  // namespace
}  // namespace velko::art
