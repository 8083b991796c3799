// The behaviour of the main window frmVarnholt: the start-up procedure InitProg with its five
// phases, the variant tables, and the event handlers. The window itself (app/) only forwards
// its events here; everything the window shows is written through FormControls.
#pragma once

#include "Ports.h"
#include "modVarnholt.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt {

// The fixed variant catalogue: file names, the markers of their first lines (none for the
// original), and list texts in the language shown, indices 0 to 4.
extern const std::vector<std::string> CATALOGUE_FILES;
extern const std::vector<std::string> CATALOGUE_MARKERS;
std::vector<std::string> CatalogueDescr();
// The names of a listing of the data folder that are further variants: neither BGruppen.dat nor
// a catalogue file, each once without regard to case, in the listing's order.
std::vector<std::string> FurtherVariantFiles(const std::vector<std::string>& listed);
// The name X of BGruppen_X.dat that the name dialog offers for the file `source`: its file name
// without ".dat" and without a leading "BGruppen_" or "BGruppen" (empty for a plain BGruppen.dat).
std::string SuggestedVariantName(const std::string& source);
// Why X cannot name a variant file BGruppen_X.dat: the number of the text that says so (an
// empty name, a character Windows forbids in file names), or 0.
int VariantNameProblem(const std::string& name);
// BGruppen_X.dat for the name X.
std::string VariantFileOf(const std::string& name);
// True when the folders `a` and `b` (each with its backslash) are one: spelt alike, or the same
// folder by its identity however it is spelt (a short name, a "\\?\" prefix, a substituted
// drive, a junction).
bool SameFolder(FileSystem& files, const std::string& a, const std::string& b);

// How adding a variant ended.
enum class AddResult {
    Added,
    AlreadyThere, // a variant file of the data folder holds the same bytes: nothing copied
    Cancelled,    // the player cancelled the name dialog: nothing changed
    NoVariant,    // missing, too large, no text, or a file of the data folder itself
    BadName,      // the name given on the command line is empty or holds a forbidden character
    Failed,       // could not be read or copied, or the name given is taken, or a name is needed
};

struct AddOptions {
    // The name X given on the command line, or null.
    const std::string* commandLineName = nullptr;
    // True where the player can be asked: the name dialog, and whether to activate the new
    // variant; false for a command-line run, which fails where it would ask.
    bool mayAsk = true;
};

// The setting that names the data folders where an activation put a variant into the place of a
// missing BGruppen.dat.
inline const std::string FILLED_SETTING = "FilledDATPath";

// What the program works with outside itself, built once by the program's entry; the window
// and a command-line run are handed the same.
struct SystemServices {
    RegistryReader& registry;
    SettingsStore& settings;
    FileSystem& files;
    FolderPicker& picker;
    LauncherFactory& launchers;
    modVarnholt& folders;
    // The local time for the names of kept files.
    Clock& clock;
    // The running programs, to tell whether the game runs.
    ProcessList& processes;
};

// Everything the form logic works with: the system's services and the controls it writes to.
struct FormServices : SystemServices {
    FormControls& ui;
};

class FormLogic {
  public:
    explicit FormLogic(const FormServices& services) : s_(services) {}

    // The load event: runs InitProg. False when InitProg ended the program; the window must
    // then never be shown.
    bool Form_Load() { return InitProg(); }
    // The start-up procedure; also run after every successful activation. False when it ended
    // the program.
    bool InitProg();
    // The description of a variant file: its marker, or "No description".
    std::string GetDescr(const std::string& strFName);

    void lstDATs_Click();
    void lstDATs_DblClick();
    // Activates the selected variant, after asking while the game runs.
    void btnActivate_Click();
    // The activation behind btnActivate_Click: true when the selected variant is now the current
    // BGruppen.dat. Without `reportSuccess` the success message is left out; the failures are
    // always reported.
    bool ActivateSelected(bool reportSuccess);
    void btnANNOStart_Click();
    void btnView_Click();
    void btnChooseDir_Click();
    void lblCR_Click();
    // Adds the file `source` to the data folder as a new variant: checked, named, copied through
    // a scratch file without ever replacing a file; then the window shows it selected and a
    // message names it (where the player can be asked, with the offer to activate it now).
    AddResult AddVariant(const std::string& source, const AddOptions& options);
    // Shows the data folder in Explorer with the selected variant's file selected.
    void OpenDataFolder();
    void btnDone_Click();
    void Form_Resize();

    // The game's programs running now: those whose files lie in the installation folder the
    // window shows (a relative one counted from the working folder, as the starter's path is) or
    // below it.
    std::vector<RunningProgram> RunningGame();

    const std::vector<std::string>& aDATFiles() const { return aDATFiles_; }
    const std::vector<std::string>& aDATDescr() const { return aDATDescr_; }
    // The installation mode of the last run of InitProg.
    std::int16_t intANNOMode() const { return intANNOMode_; }

  private:
    bool FindInstallationFolder();
    void FixFolders();
    void RemoveScratchLeftovers();
    void ReadVersion();
    bool FirstRunSafeguard();
    // Adding a variant, see AddVariant.cpp.
    std::string AddCheck(const std::string& source, const std::string& folder,
                         const std::vector<FileEntry>& listed, std::string& bytes, bool& failure);
    std::string VariantHolding(const std::string& bytes, const std::string& folder,
                               const std::vector<std::string>& listed);
    std::string AddedFileName(const std::string& source, const std::string& bytes,
                              const std::vector<std::string>& listed, const AddOptions& options,
                              std::string& problem, AddResult& result);
    // Starts the system's own `program` (notepad.exe, explorer.exe) with `parameters`, and
    // reports a failed start.
    void LaunchSystemProgram(const std::string& program, const std::string& parameters);
    // Selects the list entry of the variant file `file`, as a click would.
    void SelectFile(const std::string& file);
    // True when `folder` is one where an activation filled the empty place of BGruppen.dat.
    bool FilledHere(const std::string& folder);
    // Adds `folder` to those; false when that could not be recorded.
    bool RecordFilled(const std::string& folder);
    // Keeps a BGruppen.dat of such a folder whose content no other file holds, and says so.
    void KeepFilledContent(const std::string& folder);
    void FillCatalogue();
    void IdentifyCurrentFile();
    void ScanFolder();
    void UpdateActivateButton();
    void SelectListIndex(int index);
    // The full path of the variant at the selected list position, built from the data folder
    // shown in lblDATPath; false when no valid entry is selected.
    bool SelectedVariantPath(std::string& path) const;
    // Where the game runs, asks whether to activate all the same: true when it does not run or
    // the player says Yes.
    bool ConfirmWhileGameRuns();
    // The description of a failed file operation of the activation; where the running game may
    // be its cause, it says so instead of the system's usual help.
    std::string DescribeActivationFailure(const FileError& error);
    // Game launch, see Handlers.cpp.
    void StartGame();
    void ShowRunningGame(const std::vector<RunningProgram>& game);
    // Activation's file work, see Activation.cpp.
    FileError ReplaceCurrentFile(const std::string& folder, const std::string& source, bool present,
                                 std::string& kept, bool& keepFailed);
    bool CurrentContentIsHeldElsewhere(const std::string& folder);
    FileError KeepCurrentFile(const std::string& folder, std::string& kept);

    FormServices s_;
    std::vector<std::string> aDATFiles_;
    std::vector<std::string> aDATDescr_;
    std::int16_t intANNOMode_ = 0;
    // The folders this run filled, as the setting lists them.
    std::string filledNow_;
};

} // namespace varnholt
