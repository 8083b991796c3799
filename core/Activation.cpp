// Activation: makes the selected variant the game's current BGruppen.dat. A BGruppen.dat whose
// content no other file of the data folder holds (a hand-edited file, or a modification copied
// over it) is kept under a name of its own before it is replaced.
#include "CopyViaScratch.h"
#include "DescribeFailure.h"
#include "FormLogic.h"
#include "Marker.h"
#include "RunningGame.h"
#include "Texts.h"
#include "modBasis.h"

#include <cstdio>
#include <unordered_set>

namespace varnholt {

namespace {

// "BGruppen_Saved_2026-12-08_1435", without the extension.
std::string KeptFileStem(const LocalTime& time) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d%02d", time.year, time.month, time.day,
                  time.hour, time.minute);
    return KEPT_FILE_PREFIX + stamp;
}

} // namespace

std::vector<RunningProgram> FormLogic::RunningGame() {
    const std::string shown = s_.ui.Caption(Ctl::lblANNOPath);
    if (shown.find_first_not_of(' ') == std::string::npos) {
        return {}; // no installation folder, so no program is the game's
    }
    return ProgramsIn(s_.processes.OtherPrograms(), s_.launchers.FullPath(shown));
}

void FormLogic::btnActivate_Click() {
    if (ConfirmWhileGameRuns()) {
        ActivateSelected(true);
    }
}

bool FormLogic::ConfirmWhileGameRuns() {
    // The game reads BGruppen.dat when it starts: a running one may go on with the old content.
    const std::vector<RunningProgram> game = RunningGame();
    return game.empty() ||
           s_.ui.AskYesNoWarning(Text(IDS_GAME_RUNS_ASK, {game.front().path}), TITLE_TEXT);
}

std::string FormLogic::DescribeActivationFailure(const FileError& error) {
    // Only a failure the game may cause is worth the look.
    const std::vector<RunningProgram> game =
        MayBeHeldOpen(error) ? RunningGame() : std::vector<RunningProgram>();
    return DescribeFailure(error, game.empty() ? std::string() : game.front().path);
}

