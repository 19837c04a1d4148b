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
#include "script/opcode.h"
#include "script/script.h"
#include "platform/host/host.h"
#include "platform/ui/message_box.h"

namespace velko::branch {
class Branch;
}
namespace velko::effects {
class CrossHatch;
}
namespace velko::menus {
class Menu;
class StartMenu;
}
namespace velko::message {
class MessageDisp;
}
namespace velko::sound {
class SoundMci;
}

namespace velko::engine {

class Engine {
public:
    Engine(platform::Host& host, const script::Script& script, GameFolder folder, Product product);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Step 1 of Main: true when another instance already runs (the program then ends at
    // once, silently). The headless runner never has one.
    std::function<bool()> anotherInstanceRunning = [] { return false; };

    // Start-up, up to the interpreter's first stop.
    void Main();
    // Main, then the program's life on window events until it ends (or the headless input
    // is used up).
    void run();
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
};

}  // namespace velko::engine
