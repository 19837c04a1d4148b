#include "branch/branch.h"

#include <cmath>

#include "script/opcode.h"
#include "platform/input.h"

namespace velko::branch {

namespace {

// The rows sit under the question: the first answer two text heights below the top of the
// text area, the second one height further; the zone covers both rows.
constexpr double kTextTop = 370;

int nearest(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

Branch::Branch(SetLineNumber setLineNumber, BranchSelect branchSelect)
    : setLineNumber_(std::move(setLineNumber)), branchSelect_(std::move(branchSelect)) {}

Branch::~Branch() {
    if (!mpicDisp_) {
        return;
    }
    mpicDisp_->unsubscribe(this);
    // Give the surface its own font back rather than leave ours selected into it.
    if (answerFont_ && mpicDisp_->currentFont() == answerFont_) {
        mpicDisp_->deselectFont();
    }
}

void Branch::setPictureBox(platform::Surface& objPicture) {
    if (mpicDisp_) {
        mpicDisp_->unsubscribe(this);
    }
    mpicDisp_ = &objPicture;
    mpicDisp_->subscribe(this);
    mpicDisp_->foreColor = kNormal;
    mpicDisp_->fontBold = true;

    // The surface's current font, changed to a 19-pixel cell with 22-pixel full-width
    // characters in bold. Fixed pitch asks for the gothic face. One-bit glyphs: a hover
    // change prints the same text over itself, which grey edges would thicken.
    const auto current = mpicDisp_->currentFont();
    platform::FontSpec request = current ? current->request() : platform::FontSpec{};
    request.face = platform::FontFace::Gothic;
    request.emHeight = 19;
    request.emWidth = 22;
    request.bold = true;
    request.antialias = false;
    if (answerFont_ && mpicDisp_->currentFont() == answerFont_) {
        mpicDisp_->deselectFont();
    }
    answerFont_.reset();
    if (auto* fonts = mpicDisp_->fonts()) {
        answerFont_ = fonts->open(request);
        mpicDisp_->selectFont(answerFont_);
    }

    const double th = mpicDisp_->textHeight(u"あ");
    row1_ = nearest(2 * th + kTextTop);
    row2_ = nearest(3 * th + kTextTop);
    zoneHeight_ = nearest(2 * th);
}

void Branch::setCommand(std::u16string_view strComm) {
    question_.reset();
    command_ = strComm;
}

Status Branch::subBranchDisp() {
    auto parsed = script::parseQuestion(script::argumentOf(command_));
    if (!parsed) {
        question_.reset();
        return makeError(parsed.error());
    }
    question_ = *parsed;
    printBoth(0);
    return Ok{};
}

int Branch::answerAt(double x, double y) const {
    if (!(x > kZoneLeft && x < kZoneRight)) {
        return 0;
    }
    const double top = row1_;
    const double middle = top + zoneHeight_ / 2.0;
    if (y > top && y < middle) {
        return 1;
    }
    if (y > middle && y < top + zoneHeight_) {
        return 2;
    }
    return 0;
}

void Branch::printAnswer(int which, gfx::Pixel color) {
    mpicDisp_->foreColor = color;
    mpicDisp_->currentX = kTextLeft;
    mpicDisp_->currentY = which == 1 ? row1_ : row2_;
    mpicDisp_->print(which == 1 ? question_->first.text : question_->second.text);
}

void Branch::printBoth(int highlighted) {
    if (!mpicDisp_ || !question_) {
        return;
    }
    printAnswer(1, highlighted == 1 ? kHover : kNormal);
    printAnswer(2, highlighted == 2 ? kHover : kNormal);
}

void Branch::onMouseMove(const platform::MouseEvent& e) {
    if (!listening()) {
        return;
    }
    const int under = answerAt(e.x, e.y);
    if (focus_.shown()) {
        // The pointer takes over from the keys: the focus goes, the pointer's answer shows.
        focus_.hide();
        hover_ = under;
        printBoth(under);
    } else if (under != hover_) {
        hover_ = under;
        printBoth(under);
    }
}

void Branch::onPaint() {
    // The hover state stays: the highlight comes back only when the pointer changes zone.
    if (listening()) {
        printBoth(focus_.index() + 1);
    }
}

bool Branch::onKey(const std::string& key, int shift) {
    if (!listening()) {
        return false;
    }
    const auto outcome = focus_.key(key, shift, 2);
    if (outcome == menus::KeyFocus::Outcome::Chosen) {
        choose(focus_.index() + 1);
    } else if (outcome == menus::KeyFocus::Outcome::Moved) {
        printBoth(focus_.index() + 1);
    }
    return outcome != menus::KeyFocus::Outcome::Ignored;
}

void Branch::onMouseDown(const platform::MouseEvent& e) {
    if (!listening() || e.button != platform::kLeftButton) {
        return;
    }
    const int under = answerAt(e.x, e.y);
    if (under != 0) {
        choose(under);
    }
}

void Branch::choose(int which) {
    answered_ = true;
    const script::Choice& choice = which == 1 ? question_->first : question_->second;
    // BranchSelect releases this object and runs the script on before it returns.
    const auto self = weak_from_this().lock();
    setLineNumber_(static_cast<std::int16_t>(choice.target));
    branchSelect_(choice.points);
}

}  // namespace velko::branch
