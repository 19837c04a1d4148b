#pragma once

// The scenario engine: start-up (Main), the interpreter (RunScript) with its command
// handlers and re-entry points, the title flow and the end of the program, over the state
// that all of them share (line counter, points, busy flag, the presentation objects).
//
// There is no loop of the engine's own: RunScript executes lines until one waits, then
// returns, and the program lives on window events until a click, a button or a title entry
// calls it again.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "engine/frm_main.h"
#include "engine/game_folder.h"
#include "engine/product.h"
#include "message/history_view.h"
#include "platform/host/host.h"
#include "platform/input.h"
#include "platform/ui/message_box.h"
#include "script/opcode.h"
#include "script/script.h"
#include "store/kept_files.h"

namespace velko::branch {
class Branch;
}
namespace velko::effects {
class CrossHatch;
}
namespace velko::menus {
class Menu;
class StartMenu;
}  // namespace velko::menus
namespace velko::message {
class MessageDisp;
}
namespace velko::sound {
class SoundMci;
}
namespace velko::store {
class Store;
}

namespace velko::engine {

class KeptState;

class Engine {
public:
    Engine(platform::Host& host, const script::Script& script, GameFolder folder, Product product);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Step 1 of Main: true when another instance already runs (the program then ends at
    // once, silently). The headless runner never has one.
    std::function<bool()> anotherInstanceRunning = [] { return false; };
    // The name that starts the program's messages on the standard error.
    std::string programName = "velko01";
    // Where the interpreter starts: line 1, or an author's scene (for trying one scene).
    int firstLine = script::kFirstLineNumber;
    // Script errors met so far, for the exit status of an author's run.
    int scriptErrors() const { return scriptErrors_; }

    // Start-up, up to the interpreter's first stop.
    void Main();
    // Main, then the program's life on window events until it ends (or the headless input
    // is used up).
    void run();

    // Where the settings, the lines read and the place to resume are kept between runs; set
    // before Main. Without one they live in memory for this run only, and no place is
    // remembered.
    void setStore(store::Store& store) { store_ = &store; }
    // The scenario's identity, which names its kept files.
    const std::string& identity() const { return identity_; }
    // The program has ended (window closed, ED, the title's exit entry, a fatal error).
    bool ended() const { return ended_; }

    // The interpreter and its re-entry points.
    void RunScript();
    void SetLineNumber(std::int16_t n) { intLineNumber = n; }
    void MenuJump(std::int16_t n);
    void BranchSelect(std::int16_t points);
    void TitleSelect(std::int16_t mode);
    void EndEngine();
    void ShowTitle();

    // The window is closed (or "No" in the end question, or the title's exit entry): the
    // close request runs EndEngine and the program ends.
    void unloadMainWindow();
    // The close request's own work.
    void closeRequested();
    // The program is about to end without unwinding (a signal): what is kept between runs
    // (the lines read, the place in the story) is written now.
    void keepBeforeEnding();

    // True while a RunScript call is on the stack.
    bool interpreterRunning() const { return depth_ > 0; }

    // Shared state.
    std::int16_t intLineNumber = 0;
    bool blnBusy = false;
    std::int16_t intPoint = 0;

    FrmMain& frmMain() { return *frmMain_; }
    const Product& product() const { return product_; }
    platform::Host& host() { return host_; }

    // A message box, with its text and answer in the trace. Nothing when the run ends
    // while it is open.
    std::optional<platform::DialogAnswer> ask(const ui::MessageBoxSpec& request);

    // A warning for the reader's log and the trace (a missing picture, a broken file).
    void warn(const std::string& message);

    // The reader's keys beyond reading on: the list of every key (F1) and the text history
    // (wheel up, Page Up, Up). Each does nothing where it is not available.
    void showKeyHelp();
    void openHistory();
    // A text line has been shown and waits for its click, with nothing else going on.
    bool historyAvailable() const;
    // The reader's keys. Seen before anything else, even during fades and boxes: the volume
    // keys (taken, true) and Ctrl held for skipping.
    bool watchKey(const platform::InputEvent& event);
    // Keys that reach the screen like clicks do: Tab (skip on or off) and A (auto reading).
    void readerKey(const std::string& key, int shift);

private:
    // Runs one line; sets `stop` when the loop must return. An error is a script error of
    // this line.
    Status execute(script::Opcode op, std::u16string_view line, bool& stop);

    Status pictureCommand(script::Opcode op, std::u16string_view line);
    Status messageLine(std::u16string_view text);
    // Brings a text into display form, traces it and reveals it in the message window.
    void printMessage(std::u16string_view text);
    Status soundCommand(script::Opcode op, std::u16string_view line);
    Status flowCommand(script::Opcode op, std::u16string_view line, bool& stop);
    Status choiceCommand(script::Opcode op, std::u16string_view line, bool& stop);
    Status questionCommand(std::u16string_view line, bool& stop);
    Status endingCommand(script::Opcode op, std::u16string_view line, bool& stop);

    // Loads a picture file from BMP/ into a surface; a missing or broken file gives a
    // warning and a black picture.
    void loadPicture(platform::Surface& surface, std::u16string_view name);
    // Reads a button sheet from BMP/ for the title menu and the button screens.
    Result<gfx::Bitmap> loadSheet(std::u16string_view name) const;

    // Reports a script error, then builds the title screen (when it has been shown before
    // and its assets exist) or ends the program. Every running RunScript returns.
    void scriptError(int line, const std::string& message);
    bool titleAssetsExist() const;

    void endProgram();

    // Reading aids (reading_aids.cpp): skip, auto and the volumes.
    bool skipOn() const;
    // Called as a text line starts: true when skip passes over it (it was read before). An
    // unread line ends skipping.
    bool skipThisLine();
    // Skip ends at a question, a button screen, the title and the staff roll.
    void stopSkip();
    void updateSkip();
    void setAuto(bool on);
    // After a text line is complete: marks it read, then goes on at once while skipping, or
    // after a pause that grows with the text while reading automatically.
    void afterText(bool skipped);
    void armAuto();
    void cancelAuto();
    // Reads on as a click would, when the interpreter waits at a text line and nothing covers
    // the screen.
    void readOnIfWaiting();
    void changeVolume(int step);
    void toggleMute();
    void applyVolumes();
    void showMark();

    // Resume (resume.cpp): the scene as the script built it, remembered at each text.
    void enterStory();
    void noteText();
    void leaveStory();
    void endStory();
    // At the title's first entry: true when the story went on at the remembered place (or the
    // program ended in the box).
    bool offerResume();
    // Why a remembered place cannot be shown again; empty when it can.
    std::string placeProblem(const store::ResumePlace& place) const;
    void resumeAt(const store::ResumePlace& place);
    // Every change of the points goes through here, for the trace.
    void setPoints(std::int16_t points);
    std::u16string appTitle() const;

    platform::Host& host_;
    const script::Script& script_;
    GameFolder folder_;
    Product product_;
    std::unique_ptr<FrmMain> frmMain_;

    std::shared_ptr<effects::CrossHatch> objCrossHatch;
    std::shared_ptr<message::MessageDisp> objMessageDisp;
    std::shared_ptr<sound::SoundMci> objSoundMci;
    // While the title menu is shown. Declared after frmMain_ so that it leaves the screen's
    // listeners before the screen goes.
    std::shared_ptr<menus::StartMenu> objStartMenu;
    // The script's button screen, from ZT until ZE or the next title screen.
    std::shared_ptr<menus::Menu> objMenu;
    // The open question, from QE until an answer is pressed.
    std::shared_ptr<branch::Branch> objBranch;

    int depth_ = 0;
    int lastLine_ = 0;  // the line executed last, for messages about missing lines
    // Grows at every script error: RunScript calls started before it return.
    std::uint64_t generation_ = 0;
    bool ended_ = false;
    bool titleShown_ = false;
    bool handlingError_ = false;
    // The texts shown in this run, for the history.
    message::TextHistory history_;
    // The interpreter stopped at a text line and nothing has run since.
    bool textWaits_ = false;
    // ShowTitle is at work (its fade, the menu being built).
    bool buildingTitle_ = false;
    int scriptErrors_ = 0;

    std::string identity_;
    store::Store* store_ = nullptr;
    std::unique_ptr<store::Store> ownStore_;
    std::unique_ptr<KeptState> kept_;
    bool skipToggled_ = false;
    bool ctrlHeld_ = false;
    bool ctrlSpent_ = false;  // skip stopped while Ctrl was held: it must be pressed again
    bool skipTraced_ = false;
    bool skippingLine_ = false;
    bool auto_ = false;
    platform::TimerId autoTimer_ = 0;
    std::size_t lastTextLength_ = 0;
    // The scene as the script built it, and the place remembered at the last text.
    bool inStory_ = false;
    store::ResumePlace scene_;
    std::optional<store::ResumePlace> place_;
};

}  // namespace velko::engine
