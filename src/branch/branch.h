#pragma once

// The text question: two answers printed under the question in the message band, the one
// under the pointer in white, the other in silver. A left press on an answer hands its line
// and its points to the interpreter (SetLineNumber, then BranchSelect), which releases this
// object from inside the press; the object then lives on until the press handler returns.
//
// The question listens to the screen's mouse, key and repaint events itself; the keys move a
// focus between the answers, shown in the same white (see menus::KeyFocus).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "menus/key_focus.h"
#include "script/arguments.h"
#include "platform/fonts.h"
#include "platform/gfx/bitmap.h"
#include "platform/surface.h"

namespace velko::branch {

class Branch final : public platform::SurfaceListener, public std::enable_shared_from_this<Branch> {
public:
    using SetLineNumber = std::function<void(std::int16_t line)>;
    using BranchSelect = std::function<void(std::int16_t points)>;

    static constexpr gfx::Pixel kNormal = 0xC0C0C0;  // silver
    static constexpr gfx::Pixel kHover = 0xFFFFFF;   // white
    static constexpr int kTextLeft = 50;
    static constexpr int kZoneLeft = 40;
    static constexpr int kZoneRight = 600;

    Branch(SetLineNumber setLineNumber, BranchSelect branchSelect);
    ~Branch() override;
    Branch(const Branch&) = delete;
    Branch& operator=(const Branch&) = delete;

    // Takes the surface, subscribes to its events, selects the answer font into it and
    // places the two rows and the answer zone by the height of that font.
    void setPictureBox(platform::Surface& objPicture);
    // The whole command line, opcode included.
    void setCommand(std::u16string_view strComm);
    // Cuts the two answers from the command and prints both in silver. A command that is
    // not a question prints nothing and leaves the object deaf, with the reason.
    Status subBranchDisp();

    // Layout, for the caller and the tests.
    int row1() const { return row1_; }
    int row2() const { return row2_; }
    int zoneHeight() const { return zoneHeight_; }
    // 0 none, 1 answer 1, 2 answer 2.
    int hoverState() const { return hover_; }
    bool answered() const { return answered_; }
    // The answer under a pointer position: 0, 1 or 2.
    int answerAt(double x, double y) const;

private:
    void onMouseDown(const platform::MouseEvent& e) override;
    void onMouseMove(const platform::MouseEvent& e) override;
    void onPaint() override;
    bool onKey(const std::string& key, int shift) override;

    void choose(int which);
    void printAnswer(int which, gfx::Pixel color);
    void printBoth(int highlighted);
    bool listening() const { return mpicDisp_ && question_ && !answered_; }

    SetLineNumber setLineNumber_;
    BranchSelect branchSelect_;
    platform::Surface* mpicDisp_ = nullptr;
    std::u16string command_;
    std::optional<script::Question> question_;  // views into command_
    std::shared_ptr<const platform::Font> answerFont_;
    int row1_ = 0;
    int row2_ = 0;
    int zoneHeight_ = 0;
    int hover_ = 0;
    bool answered_ = false;
    menus::KeyFocus focus_;
};

}  // namespace velko::branch
