// The test doubles of the registry, settings store, folder picker, launcher, clock and window,
// shared by the native tests and the fuzz targets (they need no test framework).
#pragma once

#include "core/CommandLineRun.h"
#include "core/DesktopShortcut.h"
#include "core/FormLogic.h"
#include "core/Marker.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace varnholt::test {

class FakeRegistry : public RegistryReader {
  public:
    std::map<std::string, std::string> values; // value name -> text
    std::vector<std::string> reads;
    bool GetRegValue(std::uint32_t hive, const std::string& keyPath, const std::string& valueName,
                     int typeSelector, std::string& out) override {
        reads.push_back(valueName);
        if (hive != HKEY_LOCAL_MACHINE_VALUE || keyPath != "Software\\Max-Design\\ANNO1503" ||
            typeSelector != REG_TYPE_TEXT) {
            return false;
        }
        auto it = values.find(valueName);
        if (it == values.end()) {
            return false;
        }
        out = it->second;
        return true;
    }
};

class FakeSettings : public SettingsStore {
  public:
    std::map<std::string, std::string> values;
    std::vector<std::string> writes; // "key=value"
    std::set<std::string> failReads;
    bool failWrites = false;
    bool GetSetting(const std::string& key, const std::string& defaultValue,
                    std::string& out) override {
        if (failReads.count(key) != 0) {
            return false;
        }
        auto it = values.find(key);
        out = it == values.end() ? defaultValue : it->second;
        return true;
    }
    bool SaveSetting(const std::string& key, const std::string& value) override {
        writes.push_back(key + "=" + value);
        if (failWrites) {
            return false;
        }
        values[key] = value;
        return true;
    }
};

