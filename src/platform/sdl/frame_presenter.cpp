#include "platform/sdl/frame_presenter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace velko::sdl {

void scaleInto(const gfx::Bitmap& frame, const Viewport& v, std::uint32_t* dst, int dstW, int dstH,
               int pitch) {
    const auto rowAt = [&](int y) {
        return reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(dst) +
                                                static_cast<std::ptrdiff_t>(y) * pitch);
    };
    const int s = std::max(1, v.scale);
    const int x0 = std::max(0, v.x);
    const int x1 = std::min(dstW, v.x + frame.width() * s);
    const int y0 = std::max(0, v.y);
    const int y1 = std::min(dstH, v.y + frame.height() * s);
    for (int y = 0; y < dstH; ++y) {
        std::uint32_t* out = rowAt(y);
        if (y < y0 || y >= y1 || x0 >= x1) {
            std::fill(out, out + dstW, 0u);
            continue;
        }
        std::fill(out, out + x0, 0u);
        std::fill(out + x1, out + dstW, 0u);
        // Each source row is expanded once; the other rows of its band are copies of it.
        const int srcY = (y - v.y) / s;
        if (y > y0 && (y - v.y) % s != 0) {
            std::memcpy(out + x0, rowAt(y - 1) + x0, static_cast<std::size_t>(x1 - x0) * 4);
            continue;
        }
        const gfx::Pixel* src = frame.row(srcY).data();
        if (s == 1) {
            std::memcpy(out + x0, src + (x0 - v.x), static_cast<std::size_t>(x1 - x0) * 4);
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            out[x] = src[(x - v.x) / s];
        }
    }
}

namespace {

// The window's own surface. On an X display it is a shared-memory image of the window;
// with SDL_FRAMEBUFFER_ACCELERATION off SDL does not slip a GL texture behind it.
class SurfacePresenter final : public FramePresenter {
public:
    explicit SurfacePresenter(SDL_Window* window) : window_(window) {}
    ~SurfacePresenter() override {
        if (staging_) {
            SDL_FreeSurface(staging_);
        }
    }

    void outputSize(int& w, int& h) const override { SDL_GetWindowSizeInPixels(window_, &w, &h); }

    bool show(const gfx::Bitmap* frame, const Viewport& v) override {
        SDL_Surface* surface = SDL_GetWindowSurface(window_);
        if (!surface) {
            return false;
        }
        const gfx::Bitmap none;
        const gfx::Bitmap& f = frame ? *frame : none;
        if (surface->format->format == SDL_PIXELFORMAT_RGB888 ||
            surface->format->format == SDL_PIXELFORMAT_ARGB8888) {
            // The frame's 0x00RRGGBB pixels are the surface's own layout: one pass, no
            // conversion.
            if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
                return false;
            }
            scaleInto(f, v, static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h,
                      surface->pitch);
            if (SDL_MUSTLOCK(surface)) {
                SDL_UnlockSurface(surface);
            }
        } else if (!convertInto(f, v, surface)) {
            return false;
        }
        return SDL_UpdateWindowSurface(window_) == 0;
    }

    const char* name() const override { return "surface"; }

private:
    // Any other display format (16 bits, a 256-colour palette...): scaled into a staging
    // surface of our layout, then converted by SDL's blitter.
    bool convertInto(const gfx::Bitmap& f, const Viewport& v, SDL_Surface* surface) {
        if (!staging_ || staging_->w != surface->w || staging_->h != surface->h) {
            if (staging_) {
                SDL_FreeSurface(staging_);
            }
            staging_ = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32,
                                                      SDL_PIXELFORMAT_RGB888);
            if (!staging_) {
                return false;
            }
            SDL_SetSurfaceBlendMode(staging_, SDL_BLENDMODE_NONE);
        }
        scaleInto(f, v, static_cast<std::uint32_t*>(staging_->pixels), staging_->w, staging_->h,
                  staging_->pitch);
        return SDL_BlitSurface(staging_, nullptr, surface, nullptr) == 0;
    }

    SDL_Window* window_;
    SDL_Surface* staging_ = nullptr;
};

class RendererPresenter final : public FramePresenter {
public:
    RendererPresenter(SDL_Renderer* renderer, const char* name) : renderer_(renderer), name_(name) {}
    ~RendererPresenter() override {
        if (texture_) {
            SDL_DestroyTexture(texture_);
        }
        SDL_DestroyRenderer(renderer_);
    }

    void outputSize(int& w, int& h) const override { SDL_GetRendererOutputSize(renderer_, &w, &h); }

    bool show(const gfx::Bitmap* frame, const Viewport& v) override {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        if (frame && !frame->empty() && upload(*frame)) {
            const SDL_Rect dst{v.x, v.y, v.w, v.h};
            SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
        }
        SDL_RenderPresent(renderer_);
        return true;
    }

    const char* name() const override { return name_; }

private:
    bool upload(const gfx::Bitmap& frame) {
        if (!texture_ || textureW_ != frame.width() || textureH_ != frame.height()) {
            if (texture_) {
                SDL_DestroyTexture(texture_);
            }
            // 0x00RRGGBB pixels are exactly SDL's RGB888 (XRGB) layout.
            texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888,
                                         SDL_TEXTUREACCESS_STREAMING, frame.width(),
                                         frame.height());
            if (!texture_) {
                return false;
            }
            SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
            textureW_ = frame.width();
            textureH_ = frame.height();
        }
        return SDL_UpdateTexture(texture_, nullptr, frame.pixels().data(),
                                 frame.width() * static_cast<int>(sizeof(gfx::Pixel))) == 0;
    }

    SDL_Renderer* renderer_;
    const char* name_;
    SDL_Texture* texture_ = nullptr;
    int textureW_ = 0;
    int textureH_ = 0;
};

}  // namespace

PresenterKind presenterKindFromEnvironment(std::string& problem) {
    const char* v = std::getenv("VELKO_RENDERER");
    const std::string want = v ? v : "";
    if (want.empty() || want == "surface") {
        return PresenterKind::Surface;
    }
    if (want == "software") {
        return PresenterKind::SoftwareRenderer;
    }
    if (want == "gl" || want == "accelerated") {
        return PresenterKind::AcceleratedRenderer;
    }
    problem = "VELKO_RENDERER=" + want + " is not one of surface, software, gl; using surface";
    return PresenterKind::Surface;
}

std::unique_ptr<FramePresenter> makeSurfacePresenter(SDL_Window* window, std::string& error) {
    if (!SDL_GetWindowSurface(window)) {
        error = SDL_GetError();
        return nullptr;
    }
    return std::make_unique<SurfacePresenter>(window);
}

std::unique_ptr<FramePresenter> makeRendererPresenter(SDL_Window* window, bool accelerated,
                                                      std::string& error) {
    SDL_Renderer* r =
        SDL_CreateRenderer(window, -1, accelerated ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE);
    if (!r) {
        error = SDL_GetError();
        return nullptr;
    }
    return std::make_unique<RendererPresenter>(r, accelerated ? "gl" : "software");
}

}  // namespace velko::sdl
