#pragma once

// The closing credits: white rows of roles and names that scroll up over the scene, two
// pixels a frame, until the last name has left the screen (playStaffRole); and the "The End"
// caption that fades in from black (playLogo).
//
// Three surfaces are lent to it: the screen, the master (its base picture is the scene that
// stays behind the credits; every frame is composed there) and the staff strip, which holds
// the printed rows as a ring of 30-pixel slots, each refilled with the next entry once it
// has scrolled off the top. Both plays keep the window disabled, so the reader can neither
// skip nor interrupt them, and give back every drawing property they changed.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "credits/staff_list.h"
#include "platform/host/host.h"
#include "platform/surface.h"

namespace velko::credits {

class StaffRole {
public:
    using Warn = std::function<void(const std::string& message)>;

    static constexpr std::uint32_t kFrameMs = 20;  // both plays, per frame
    static constexpr int kRowPitch = 30;           // a 25-pixel text row and 5 of space
    static constexpr int kTextHeight = 25;
    static constexpr int kStaffHeight = 510;  // 17 slots
    static constexpr int kRoleX = 100;
    static constexpr int kNameX = 275;
    static constexpr int kStep = 2;  // pixels the roll rises a frame
    static constexpr double kCaptionPoints = 24;

    // `staffText` is a staff list (see staff_list.h); `warn` hears about lines of it that
    // cannot be used.
    explicit StaffRole(platform::Host& host, std::string_view staffText = builtinStaffText(),
                       Warn warn = {});

    void setPicDisp(platform::Surface& picD) { picDisp_ = &picD; }
    void setPicMaster(platform::Surface& picD) { picMaster_ = &picD; }
    void setPicStaff(platform::Surface& picD) { picStaff_ = &picD; }

    // Runs the whole roll; returns when the scene is bare again.
    void playStaffRole();
    // Cuts to black and fades the caption in; returns when it is fully shown, and the
    // screen keeps it.
    void playLogo();

    // The list of the last roll (blank rows included), for those who check it.
    const std::vector<StaffEntry>& credits() const { return credits_; }

private:
    void AddStaffEntry(std::uint8_t index, std::u16string role, std::u16string name);
    void BuildStaffList();

    // Prints entry `index` into the staff strip with the top of its text at `top`.
    void printEntry(int index, int top);
    void printFirstPage(int rows);
    // The master, cleared to the scene, with `h` strip rows from `sy` merged in at y `dy`.
    void mergeStrip(int dy, int sy, int h);
    void showMaster();

    platform::Host& host_;
    std::string staffText_;
    Warn warn_;
    platform::Surface* picDisp_ = nullptr;
    platform::Surface* picMaster_ = nullptr;
    platform::Surface* picStaff_ = nullptr;
    std::vector<StaffEntry> credits_;
    std::int16_t creditCount_ = 0;
    int x0_ = 0;  // where the strip's left edge falls on the master
};

}  // namespace velko::credits
