// The start-up procedure: installation folder, save-game and data folders, version and
// installation mode, the first-run backup, and the variant catalogue with the identification
// of the current BGruppen.dat.
#include "CopyViaScratch.h"
#include "DescribeFailure.h"
#include "FormLogic.h"
#include "Marker.h"
#include "Texts.h"
#include "VersionMode.h"
#include "modBasis.h"

#include <unordered_set>

namespace varnholt {

const std::vector<std::string> CATALOGUE_FILES = {
    "BGruppen_Original.dat", "BGruppen_Classic.dat", "BGruppen_AddOn.dat",
    "BGruppen_KE.dat",       "BGruppen_KZA.dat",
};

std::vector<std::string> CatalogueDescr() {
    std::vector<std::string> descr;
    for (int i = 0; i < static_cast<int>(CATALOGUE_FILES.size()); ++i) {
        descr.push_back(Text(IDS_CATALOGUE_FIRST + i));
    }
    return descr;
}

const std::vector<std::string> CATALOGUE_MARKERS = {"", "Classic", "AddOn", "KE", "KZA"};

namespace {

constexpr int KZA_INDEX = 4;

const std::uint32_t HINT_FITS = Rgb(255, 255, 0);
const std::uint32_t HINT_DOES_NOT_FIT = Rgb(0, 255, 255);

} // namespace

bool FormLogic::InitProg() {
    intANNOMode_ = 0;
    if (!FindInstallationFolder()) {
        return false;
    }
    FixFolders();
    RemoveScratchLeftovers();
    ReadVersion();
    if (!FirstRunSafeguard()) {
        return false;
    }
    // A visible list redrawn after every added entry would make a refill with thousands of
    // further files take minutes.
    s_.ui.SetListRedraw(false);
    FillCatalogue();
    IdentifyCurrentFile();
    ScanFolder();
    s_.ui.SetListRedraw(true);
    UpdateActivateButton();
    return true;
}

bool FormLogic::FindInstallationFolder() {
    modVarnholt& f = s_.folders;
    std::string gamePath;
    if (s_.registry.GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, "GAMEPATH", REG_TYPE_TEXT,
                                gamePath)) {
        f.strANNOPath = AddBackslash(gamePath);
    } else {
        s_.settings.GetSetting("ANNOPath", "", f.strANNOPath);
        if (f.strANNOPath.empty()) {
            const std::string chosen = s_.picker.BrowseForFolder(Text(IDS_PICK_INSTALLATION), "");
            if (chosen.empty()) {
                s_.ui.MsgBox(Text(IDS_NO_INSTALLATION), MB_ICONSTOP_VALUE, TITLE_TEXT);
                s_.ui.EndProgram();
                return false;
            }
            f.strANNOPath = AddBackslash(chosen);
            s_.settings.SaveSetting("ANNOPath", f.strANNOPath);
        }
    }
    s_.ui.SetCaption(Ctl::lblANNOPath, f.strANNOPath);
    return true;
}

void FormLogic::FixFolders() {
    modVarnholt& f = s_.folders;
    s_.settings.GetSetting("GAMESPath", "", f.strGAMESPath);
    if (f.strGAMESPath.empty()) {
        f.strGAMESPath = AddBackslash(f.strANNOPath) + "SaveGame\\";
        s_.settings.SaveSetting("GAMESPath", f.strGAMESPath);
    }
    s_.settings.GetSetting("DATPath", "", f.strDATPath);
    if (f.strDATPath.empty()) {
        f.strDATPath = AddBackslash(f.strANNOPath) + "Data\\";
        s_.settings.SaveSetting("DATPath", f.strDATPath);
    }
    s_.ui.SetCaption(Ctl::lblDATPath, f.strDATPath);
}

void FormLogic::RemoveScratchLeftovers() {
    // A run killed during activation or the first-run backup leaves its scratch file behind,
    // as large as a variant. Only the program's own scratch names are removed.
    const std::string folder = AddBackslash(s_.ui.Caption(Ctl::lblDATPath));
    for (const std::string* name :
         {&CURRENT_FILE_SCRATCH, &BACKUP_FILE_SCRATCH, &KEPT_FILE_SCRATCH, &ADDED_FILE_SCRATCH}) {
        if (s_.files.FileExists(folder + *name)) {
            s_.files.DeleteFileAt(folder + *name);
        }
    }
}

