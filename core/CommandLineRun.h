// A run of the command line without the main window: the start-up as every start runs it, then
// the activation of the Activate button and the game's start of the Start button, reported by
// the exit code and, unless quiet, by the same message boxes.
#pragma once

#include "CommandLine.h"
#include "FormLogic.h"

#include <functional>
#include <map>

namespace varnholt {

// The exit codes of a command-line run.
constexpr int EXIT_DONE = 0;             // also: the file to add is already there
constexpr int EXIT_FAILED = 1;           // the activation, the adding or the start-up failed
constexpr int EXIT_BAD_COMMAND_LINE = 2; // a bad command line, an unknown NAME, no variant
constexpr int EXIT_NOT_STARTED = 3;      // the game could not be started
constexpr int EXIT_ALREADY_RUNNING = 4;  // another Varnholt runs in this session

// How a run without a window speaks to the player.
class MessageOutput {
  public:
    virtual ~MessageOutput() = default;
    virtual void Beep() = 0;
    virtual void MsgBox(const std::string& text, int flags, const std::string& title) = 0;
};

// The main window's controls kept in memory: the form logic runs on them as on the window.
// Message boxes and beeps go to `output`, or nowhere when quiet.
class HeadlessForm : public FormControls {
  public:
    HeadlessForm(MessageOutput& output, bool quiet) : output_(output), quiet_(quiet) {}

    bool Enabled(Ctl control) const;
    bool Ended() const { return ended_; }

    std::string Caption(Ctl control) const override;
    void SetCaption(Ctl control, const std::string& text) override { captions_[control] = text; }
    void SetForeColor(Ctl, std::uint32_t) override {}
    void SetEnabled(Ctl control, bool enabled) override { enabled_[control] = enabled; }
    void SetListRedraw(bool) override {}
    void ListClear() override {
        list_.clear();
        index_ = -1;
    }
    void ListAdd(const std::string& text) override { list_.push_back(text); }
    int ListCount() const override { return static_cast<int>(list_.size()); }
    int ListIndex() const override { return index_; }
    void SetListIndex(int index) override { index_ = index; }
    std::string ListText(int index) const override;
    void Beep() override;
    void MsgBox(const std::string& text, int flags, const std::string& title) override;
    void SetFormCaption(const std::string&) override {}
    WindowState FormWindowState() const override { return WindowState::Normal; }
    void MinimizeForm() override {}
    void DoEvents() override {}
    void EndProgram() override { ended_ = true; }
    // A run without the window asks nothing: no to every question, no name given.
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    NameAnswer AskVariantName(std::string&, const std::string&, const std::string&,
                              const std::function<std::string(const std::string&)>&) override {
        return NameAnswer::Cancelled;
    }

  private:
    MessageOutput& output_;
    bool quiet_;
    std::map<Ctl, std::string> captions_;
    std::map<Ctl, bool> enabled_;
    std::vector<std::string> list_;
    int index_ = -1;
    bool ended_ = false;
};

// What a command-line run works with beside the system's services, handed in by the program's
// entry.
struct CommandLineServices : SystemServices {
    MessageOutput& output;
    // True when another Varnholt runs in this session (it holds the session's mark); asked
    // once, after the command line was found good.
    std::function<bool()> anotherVarnholtRunning;
};

// Runs `commandLine` and answers its exit code.
int RunCommandLine(const CommandLine& commandLine, const CommandLineServices& services);

// The usage message: `problem` (when not empty) on its first line, the switches, the names of
// the variants, `available` (the names found in the data folder, when known) and the exit codes.
std::string UsageText(const std::string& problem, const std::vector<std::string>* available);

} // namespace varnholt