class FakePicker : public FolderPicker {
  public:
    std::deque<std::string> answers; // empty: the user cancels
    std::vector<std::pair<std::string, std::string>> calls;
    std::string BrowseForFolder(const std::string& prompt,
                                const std::string& startFolder) override {
        calls.emplace_back(prompt, startFolder);
        if (answers.empty()) {
            return std::string();
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// What one launch was given, in the order the calls came.
// A launch as the shell would see it: the settings in effect when ExecProg ran (none before).
struct LaunchRecord {
    std::string progName, paras, workDir = "C:\\WINDOWS";
    std::int32_t winMode = 3;
    bool executed = false;
    bool released = false;
};

class FakeLauncherFactory : public LauncherFactory {
  public:
    std::vector<LaunchRecord> launches;
    bool failLaunch = false;

    class FakeLauncher : public Launcher {
      public:
        FakeLauncher(FakeLauncherFactory& owner, std::size_t index)
            : owner_(owner), index_(index) {}
        ~FakeLauncher() override { owner_.launches[index_].released = true; }
        bool EPError() const override { return error_; }
        void ExecProg() override {
            settings_.executed = true;
            owner_.launches[index_] = settings_;
            error_ = owner_.failLaunch;
        }
        bool IsRunning() override { return false; }
        std::string ProgName() const override { return settings_.progName; }
        void WinMode(std::int32_t v) override { settings_.winMode = v; }
        void WorkDir(const std::string& v) override { settings_.workDir = v; }
        void ProgName(const std::string& v) override { settings_.progName = v; }
        void ProgParas(const std::string& v) override { settings_.paras = v; }

      private:
        FakeLauncherFactory& owner_;
        std::size_t index_;
        LaunchRecord settings_;
        bool error_ = false;
    };

    std::unique_ptr<Launcher> CreateLauncher() override {
        launches.emplace_back();
        return std::make_unique<FakeLauncher>(*this, launches.size() - 1);
    }
    std::string SystemProgram(const std::string& name) override { return "C:\\WINDOWS\\" + name; }
    // The working folder is C:\Work.
    std::string FullPath(const std::string& path) override {
        const bool absolute = (path.size() > 2 && (path[1] == ':' || path.rfind("\\\\", 0) == 0)) ||
                              path.rfind('/', 0) == 0;
        return absolute ? path : "C:\\Work\\" + path;
    }
};

class FakeClock : public Clock {
  public:
    LocalTime now{2026, 12, 8, 14, 35};
    LocalTime Now() override { return now; }
};

// The flags a question's message carries in the fake window.
constexpr int MB_YESNO_TEST = 4;

struct Message {
    std::string text;
    int flags;
    std::string title;
};

class FakeControls : public FormControls {
  public:
    FakeControls() {
        captions[Ctl::lblANNOPath] = "lblANNOPath";
        captions[Ctl::lblDATPath] = "lblDATPath";
        captions[Ctl::lblANNOVers] = "lblANNOVers";
        captions[Ctl::lblCurrDAT] = "lblCurrDAT";
        captions[Ctl::lblHint] = "lblHint";
        captions[Ctl::btnActivate] = "Activate ";
    }
    std::map<Ctl, std::string> captions;
    std::map<Ctl, std::uint32_t> colours;
    std::map<Ctl, bool> enabled;
    std::vector<std::string> items;
    int index = -1;
    std::vector<Message> messages;
    std::vector<std::string> events; // beeps, messages, window changes and the end, in order
    std::string formCaption = "Marrik's 1503 Varnholt";
    WindowState state = WindowState::Normal;
    bool ended = false;
    std::function<void()> onResize;                // the window's resize event
    std::function<void(const Message&)> onMessage; // runs while a message box is open

    std::string Caption(Ctl c) const override {
        auto it = captions.find(c);
        return it == captions.end() ? std::string() : it->second;
    }
    void SetCaption(Ctl c, const std::string& text) override { captions[c] = text; }
    void SetForeColor(Ctl c, std::uint32_t rgb) override { colours[c] = rgb; }
    void SetEnabled(Ctl c, bool e) override { enabled[c] = e; }
    bool listRedraw = true;
    void SetListRedraw(bool on) override { listRedraw = on; }
    void ListClear() override {
        items.clear();
        index = -1;
    }
    int addsWhileDrawn = 0;
    void ListAdd(const std::string& text) override {
        items.push_back(text);
        addsWhileDrawn += listRedraw ? 1 : 0;
    }
    int ListCount() const override { return static_cast<int>(items.size()); }
    int ListIndex() const override { return index; }
    void SetListIndex(int i) override { index = i; }
    std::string ListText(int i) const override {
        return i >= 0 && i < ListCount() ? items[static_cast<std::size_t>(i)] : std::string();
    }
    void Beep() override { events.push_back("beep"); }
    void MsgBox(const std::string& text, int flags, const std::string& title) override {
        messages.push_back({text, flags, title});
        events.push_back("message");
        if (onMessage) {
            onMessage(messages.back());
        }
    }
    void SetFormCaption(const std::string& text) override { formCaption = text; }
    WindowState FormWindowState() const override { return state; }
    void MinimizeForm() override {
        events.push_back("minimize");
        state = WindowState::Minimized;
        if (onResize) {
            onResize();
        }
    }
    void DoEvents() override { events.push_back("doevents"); }
    void EndProgram() override {
        events.push_back("end");
        ended = true;
    }
    // The answers to the questions: Yes or No, and the names typed into the name dialog in turn
    // (none left: the player cancels). What the dialog said to each name is kept.
    bool answerYes = false;
    std::deque<std::string> typedNames;
    std::vector<std::string> prefills, nameProblems;
    // The file each name dialog named: its path and first line, parted by " | ".
    std::vector<std::string> askedAbout;
    bool AskYesNo(const std::string& text, const std::string& title) override {
        MsgBox(text, MB_YESNO_TEST, title);
        return answerYes;
    }
    // The dialog cannot open; it shows nothing and takes no name.
    bool nameDialogFails = false;
    NameAnswer
    AskVariantName(std::string& name, const std::string& source, const std::string& firstLine,
                   const std::function<std::string(const std::string&)>& problemOf) override {
        if (nameDialogFails) {
            return NameAnswer::NotShown;
        }
        events.push_back("name dialog");
        askedAbout.push_back(source + " | " + firstLine);
        prefills.push_back(name);
        while (!typedNames.empty()) {
            const std::string typed = typedNames.front();
            typedNames.pop_front();
            const std::string problem = problemOf(typed);
            nameProblems.push_back(problem);
            if (problem.empty()) {
                name = typed;
                return NameAnswer::Given;
            }
        }
        return NameAnswer::Cancelled;
    }
    bool Enabled(Ctl c) const {
        auto it = enabled.find(c);
        return it == enabled.end() ? true : it->second;
    }
};

// The messages and beeps of a run without the window.
class RecordedOutput : public MessageOutput {
  public:
    std::vector<Message> messages;
    int beeps = 0;
    void Beep() override { ++beeps; }
    void MsgBox(const std::string& text, int flags, const std::string& title) override {
        messages.push_back({text, flags, title});
    }
};

// The desktop: plain files and shortcuts, by path; names are compared without regard to case, as
// the platform's are, and a shortcut written over a file replaces it.
class FakeShortcutShell : public ShortcutShell {
  public:
    std::string desktop = "C:\\Users\\p\\Desktop";
    std::set<std::string> plainFiles;
    std::map<std::string, ShortcutLink> links;
    bool failWrite = false;
    std::string DesktopFolder() override { return desktop; }
    bool FileExists(const std::string& path) override {
        return Named(plainFiles, path) != plainFiles.end() || Named(links, path) != links.end();
    }
    bool ReadLink(const std::string& path, ShortcutLink& link) override {
        const auto found = Named(links, path);
        if (found == links.end()) {
            return false;
        }
        link = found->second;
        return true;
    }
    FileError WriteLink(const std::string& path, const ShortcutLink& link) override {
        if (failWrite) {
            return FileError{5, "Access is denied."};
        }
        const auto plain = Named(plainFiles, path);
        if (plain != plainFiles.end()) {
            plainFiles.erase(plain);
        }
        const auto found = Named(links, path);
        if (found != links.end()) {
            found->second = link; // the file keeps its name
        } else {
            links[path] = link;
        }
        return FileError{};
    }

  private:
    template <typename Container>
    static typename Container::iterator Named(Container& files, const std::string& path) {
        auto it = files.begin();
        while (it != files.end() && LowerName(Key(*it)) != LowerName(path)) {
            ++it;
        }
        return it;
    }
    static const std::string& Key(const std::string& path) { return path; }
    template <typename Pair> static const std::string& Key(const Pair& entry) {
        return entry.first;
    }
};

} // namespace varnholt::test
