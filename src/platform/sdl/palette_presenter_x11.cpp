#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>
#include <bit>
#include <utility>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/sdl/palette_presenter.h"

namespace velko::sdl {

namespace {

// The classic desktop's static colours first, so that the window's greys, its navy caption
// and the pure primaries stay exact.
constexpr std::array<std::uint32_t, 20> kStaticColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

constexpr int kLevels = 32;  // a 5-bit-per-channel table from colour to palette entry

class PalettePresenter final : public FramePresenter {
public:
    PalettePresenter(SDL_Window* window, Display* d, ::Window w, const XWindowAttributes& a)
        : window_(window), display_(d), xwindow_(w), map_(a.colormap) {
        gc_ = XCreateGC(d, w, 0, nullptr);
        // SDL picks a direct-colour visual (3 bits red, 3 green, 2 blue) where the server
        // offers one, its colour map full of ramps: every pixel value is a colour already.
        // A pseudo-colour map is filled with the palette instead.
        if (a.visual->c_class == PseudoColor || a.visual->c_class == GrayScale) {
            allocatePalette();
        } else {
            if (a.visual->c_class == DirectColor) {
                storeRamps(*a.visual);
            }
            readColourMap(a.depth);
        }
        buildTable();
        // With no window manager to do it, the colour map is installed here so that the
        // screen shows the window's colours.
        XInstallColormap(d, map_);
    }
    ~PalettePresenter() override {
        freeImage();
        if (allocated_ && !pixels_.empty()) {
            XFreeColors(display_, map_, pixels_.data(), static_cast<int>(pixels_.size()), 0);
        }
        XFreeGC(display_, gc_);
    }

    void outputSize(int& w, int& h) const override { SDL_GetWindowSizeInPixels(window_, &w, &h); }

