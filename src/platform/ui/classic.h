#pragma once

// The classic grey desktop look: system colours, bevelled edges, push buttons, etched
// (disabled) text and the dotted focus rectangle. Everything clips to the target bitmap.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"

namespace velko::ui::classic {

constexpr gfx::Pixel kFace = 0xC0C0C0;
constexpr gfx::Pixel kLight = 0xDFDFDF;
constexpr gfx::Pixel kHighlight = 0xFFFFFF;
constexpr gfx::Pixel kShadow = 0x808080;
constexpr gfx::Pixel kDarkShadow = 0x000000;
constexpr gfx::Pixel kText = 0x000000;
constexpr gfx::Pixel kGrayText = 0x808080;
constexpr gfx::Pixel kSelection = 0x000080;
constexpr gfx::Pixel kSelectionText = 0xFFFFFF;
constexpr gfx::Pixel kCaptionLeft = 0x000080;
constexpr gfx::Pixel kCaptionRight = 0x1084D0;
constexpr gfx::Pixel kCaptionText = 0xFFFFFF;

// The user-interface font: the proportional gothic at 12 pixels, one-bit so that small
// Japanese stays sharp on the grey face.
std::shared_ptr<const platform::Font> uiFont(platform::FontLibrary& fonts, bool bold = false);

void hline(gfx::Bitmap& dst, int x, int y, int w, gfx::Pixel color);
void vline(gfx::Bitmap& dst, int x, int y, int h, gfx::Pixel color);

// A one-pixel bevel just inside `r`: top and left in one colour, bottom and right in the other.
void bevel(gfx::Bitmap& dst, const gfx::Rect& r, gfx::Pixel topLeft, gfx::Pixel bottomRight);

// The two-pixel raised edge of a window or popup menu, drawn inside `r`.
void raisedWindowEdge(gfx::Bitmap& dst, const gfx::Rect& r);

enum class ButtonState { Normal, Pressed };
// A push button over `r`. `isDefault` adds the dark frame of the button that Enter presses.
void pushButton(gfx::Bitmap& dst, const gfx::Rect& r, ButtonState state, bool isDefault);

// The dotted rectangle of the keyboard focus, every other pixel, inside `r`.
void focusRect(gfx::Bitmap& dst, const gfx::Rect& r);

// A horizontal two-colour gradient (the active caption).
void gradient(gfx::Bitmap& dst, const gfx::Rect& r, gfx::Pixel left, gfx::Pixel right);

// A dialog's chrome: a raised edge and a pixel of face around the caption bar and the client.
constexpr int kDialogFrame = 3;
constexpr int kCaptionHeight = 18;
constexpr int kCloseBoxWidth = 16;
constexpr int kCloseBoxHeight = 14;

// Where the close box of a dialog whose outer rectangle is `box` sits.
gfx::Rect closeBoxRect(const gfx::Rect& box);

// The whole chrome of a dialog over `box`: face, raised edge, caption bar with its title and
// the close box.
void dialogFrame(gfx::Bitmap& dst, const gfx::Rect& box, const platform::Font* font,
                 std::u16string_view title, bool closeBoxSunken);

// The caption bar of a dialog: the active gradient and its title, clipped short of the
// close box that sits at its right end (`closeBoxWidth` wide).
void captionBar(gfx::Bitmap& dst, const gfx::Rect& r, const platform::Font* font,
                std::u16string_view title, int closeBoxWidth);

// The small close box of a caption bar, its cross shifted by a pixel while held down.
void closeBox(gfx::Bitmap& dst, const gfx::Rect& r, bool sunken);

// Text of a disabled item: white one pixel down and right, grey over it.
void etchedText(gfx::Bitmap& dst, const platform::Font& font, int x, int y,
                std::u16string_view text, const gfx::Rect& clip);

// Splits at CR LF, LF or CR.
std::vector<std::u16string_view> splitLines(std::u16string_view text);

}  // namespace velko::ui::classic