void FormLogic::ReadVersion() {
    std::string version, addOnVersion, language;
    s_.registry.GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, "VERSION", REG_TYPE_TEXT, version);
    s_.registry.GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, "ADDON_VERSION", REG_TYPE_TEXT,
                            addOnVersion);
    s_.registry.GetRegValue(HKEY_LOCAL_MACHINE_VALUE, GAME_KEY, "LANGUAGE", REG_TYPE_TEXT,
                            language);
    if (version.empty() || language.empty()) {
        return;
    }
    const std::string& shown = addOnVersion.empty() ? version : addOnVersion;
    s_.ui.SetCaption(Ctl::lblANNOVers, shown + "/" + language);
    intANNOMode_ = VersionToMode(shown);
}

bool FormLogic::FirstRunSafeguard() {
    // A store that cannot be read counts as a first run: the safeguard then at worst finds the
    // backup present, and never skips a backup that is missing.
    std::string firstRun = "0";
    s_.settings.GetSetting("FirstRun", "0", firstRun);
    if (firstRun != "0") {
        return true;
    }
    const std::string folder = AddBackslash(s_.ui.Caption(Ctl::lblDATPath));
    const std::string current = folder + CURRENT_FILE;
    const std::string backup = folder + BACKUP_FILE;

    // A backup that is present is kept as it is, whatever BGruppen.dat now holds: nothing is saved,
    // so there is nothing the size test could protect.
    if (s_.files.FileExists(backup)) {
        s_.settings.SaveSetting("FirstRun", "1");
        return true;
    }
    // No BGruppen.dat (the game was moved, or the folder is not the game's): there is nothing to
    // save, and ending here would lock the player out before the folder button could mend it.
    // FirstRun stays "0", so the original is saved at the first start that finds one.
    if (!s_.files.FileExists(current)) {
        return true;
    }
    // Where an activation filled the empty place, BGruppen.dat is a variant or grew out of one,
    // never the game's original, and FirstRun stays "0".
    if (FilledHere(folder)) {
        KeepFilledContent(folder);
        return true;
    }
    std::uint64_t length = 0;
    if (s_.files.FileLength(current, length) && length / 1024 > FIRST_RUN_SIZE_LIMIT_KIB) {
        s_.ui.Beep();
        s_.ui.MsgBox(Text(IDS_NOT_ORIGINAL), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        s_.ui.EndProgram();
        return false;
    }

    // Written through a scratch file, so an interrupted copy never leaves a partial backup that
    // a later start would take as present.
    const FileError error =
        CopyViaScratch(s_.files, current, backup, folder + BACKUP_FILE_SCRATCH, false);
    if (error.failed()) {
        s_.ui.Beep();
        s_.ui.MsgBox(Text(IDS_BACKUP_FAILED, {DescribeFailure(error)}), MB_ICONEXCLAMATION_VALUE,
                     TITLE_TEXT);
        s_.ui.EndProgram();
        return false;
    }
    s_.ui.Beep();
    s_.ui.MsgBox(Text(IDS_FIRST_RUN, {PROGRAM_NAME, backup}), MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    s_.settings.SaveSetting("FirstRun", "1");
    return true;
}

// What no other file of the folder holds is kept as activation keeps it. Should that fail,
// nothing is lost: no activation replaces BGruppen.dat before it has kept such content.
void FormLogic::KeepFilledContent(const std::string& folder) {
    std::string kept;
    if (!CurrentContentIsHeldElsewhere(folder) && !KeepCurrentFile(folder, kept).failed()) {
        s_.ui.Beep();
        s_.ui.MsgBox(Text(IDS_FILLED_KEPT, {kept}), MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    }
}

void FormLogic::FillCatalogue() {
    aDATFiles_ = CATALOGUE_FILES;
    aDATDescr_ = CatalogueDescr();
    s_.ui.ListClear();
    for (const std::string& text : aDATDescr_) {
        s_.ui.ListAdd(text);
    }
}

void FormLogic::IdentifyCurrentFile() {
    const std::string current = AddBackslash(s_.folders.strDATPath) + CURRENT_FILE;
    std::string firstLine;
    if (!s_.files.ReadFirstLine(current, FIRST_LINE_LIMIT, firstLine)) {
        firstLine.clear();
    }
    const std::string marker = MarkerOf(firstLine);
    // No file at all is not the original: it is named as missing and judged like an unknown
    // file. A file that is there but cannot be read keeps counting as the original.
    const bool missing = !s_.files.FileExists(current);

    SelectListIndex(intANNOMode_);

    bool fits = false;
    std::string identification;
    int variant = -1;
    for (int i = 0; i < 5 && !missing; ++i) {
        if (marker == CATALOGUE_MARKERS[i]) {
            variant = i;
            break;
        }
    }
    if (variant == 0) {
        identification = Text(IDS_IDENT_ORIGINAL);
        fits = true;
        SelectListIndex(KZA_INDEX);
    } else if (variant >= 1 && variant <= 3) {
        identification = aDATDescr_[static_cast<std::size_t>(variant)];
        if (intANNOMode_ == variant) {
            fits = true;
            SelectListIndex(KZA_INDEX);
        } else {
            SelectListIndex(intANNOMode_);
        }
    } else if (variant == KZA_INDEX) {
        identification = aDATDescr_[KZA_INDEX];
    } else {
        identification = Text(missing ? IDS_IDENT_MISSING : IDS_IDENT_OTHER);
    }

    // The verdict's colour follows the verdict itself, so it holds in every language.
    s_.ui.SetCaption(Ctl::lblCurrDAT, identification);
    s_.ui.SetCaption(Ctl::lblHint, Text(fits ? IDS_HINT_FITS : IDS_HINT_DOES_NOT_FIT));
    s_.ui.SetForeColor(Ctl::lblHint, fits ? HINT_FITS : HINT_DOES_NOT_FIT);
}

void FormLogic::ScanFolder() {
    const std::string folder = AddBackslash(s_.ui.Caption(Ctl::lblDATPath));
    std::vector<std::string> names;
    // A listing that fails part-way keeps the names it delivered; it is never repeated.
    s_.files.ListFiles(folder, VARIANT_PATTERN, names);

    for (const std::string& name : FurtherVariantFiles(names)) {
        const std::string text = name + " (" + GetDescr(folder + name) + ")";
        aDATFiles_.push_back(name);
        aDATDescr_.push_back(text);
        s_.ui.ListAdd(text);
    }
}

std::vector<std::string> FurtherVariantFiles(const std::vector<std::string>& listed) {
    std::unordered_set<std::string> known;
    known.reserve(CATALOGUE_FILES.size() + listed.size() + 1);
    known.insert(LowerName(CURRENT_FILE));
    for (const std::string& name : CATALOGUE_FILES) {
        known.insert(LowerName(name));
    }
    std::vector<std::string> further;
    for (const std::string& name : listed) {
        if (known.insert(LowerName(name)).second) {
            further.push_back(name);
        }
    }
    return further;
}

std::string FormLogic::GetDescr(const std::string& strFName) {
    std::string firstLine;
    if (!s_.files.ReadFirstLine(strFName, FIRST_LINE_LIMIT, firstLine)) {
        firstLine.clear();
    }
    const std::string trimmed = TrimSpaces(firstLine);
    if (trimmed.empty()) {
        return Text(IDS_NO_DESCRIPTION);
    }
    return DropFirstCharacter(trimmed);
}

void FormLogic::SelectListIndex(int index) {
    if (index < 0 || index >= s_.ui.ListCount()) {
        return; // outside the list: the selection stays as it was
    }
    s_.ui.SetListIndex(index);
    lstDATs_Click();
}

void FormLogic::UpdateActivateButton() {
    const int index = s_.ui.ListIndex();
    const std::string entry = index >= 0 ? s_.ui.ListText(index) : std::string();
    s_.ui.SetCaption(Ctl::btnActivate,
                     entry.empty() ? Text(IDS_ACTIVATE) : Text(IDS_ACTIVATE_ENTRY, {entry}));
    const std::string identification = s_.ui.Caption(Ctl::lblCurrDAT);
    // Containment as a substring search from the first character; an empty entry contains
    // nothing.
    const bool current = !entry.empty() && entry.find(identification) != std::string::npos;
    s_.ui.SetEnabled(Ctl::btnActivate, !current);
}

} // namespace varnholt
