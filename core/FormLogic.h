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

// The fixed variant catalogue: file names, and list texts in the language shown, indices 0 to 4.
extern const std::vector<std::string> CATALOGUE_FILES;
std::vector<std::string> CatalogueDescr();
// The names of a listing of the data folder that are further variants: neither BGruppen.dat nor
// a catalogue file, each once without regard to case, in the listing's order.
std::vector<std::string> FurtherVariantFiles(const std::vector<std::string>& listed);
// The setting that names the data folder where an activation put a variant into the place of a
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
    void btnActivate_Click() { ActivateSelected(true); }
    // The activation behind btnActivate_Click: true when the selected variant is now the current
    // BGruppen.dat. Without `reportSuccess` the success message is left out; the failures are
    // always reported.
    bool ActivateSelected(bool reportSuccess);
    void btnANNOStart_Click();
    void btnView_Click();
    void btnChooseDir_Click();
    void lblCR_Click();
    void btnDone_Click();
    void Form_Resize();

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
    // True when `folder` is where an activation filled the empty place and BGruppen.dat still
    // holds what another file of the folder holds: a variant, not the game's original.
    bool HoldsAFilledInVariant(const std::string& folder);
    void FillCatalogue();
    void IdentifyCurrentFile();
    void ScanFolder();
    void UpdateActivateButton();
    void SelectListIndex(int index);
    // The full path of the variant at the selected list position, built from the data folder
    // shown in lblDATPath; false when no valid entry is selected.
    bool SelectedVariantPath(std::string& path) const;
    // Activation's file work, see Activation.cpp.
    FileError ReplaceCurrentFile(const std::string& folder, const std::string& source, bool present,
                                 std::string& kept, bool& keepFailed);
    bool CurrentContentIsHeldElsewhere(const std::string& folder);
    FileError KeepCurrentFile(const std::string& folder, std::string& kept);

    FormServices s_;
    std::vector<std::string> aDATFiles_;
    std::vector<std::string> aDATDescr_;
    std::int16_t intANNOMode_ = 0;
};

} // namespace varnholt
