// The start-up procedure: installation folder, save-game and data folders, version and
// installation mode, the first-run backup, and the variant catalogue with the identification
// of the current BGruppen.dat.
#include "CopyViaScratch.h"
#include "DescribeFailure.h"
#include "FormLogic.h"
#include "Marker.h"
#include "VersionMode.h"
#include "modBasis.h"

#include <unordered_set>

namespace varnholt {

const std::vector<std::string> CATALOGUE_FILES = {
    "BGruppen_Original.dat", "BGruppen_Classic.dat", "BGruppen_AddOn.dat",
    "BGruppen_KE.dat",       "BGruppen_KZA.dat",
};

const std::vector<std::string> CATALOGUE_DESCR = {
    "The original BGruppen.dat file",
    "BGruppen.dat for 1503 Classic version v1.xx",
    "BGruppen.dat for 1503 AddOn version v2.xx",
    "BGruppen.dat for 1503 'K\xC3\xB6nigs-Edition' v3.xx",
    "BGruppen.dat for 1503 with Ferrand's KZA MODifications",
};

namespace {

const std::string CATALOGUE_MARKERS[] = {"", "Classic", "AddOn", "KE", "KZA"};
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
            const std::string chosen =
                s_.picker.BrowseForFolder("Please locate ANNO 1503 installation folder:", "");
            if (chosen.empty()) {
                s_.ui.MsgBox("Sorry, can't work without this infos...", MB_ICONSTOP_VALUE,
                             TITLE_TEXT);
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
         {&CURRENT_FILE_SCRATCH, &BACKUP_FILE_SCRATCH, &KEPT_FILE_SCRATCH}) {
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
    std::uint64_t length = 0;
    if (s_.files.FileLength(current, length) && length / 1024 > FIRST_RUN_SIZE_LIMIT_KIB) {
        s_.ui.Beep();
        s_.ui.MsgBox("Looks like your current BGruppen.dat is NOT the original BGruppen.dat "
                     "that was installed with ANNO 1503! Please take care that you run this tool "
                     "with the original BGruppen.dat file in place!",
                     MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        s_.ui.EndProgram();
        return false;
    }

    // Written through a scratch file, so an interrupted copy never leaves a partial backup that
    // a later start would take as present.
    const FileError error =
        CopyViaScratch(s_.files, current, backup, folder + BACKUP_FILE_SCRATCH, false);
    if (error.failed()) {
        s_.ui.Beep();
        s_.ui.MsgBox("Unable to create backup copy: " + DescribeFailure(error) +
                         "\r\n\r\nCheck installation and start this tool again...",
                     MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        s_.ui.EndProgram();
        return false;
    }
    s_.ui.Beep();
    s_.ui.MsgBox("This is the first time you run " + PROGRAM_NAME + "! " +
                     "We've created a backup copy of the original BGruppen.dat File to \r\n\r\n" +
                     backup +
                     "\r\n\r\nIn case there are any problems while running 1503 re-acivate this "
                     "file!",
                 MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    s_.settings.SaveSetting("FirstRun", "1");
    return true;
}

void FormLogic::FillCatalogue() {
    aDATFiles_ = CATALOGUE_FILES;
    aDATDescr_ = CATALOGUE_DESCR;
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

    std::string hint = "This is";
    std::string identification;
    int variant = -1;
    for (int i = 0; i < 5 && !missing; ++i) {
        if (marker == CATALOGUE_MARKERS[i]) {
            variant = i;
            break;
        }
    }
    if (variant == 0) {
        identification = "The original BGruppen.dat";
        SelectListIndex(KZA_INDEX);
    } else if (variant >= 1 && variant <= 3) {
        identification = aDATDescr_[static_cast<std::size_t>(variant)];
        if (intANNOMode_ == variant) {
            SelectListIndex(KZA_INDEX);
        } else {
            hint += " probably NOT";
            SelectListIndex(intANNOMode_);
        }
    } else if (variant == KZA_INDEX) {
        identification = aDATDescr_[KZA_INDEX];
        hint += " probably NOT";
    } else {
        identification =
            missing ? "No BGruppen.dat in the data folder" : "Another BGruppen.dat file";
        hint += " probably NOT";
    }
    hint += " the appropriated BGruppen.dat file\r\n for your 1503 installation...";

    s_.ui.SetCaption(Ctl::lblCurrDAT, identification);
    s_.ui.SetCaption(Ctl::lblHint, hint);
    s_.ui.SetForeColor(Ctl::lblHint,
                       hint.find(" NOT") != std::string::npos ? HINT_DOES_NOT_FIT : HINT_FITS);
}

void FormLogic::ScanFolder() {
    const std::string folder = AddBackslash(s_.ui.Caption(Ctl::lblDATPath));
    std::vector<std::string> names;
    // A listing that fails part-way keeps the names it delivered; it is never repeated.
    s_.files.ListFiles(folder, VARIANT_PATTERN, names);

    std::unordered_set<std::string> known;
    known.reserve(aDATFiles_.size() + names.size());
    for (const std::string& name : aDATFiles_) {
        known.insert(LowerName(name));
    }
    const std::string current = LowerName(CURRENT_FILE);
    for (const std::string& name : names) {
        const std::string lower = LowerName(name);
        if (lower == current || !known.insert(lower).second) {
            continue;
        }
        const std::string text = name + " (" + GetDescr(folder + name) + ")";
        aDATFiles_.push_back(name);
        aDATDescr_.push_back(text);
        s_.ui.ListAdd(text);
    }
}

std::string FormLogic::GetDescr(const std::string& strFName) {
    std::string firstLine;
    if (!s_.files.ReadFirstLine(strFName, FIRST_LINE_LIMIT, firstLine)) {
        firstLine.clear();
    }
    const std::string trimmed = TrimSpaces(firstLine);
    if (trimmed.empty()) {
        return "No description";
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
    s_.ui.SetCaption(Ctl::btnActivate, "Activate " + entry);
    const std::string identification = s_.ui.Caption(Ctl::lblCurrDAT);
    // Containment as a substring search from the first character; an empty entry contains
    // nothing.
    const bool current = !entry.empty() && entry.find(identification) != std::string::npos;
    s_.ui.SetEnabled(Ctl::btnActivate, !current);
}

} // namespace varnholt
