#include "credits/staff_role.h"

#include <cstdlib>

#include "credits/saved_text.h"
#include "platform/gfx/raster.h"

namespace velko::credits {

namespace {

constexpr std::u16string_view kHeading = u"■ スタッフ ■";

// A 25-pixel bold gothic in one-bit glyphs: the strip is merged onto the scene bit by bit
// (NOT strip OR scene), which turns black text white and leaves the scene under the white
// ground untouched; grey glyph edges would come out as stray colours instead.
std::shared_ptr<const platform::Font> rollFont(platform::Host& host, platform::FontFace face) {
    platform::FontSpec request;
    request.face = face;
    request.emHeight = StaffRole::kTextHeight;
    request.bold = true;
    request.antialias = false;
    return host.fonts.open(request);
}

}  // namespace

StaffRole::StaffRole(platform::Host& host, std::string_view staffText, Warn warn)
    : host_(host), staffText_(staffText), warn_(std::move(warn)) {}

void StaffRole::AddStaffEntry(std::uint8_t index, std::u16string role, std::u16string name) {
    credits_.resize(static_cast<std::size_t>(index) + 1);
    credits_[index] = StaffEntry{std::move(role), std::move(name)};
    creditCount_ = static_cast<std::int16_t>(index + 1);
}

void StaffRole::BuildStaffList() {
    credits_.clear();
    creditCount_ = 0;
    StaffList list = parseStaffList(staffText_, "staff.txt");
    for (const auto& w : list.warnings) {
        if (warn_) {
            warn_(w);
        }
    }
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        auto& e = list.entries[i];
        AddStaffEntry(static_cast<std::uint8_t>(i), std::move(e.role), std::move(e.name));
    }
    // The first page is printed from the list before the roll starts: a short list is
    // padded with blank rows rather than read past its end.
    const int firstPage = kStaffHeight / kRowPitch - 2;
    if (creditCount_ < firstPage) {
        if (creditCount_ == 0 && warn_) {
            warn_("staff.txt: no staff entries; the roll shows its heading only");
        }
        AddStaffEntry(static_cast<std::uint8_t>(firstPage - 1), {}, {});
    }
}

void StaffRole::printEntry(int index, int top) {
    auto& staff = *picStaff_;
    const auto& e = credits_[static_cast<std::size_t>(index)];
    staff.currentY = top;
    staff.currentX = kRoleX;
    staff.print(e.role, false);
    staff.currentX = kNameX;
    staff.print(e.name, true);
}

// The heading in slot 0, slot 1 blank, then the first entries, one to a slot.
void StaffRole::printFirstPage(int rows) {
    auto& staff = *picStaff_;
    gfx::fillRect(staff.image(), staff.image().rect(), staff.backColor);
    staff.currentX = staff.width() / 2 - 100;
    staff.currentY = 0;
    staff.print(kHeading, true);
    for (int i = 0; i < rows; ++i) {
        printEntry(i, (i + 2) * kRowPitch);
    }
}

void StaffRole::mergeStrip(int dy, int sy, int h) {
    gfx::bitBlt(picMaster_->image(), x0_, dy, picStaff_->width(), h, picStaff_->constImage(), 0, sy,
                gfx::Rop::MergePaint);
}

void StaffRole::showMaster() {
    gfx::bitBlt(picDisp_->image(), 0, 0, picDisp_->width(), picDisp_->height(),
                picMaster_->constImage(), 0, 0, gfx::Rop::SrcCopy);
}

void StaffRole::playStaffRole() {
    if (!picDisp_ || !picMaster_ || !picStaff_) {
        return;
    }
    auto& master = *picMaster_;
    auto& staff = *picStaff_;
    host_.window.setEnabled(false);
    const SavedText savedMaster(master);
    const SavedText savedStaff(staff);

    staff.setHeight(kStaffHeight);
    staff.fontBold = true;
    staff.backColor = gfx::kWhite;
    staff.foreColor = gfx::kBlack;
    staff.fontSize = kTextHeight * 72.0 / 96.0;
    staff.fontTransparent = false;
    staff.selectFont(rollFont(host_, staff.fontFace));

    BuildStaffList();
    const int rows = kStaffHeight / kRowPitch - 2;
    printFirstPage(rows);
    x0_ = (picDisp_->width() - staff.width()) / 2 + 10;

    const int dispH = picDisp_->height();
    const int staffW = staff.width();
    const int lastIndex = kStaffHeight / kRowPitch + creditCount_ + 4;
    bool entering = true;
    bool finished = false;
    int y = dispH - kStep;  // entry: where the strip's top stands
    int readOffset = 0;
    int writeOffset = 0;
    int next = 0;
    while (!finished && !host_.quitting()) {
        const std::uint32_t t0 = host_.clock.tickCount();
        master.clear();
        if (entering) {
            // The first page rises from the bottom edge.
            mergeStrip(y, 0, dispH - y);
            showMaster();
            y -= kStep;
            if (y < 0) {
                entering = false;
                readOffset = kStep;
                writeOffset = 0;
                next = rows;
            }
        } else {
            // The ring from the read offset down, then from its start below that.
            const int upper = kStaffHeight - readOffset;
            mergeStrip(-kStep, readOffset, upper);
            const int lower = dispH - upper;
            if (lower > 0) {
                mergeStrip(upper - kStep, 0, lower);
            }
            showMaster();
            readOffset += kStep;
            if (readOffset >= kStaffHeight) {
                readOffset = 0;
            }
            // The slot at the write offset has left the top: it takes the next entry, and
            // comes in at the bottom next frame.
            if (std::abs(readOffset - writeOffset) >= kRowPitch) {
                gfx::fillRect(staff.image(), gfx::Rect{0, writeOffset, staffW + 1, kTextHeight},
                              gfx::kWhite);
                if (next < creditCount_) {
                    printEntry(next, writeOffset);
                }
                writeOffset += kRowPitch;
                if (writeOffset >= kStaffHeight) {
                    writeOffset = 0;
                }
                ++next;
                finished = next >= lastIndex;
            }
        }
        host_.doEvents();
        host_.pace(t0, kFrameMs);
    }

    savedMaster.restore(false, false);
    staff.deselectFont();
    savedStaff.restore(true, true);
    host_.doEvents();
    host_.window.setEnabled(true);
}

}  // namespace velko::credits