bool FormLogic::ActivateSelected(bool reportSuccess) {
    FormControls& ui = s_.ui;
    const std::string folder = AddBackslash(ui.Caption(Ctl::lblDATPath));
    const std::string target = folder + CURRENT_FILE;

    // The current file must be removable before anything is copied: a read-only or locked
    // BGruppen.dat stops here. It is not removed yet; the complete copy replaces it. A missing
    // one is no obstacle: the copy simply takes its place.
    const bool present = s_.files.FileExists(target);
    FileError error = present ? s_.files.CheckDeletable(target) : FileError();
    if (error.failed()) {
        ui.Beep();
        ui.MsgBox(Text(IDS_DELETE_FAILED, {DescribeActivationFailure(error)}),
                  MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return false;
    }

    std::string source;
    std::string kept;
    bool keepFailed = false;
    if (!SelectedVariantPath(source)) {
        error.number = 1;
        error.description = Text(IDS_NONE_SELECTED);
    } else {
        error = ReplaceCurrentFile(folder, source, present, kept, keepFailed);
    }
    if (keepFailed) {
        ui.Beep();
        ui.MsgBox(Text(IDS_KEEP_FAILED, {kept, DescribeActivationFailure(error)}),
                  MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return false;
    }
    if (error.failed()) {
        ui.Beep();
        ui.MsgBox(Text(IDS_COPY_FAILED, {source, DescribeActivationFailure(error)}),
                  MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return false;
    }

    // Remembered so that no later first run takes this variant for the game's original.
    const bool recorded = present || RecordFilled(folder);
    std::string report = Text(IDS_COPIED, {source});
    if (!kept.empty()) {
        report += Text(IDS_COPIED_KEPT, {kept});
    }
    if (reportSuccess) {
        ui.Beep();
        ui.MsgBox(report, MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    }
    if (!recorded) {
        ui.Beep();
        ui.MsgBox(Text(IDS_FILLED_NOT_RECORDED, {folder}), MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
    }
    InitProg();
    return true;
}

// Replaces BGruppen.dat in `folder` by a copy of `source`, or puts the copy in its place when
// it is not `present`, keeping the old content first when no other file holds it. Afterwards
// either BGruppen.dat holds the whole copy, and `kept` names the kept file if there is one, or
// BGruppen.dat holds what it held (or is still absent): the scratch copy is removed, and a kept
// file made for this activation is deleted again (should that deletion fail, the kept file
// stays, a duplicate that loses nothing). On a failure to keep, `keepFailed` is set and `kept`
// names the file that could not be made.
FileError FormLogic::ReplaceCurrentFile(const std::string& folder, const std::string& source,
                                        bool present, std::string& kept, bool& keepFailed) {
    // The variant is copied under a scratch name and then renamed over BGruppen.dat in one
    // step, so BGruppen.dat holds either its old or its complete new content at any time.
    ScratchCopy copy(s_.files, folder + CURRENT_FILE_SCRATCH);
    FileError error = copy.Write(source);
    if (error.failed()) {
        return error;
    }
    // Only now that the variant's copy is complete: nothing is kept for an activation that
    // cannot go on. Without a current file there is nothing to keep.
    if (present && !CurrentContentIsHeldElsewhere(folder)) {
        error = KeepCurrentFile(folder, kept);
        if (error.failed()) {
            keepFailed = true;
            return error;
        }
    }
    error = copy.Commit(folder + CURRENT_FILE, true);
    if (error.failed() && !kept.empty()) {
        // BGruppen.dat stays as it was, so its kept copy would only be a duplicate.
        s_.files.DeleteFileAt(kept);
        kept.clear();
    }
    return error;
}

// True when another file of the data folder holds the current BGruppen.dat byte for byte: the
// backup, a catalogue file or a further BGruppen*.dat. Only files of BGruppen.dat's length are
// read. The catalogue's names are tried first, so the usual case needs no listing.
bool FormLogic::CurrentContentIsHeldElsewhere(const std::string& folder) {
    const std::string current = folder + CURRENT_FILE;
    std::uint64_t length = 0;
    if (!s_.files.FileLength(current, length)) {
        return false;
    }
    std::unordered_set<std::string> tried = {LowerName(CURRENT_FILE)};
    for (const std::string& name : CATALOGUE_FILES) {
        tried.insert(LowerName(name));
        std::uint64_t other = 0;
        if (s_.files.FileLength(folder + name, other) && other == length &&
            s_.files.SameContent(current, folder + name)) {
            return true;
        }
    }
    // A listing that fails part-way leaves files unchecked; a copy is then kept that may not be
    // needed, which loses nothing.
    std::vector<FileEntry> entries;
    s_.files.ListFilesWithLengths(folder, VARIANT_PATTERN, entries);
    for (const FileEntry& entry : entries) {
        if (entry.length == length && tried.count(LowerName(entry.name)) == 0 &&
            s_.files.SameContent(current, folder + entry.name)) {
            return true;
        }
    }
    return false;
}

// Copies the current BGruppen.dat to a new file named by the local time, "_2", "_3", ... added
// when the name is taken. Whole or absent, and an existing file is never replaced. `kept` gets
// the full path of the file, also when it could not be made.
FileError FormLogic::KeepCurrentFile(const std::string& folder, std::string& kept) {
    const std::string stem = KeptFileStem(s_.clock.Now());
    std::string name = stem + ".dat";
    for (int suffix = 2; suffix < 1000 && s_.files.FileExists(folder + name); ++suffix) {
        name = stem + "_" + std::to_string(suffix) + ".dat";
    }
    kept = folder + name;
    return CopyViaScratch(s_.files, folder + CURRENT_FILE, kept, folder + KEPT_FILE_SCRATCH, false);
}

namespace {

// The data folders where an activation filled the empty place share one setting, separated by a
// character that no path can hold. A value of one folder, as earlier versions wrote it, is a
// list of one. A folder is listed however it was spelt when it was recorded: the folder chosen
// later may reach it through a link or a substituted drive.
constexpr char FILLED_SEPARATOR = '|';

bool ListsFolder(FileSystem& files, const std::string& value, const std::string& folder) {
    for (std::size_t start = 0; start <= value.size();) {
        std::size_t end = value.find(FILLED_SEPARATOR, start);
        end = end == std::string::npos ? value.size() : end;
        const std::string entry = value.substr(start, end - start);
        if (!entry.empty() && SameFolder(files, AddBackslash(entry), folder)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

bool FormLogic::FilledHere(const std::string& folder) {
    std::string value;
    s_.settings.GetSetting(FILLED_SETTING, "", value);
    return ListsFolder(s_.files, value, folder) || ListsFolder(s_.files, filledNow_, folder);
}

bool FormLogic::RecordFilled(const std::string& folder) {
    // Known to this run at least, so that its own refresh never takes the variant for the
    // original even where the setting cannot be written.
    filledNow_ += FILLED_SEPARATOR + folder;
    std::string value;
    // A value that cannot be read cannot be extended without losing the other folders.
    if (!s_.settings.GetSetting(FILLED_SETTING, "", value)) {
        return false;
    }
    return ListsFolder(s_.files, value, folder) ||
           s_.settings.SaveSetting(FILLED_SETTING,
                                   value.empty() ? folder : value + FILLED_SEPARATOR + folder);
}

bool FormLogic::SelectedVariantPath(std::string& path) const {
    const int index = s_.ui.ListIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= aDATFiles_.size()) {
        return false;
    }
    path =
        AddBackslash(s_.ui.Caption(Ctl::lblDATPath)) + aDATFiles_[static_cast<std::size_t>(index)];
    return true;
}

} // namespace varnholt
