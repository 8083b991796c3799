#include "CommandLineRun.h"

#include "Texts.h"
#include "modBasis.h"

namespace varnholt {

namespace {

// A launch as the form logic makes it, watched for the failure it reports.
class WatchedLauncher : public Launcher {
  public:
    WatchedLauncher(std::unique_ptr<Launcher> inner, bool& failed)
        : inner_(std::move(inner)), failed_(failed) {}
    bool EPError() const override {
        const bool error = inner_->EPError();
        failed_ = failed_ || error;
        return error;
    }
    void ExecProg() override { inner_->ExecProg(); }
    bool IsRunning() override { return inner_->IsRunning(); }
    std::string ProgName() const override { return inner_->ProgName(); }
    void WinMode(std::int32_t lngWinMode) override { inner_->WinMode(lngWinMode); }
    void WorkDir(const std::string& szWD) override { inner_->WorkDir(szWD); }
    void ProgName(const std::string& strProgName) override { inner_->ProgName(strProgName); }
    void ProgParas(const std::string& strParas) override { inner_->ProgParas(strParas); }

  private:
    std::unique_ptr<Launcher> inner_;
    bool& failed_;
};

class WatchedLaunchers : public LauncherFactory {
  public:
    explicit WatchedLaunchers(LauncherFactory& inner) : inner_(inner) {}
    bool failed = false;
    std::unique_ptr<Launcher> CreateLauncher() override {
        return std::unique_ptr<Launcher>(new WatchedLauncher(inner_.CreateLauncher(), failed));
    }
    std::string SystemProgram(const std::string& name) override {
        return inner_.SystemProgram(name);
    }
    std::string FullPath(const std::string& path) override { return inner_.FullPath(path); }
    std::string WhereFileLies(const std::string& path) override {
        return inner_.WhereFileLies(path);
    }

  private:
    LauncherFactory& inner_;
};

// Where the start-up would ask for the installation folder, a quiet run cannot: as if the
// player cancelled.
class NoPicker : public FolderPicker {
  public:
    std::string BrowseForFolder(const std::string&, const std::string&) override {
        return std::string();
    }
};

// The names of the variants whose files lie in `folder`: the catalogue's, then the further files.
std::vector<std::string> AvailableNames(FileSystem& files, const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& file : CATALOGUE_FILES) {
        if (files.FileExists(folder + file)) {
            names.push_back(VariantName(file));
        }
    }
    std::vector<std::string> listed;
    files.ListFiles(folder, VARIANT_PATTERN, listed);
    for (const std::string& file : FurtherVariantFiles(listed)) {
        names.push_back(file);
    }
    return names;
}

// The data folder as the start-up would find it, read from the stored settings and the game's
// key alone; empty where the start-up would have to ask for the installation folder.
std::string KnownDataFolder(const SystemServices& s) {
    std::string folder;
    s.settings.GetSetting("DATPath", "", folder);
    if (!folder.empty()) {
        return AddBackslash(folder);
    }
    std::string installation;
    if (!s.registry.GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, "GAMEPATH", REG_TYPE_TEXT,
                                installation)) {
        s.settings.GetSetting("ANNOPath", "", installation);
        if (installation.empty()) {
            return std::string();
        }
    }
    return AddBackslash(installation) + "Data\\";
}

// The activation of /activate NAME: EXIT_DONE when the variant is the current BGruppen.dat
// afterwards, else the run's exit code.
int ActivateByName(const CommandLine& commandLine, FormLogic& logic, HeadlessForm& form,
                   FileSystem& files, const std::string& folder) {
    const int index = ResolveVariantName(commandLine.name, logic.aDATFiles());
    if (index < 0) {
        const std::vector<std::string> names = AvailableNames(files, folder);
        form.MsgBox(UsageText(Text(IDS_UNKNOWN_VARIANT, {commandLine.name}), &names),
                    MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return EXIT_BAD_COMMAND_LINE;
    }
    // Only the very bytes count as already current: the window's rule, which compares the
    // first line's identification, would take an updated variant for the old one.
    form.SetListIndex(index);
    logic.lstDATs_Click();
    const std::string variant = folder + logic.aDATFiles()[static_cast<std::size_t>(index)];
    if (files.SameContent(folder + CURRENT_FILE, variant)) {
        if (!commandLine.start) {
            form.MsgBox(Text(IDS_ALREADY_CURRENT, {form.ListText(index)}), MB_ICONINFORMATION_VALUE,
                        TITLE_TEXT);
        }
        return EXIT_DONE;
    }
    // No one can be asked whether to switch under the running game, which may go on with what
    // it has read: nothing changes, and no /start follows.
    const std::vector<RunningProgram> game = logic.RunningGame();
    if (!game.empty()) {
        form.Beep();
        form.MsgBox(Text(IDS_GAME_RUNS_REFUSED, {game.front().path}), MB_ICONEXCLAMATION_VALUE,
                    TITLE_TEXT);
        return EXIT_GAME_RUNS;
    }
    return logic.ActivateSelected(!commandLine.start) ? EXIT_DONE : EXIT_FAILED;
}

} // namespace