    bool show(const gfx::Bitmap* frame, const Viewport& v) override {
        int w = 0;
        int h = 0;
        outputSize(w, h);
        if (w <= 0 || h <= 0 || !ensureImage(w, h)) {
            return false;
        }
        staging_.resize(static_cast<std::size_t>(w) * h);
        const gfx::Bitmap none;
        scaleInto(frame ? *frame : none, v, staging_.data(), w, h, w * 4);
        for (int y = 0; y < h; ++y) {
            const std::uint32_t* src = staging_.data() + static_cast<std::size_t>(y) * w;
            auto* dst = reinterpret_cast<std::uint8_t*>(image_->data) +
                        static_cast<std::size_t>(y) * image_->bytes_per_line;
            for (int x = 0; x < w; ++x) {
                const std::uint32_t p = src[x];
                dst[x] = table_[((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 |
                                ((p >> 3) & 0x1F)];
            }
        }
        XPutImage(display_, xwindow_, gc_, image_, 0, 0, 0, 0, static_cast<unsigned>(w),
                  static_cast<unsigned>(h));
        XFlush(display_);
        return true;
    }

    const char* name() const override { return "palette"; }

private:
    // SDL fills a direct-colour map with ramps whose lowest blue is not zero (no black at
    // all); each channel gets a straight ramp from 0 to full instead.
    void storeRamps(const Visual& v) {
        for (const auto& [mask, flag] : {std::pair{v.red_mask, DoRed},
                                         std::pair{v.green_mask, DoGreen},
                                         std::pair{v.blue_mask, DoBlue}}) {
            if (mask == 0) {
                continue;
            }
            const int shift = std::countr_zero(mask);
            const unsigned long levels = (mask >> shift) + 1;
            std::vector<XColor> cells(levels);
            for (unsigned long i = 0; i < levels; ++i) {
                const auto value =
                    static_cast<unsigned short>(levels > 1 ? i * 65535 / (levels - 1) : 0);
                cells[i].pixel = i << shift;
                cells[i].red = cells[i].green = cells[i].blue = value;
                cells[i].flags = static_cast<char>(flag);
            }
            XStoreColors(display_, map_, cells.data(), static_cast<int>(cells.size()));
        }
    }

    void readColourMap(int depth) {
        std::vector<XColor> cells(std::size_t{1} << depth);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cells[i].pixel = i;
        }
        XQueryColors(display_, map_, cells.data(), static_cast<int>(cells.size()));
        for (const XColor& c : cells) {
            pixels_.push_back(c.pixel);
            colours_.push_back(static_cast<std::uint32_t>(c.red >> 8) << 16 |
                               static_cast<std::uint32_t>(c.green >> 8) << 8 |
                               static_cast<std::uint32_t>(c.blue >> 8));
        }
    }

    void allocatePalette() {
        allocated_ = true;
        std::vector<std::uint32_t> wanted(kStaticColours.begin(), kStaticColours.end());
        for (int r = 0; r < 6; ++r) {
            for (int g = 0; g < 6; ++g) {
                for (int b = 0; b < 6; ++b) {
                    const std::uint32_t c = static_cast<std::uint32_t>(r * 51) << 16 |
                                            static_cast<std::uint32_t>(g * 51) << 8 |
                                            static_cast<std::uint32_t>(b * 51);
                    bool known = false;
                    for (const std::uint32_t k : kStaticColours) {
                        known = known || k == c;
                    }
                    if (!known) {
                        wanted.push_back(c);
                    }
                }
            }
        }
        for (const std::uint32_t c : wanted) {
            XColor x{};
            x.red = static_cast<unsigned short>(((c >> 16) & 0xFF) * 257);
            x.green = static_cast<unsigned short>(((c >> 8) & 0xFF) * 257);
            x.blue = static_cast<unsigned short>((c & 0xFF) * 257);
            x.flags = DoRed | DoGreen | DoBlue;
            // A full colour map gives what it can; the table then uses the rest.
            if (XAllocColor(display_, map_, &x)) {
                pixels_.push_back(x.pixel);
                colours_.push_back(static_cast<std::uint32_t>(x.red >> 8) << 16 |
                                   static_cast<std::uint32_t>(x.green >> 8) << 8 |
                                   static_cast<std::uint32_t>(x.blue >> 8));
            }
        }
    }

    // For every 5-bit colour, the nearest palette entry to the middle of its cell.
    void buildTable() {
        table_.assign(kLevels * kLevels * kLevels, 0);
        for (int r = 0; r < kLevels; ++r) {
            for (int g = 0; g < kLevels; ++g) {
                for (int b = 0; b < kLevels; ++b) {
                    const int cr = r * 8 + 4;
                    const int cg = g * 8 + 4;
                    const int cb = b * 8 + 4;
                    int best = std::numeric_limits<int>::max();
                    std::uint8_t pick = 0;
                    for (std::size_t i = 0; i < colours_.size(); ++i) {
                        const int dr = cr - static_cast<int>((colours_[i] >> 16) & 0xFF);
                        const int dg = cg - static_cast<int>((colours_[i] >> 8) & 0xFF);
                        const int db = cb - static_cast<int>(colours_[i] & 0xFF);
                        const int dist = dr * dr + dg * dg + db * db;
                        if (dist < best) {
                            best = dist;
                            pick = static_cast<std::uint8_t>(pixels_[i]);
                        }
                    }
                    table_[static_cast<std::size_t>(r << 10 | g << 5 | b)] = pick;
                }
            }
        }
    }

    bool ensureImage(int w, int h) {
        if (image_ && image_->width == w && image_->height == h) {
            return true;
        }
        freeImage();
        XWindowAttributes a{};
        XGetWindowAttributes(display_, xwindow_, &a);
        const int pitch = (w + 3) & ~3;
        data_.assign(static_cast<std::size_t>(pitch) * h, 0);
        image_ = XCreateImage(display_, a.visual, static_cast<unsigned>(a.depth), ZPixmap, 0,
                              data_.data(), static_cast<unsigned>(w), static_cast<unsigned>(h),
                              32, pitch);
        return image_ != nullptr;
    }

    void freeImage() {
        if (image_) {
            image_->data = nullptr;  // ours, not Xlib's
            XDestroyImage(image_);
            image_ = nullptr;
        }
    }

    SDL_Window* window_;
    Display* display_;
    ::Window xwindow_;
    Colormap map_;
    bool allocated_ = false;  // the palette's cells are ours to free
    GC gc_ = nullptr;
    std::vector<unsigned long> pixels_;
    std::vector<std::uint32_t> colours_;
    std::vector<std::uint8_t> table_;
    std::vector<std::uint32_t> staging_;
    std::vector<char> data_;
    XImage* image_ = nullptr;
};

}  // namespace

std::unique_ptr<FramePresenter> makePalettePresenter(SDL_Window* window, std::string& error) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        error = "not an X display";
        return nullptr;
    }
    Display* d = info.info.x11.display;
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, info.info.x11.window, &a) || a.depth > 8 || a.colormap == 0) {
        error = "not a 256-colour X display";
        return nullptr;
    }
    return std::make_unique<PalettePresenter>(window, d, info.info.x11.window, a);
}

}  // namespace velko::sdl