bool HeadlessForm::Enabled(Ctl control) const {
    const auto found = enabled_.find(control);
    return found == enabled_.end() || found->second;
}

std::string HeadlessForm::Caption(Ctl control) const {
    const auto found = captions_.find(control);
    return found == captions_.end() ? std::string() : found->second;
}

std::string HeadlessForm::ListText(int index) const {
    return index >= 0 && index < ListCount() ? list_[static_cast<std::size_t>(index)]
                                             : std::string();
}

void HeadlessForm::Beep() {
    if (!quiet_) {
        output_.Beep();
    }
}

void HeadlessForm::MsgBox(const std::string& text, int flags, const std::string& title) {
    if (!quiet_) {
        output_.MsgBox(text, flags, title);
    }
}

std::string UsageText(const std::string& problem, const std::vector<std::string>* available) {
    std::string text = problem.empty() ? std::string() : problem + "\r\n\r\n";
    text += Text(IDS_USAGE);
    if (available != nullptr) {
        std::string names;
        for (const std::string& name : *available) {
            names += (names.empty() ? "" : ", ") + name;
        }
        text += "\r\n" +
                Text(IDS_USAGE_AVAILABLE, {names.empty() ? Text(IDS_USAGE_NONE_AVAILABLE) : names});
    }
    return text + "\r\n\r\n" + Text(IDS_USAGE_EXIT_CODES);
}

int RunCommandLine(const CommandLine& commandLine, const CommandLineServices& s) {
    HeadlessForm form(s.output, commandLine.quiet);
    if (commandLine.error != 0) {
        form.MsgBox(UsageText(CommandLineProblem(commandLine), nullptr), MB_ICONEXCLAMATION_VALUE,
                    TITLE_TEXT);
        return EXIT_BAD_COMMAND_LINE;
    }
    // Help changes nothing: it is answered before the start-up, which may save the backup, write
    // settings, ask for a folder or refuse to go on.
    if (commandLine.help) {
        const std::string folder = KnownDataFolder(s);
        const std::vector<std::string> names =
            folder.empty() ? std::vector<std::string>() : AvailableNames(s.files, folder);
        form.MsgBox(UsageText("", folder.empty() ? nullptr : &names), MB_ICONINFORMATION_VALUE,
                    TITLE_TEXT);
        return EXIT_DONE;
    }
    // The open window would go on showing a state that is no longer true.
    if (s.anotherVarnholtRunning && s.anotherVarnholtRunning()) {
        form.Beep();
        form.MsgBox(Text(IDS_ALREADY_RUNNING), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return EXIT_ALREADY_RUNNING;
    }

    NoPicker noPicker;
    WatchedLaunchers launchers(s.launchers);
    FormLogic logic(
        FormServices{{s.registry, s.settings, s.files, commandLine.quiet ? noPicker : s.picker,
                      launchers, s.folders, s.clock, s.processes},
                     form});
    if (!logic.Form_Load()) {
        return EXIT_FAILED;
    }
    const std::string folder = AddBackslash(form.Caption(Ctl::lblDATPath));

    if (commandLine.activate) {
        const int code = ActivateByName(commandLine, logic, form, s.files, folder);
        if (code != EXIT_DONE) {
            return code;
        }
    }

    if (commandLine.add) {
        AddOptions options;
        options.commandLineName = commandLine.named ? &commandLine.asName : nullptr;
        options.mayAsk = false;
        switch (logic.AddVariant(commandLine.addFile, options)) {
        case AddResult::Added:
        case AddResult::AlreadyThere:
            return EXIT_DONE;
        case AddResult::NoVariant:
        case AddResult::BadName:
            return EXIT_BAD_COMMAND_LINE;
        default:
            return EXIT_FAILED;
        }
    }
    if (commandLine.start) {
        logic.btnANNOStart_Click();
        return launchers.failed ? EXIT_NOT_STARTED : EXIT_DONE;
    }
    return EXIT_DONE;
}

} // namespace varnholt
