// Adding a variant: a file from outside the data folder (downloaded, often just "BGruppen.dat")
// checked, named and copied into the data folder beside the others, never over any file.
#include "CommandLine.h"
#include "CopyViaScratch.h"
#include "DescribeFailure.h"
#include "FormLogic.h"
#include "Marker.h"
#include "Texts.h"
#include "modBasis.h"

#include <unordered_set>

namespace varnholt {

namespace {

const std::string VARIANT_PREFIX = "BGruppen_";
const std::string DAT = ".dat";
// The characters Windows forbids in a file name.
const std::string FORBIDDEN = "\\/:*?\"<>|";

bool StartsWithWord(const std::string& lower, const std::string& word) {
    return lower.compare(0, word.size(), LowerName(word)) == 0;
}

// The file name part of a path: after its last backslash or slash.
std::string FileNameOf(const std::string& path) {
    const std::string::size_type last = path.find_last_of("\\/");
    return last == std::string::npos ? path : path.substr(last + 1);
}

// The folder part of a path, with its backslash: up to its last backslash or slash.
std::string FolderOf(const std::string& path) {
    const std::string::size_type last = path.find_last_of("\\/");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

// True when `source`, of `length` bytes, is itself one of the listed files of `folder`, reached
// through another folder (a hard or symbolic link).
bool OneOfTheFiles(FileSystem& files, const std::string& source, const std::string& folder,
                   const std::vector<FileEntry>& listed, std::size_t length) {
    FileId id, other;
    if (!files.FileIdentity(source, id)) {
        return false;
    }
    for (const FileEntry& entry : listed) {
        if (entry.length == length && files.FileIdentity(folder + entry.name, other) &&
            other == id) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> NamesOf(const std::vector<FileEntry>& entries) {
    std::vector<std::string> names;
    for (const FileEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

// True when the file `path` holds exactly `bytes`.
bool HoldsBytes(FileSystem& files, const std::string& path, const std::string& bytes) {
    std::uint64_t length = 0;
    std::string content;
    return files.FileLength(path, length) && length == bytes.size() &&
           files.ReadBytes(path, bytes.size() + 1, content) && content == bytes;
}

} // namespace

std::string SuggestedVariantName(const std::string& source) {
    std::string name = FileNameOf(source);
    if (EndsWithDat(LowerName(name))) {
        name.resize(name.size() - DAT.size());
    }
    const std::string lower = LowerName(name);
    if (StartsWithWord(lower, VARIANT_PREFIX)) {
        name.erase(0, VARIANT_PREFIX.size());
    } else if (StartsWithWord(lower, "BGruppen")) {
        name.erase(0, std::string("BGruppen").size());
    }
    return name;
}

int VariantNameProblem(const std::string& name) {
    if (name.empty()) {
        return IDS_NAME_EMPTY;
    }
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || FORBIDDEN.find(c) != std::string::npos) {
            return IDS_NAME_FORBIDDEN;
        }
    }
    return 0;
}

std::string VariantFileOf(const std::string& name) {
    return VARIANT_PREFIX + name + DAT;
}

bool SameFolder(FileSystem& files, const std::string& a, const std::string& b) {
    FileId first, second;
    return LowerName(a) == LowerName(b) ||
           (files.FileIdentity(a, first) && files.FileIdentity(b, second) && first == second);
}

// Why `source` cannot be a variant, as a message; empty when it can, with its content in
// `bytes`. The file is read this once: what is checked is what is written. `failure` tells that
// it could not be read, rather than that it is no variant.
std::string FormLogic::AddCheck(const std::string& source, const std::string& folder,
                                const std::vector<FileEntry>& listed, std::string& bytes,
                                bool& failure) {
    failure = false;
    if (!s_.files.FileExists(source)) {
        return Text(IDS_ADD_NOT_FOUND, {source});
    }
    if (SameFolder(s_.files, FolderOf(source), folder)) {
        return Text(IDS_ADD_IN_DATA_FOLDER, {source});
    }
    // One byte more than a variant may hold tells a larger file, also one that grows while it
    // is read.
    if (!s_.files.ReadBytes(source, ADD_SIZE_LIMIT + 1, bytes)) {
        failure = true;
        return Text(IDS_ADD_NOT_READABLE, {source});
    }
    if (bytes.size() > ADD_SIZE_LIMIT) {
        return Text(IDS_ADD_TOO_LARGE, {source});
    }
    // Activated, an empty file's empty first line would read as the game's original.
    if (bytes.empty()) {
        return Text(IDS_ADD_EMPTY, {source});
    }
    if (bytes.find('\0') != std::string::npos) {
        return Text(IDS_ADD_NOT_TEXT, {source});
    }
    if (OneOfTheFiles(s_.files, source, folder, listed, bytes.size())) {
        return Text(IDS_ADD_IN_DATA_FOLDER, {source});
    }
    return std::string();
}

// The variant file of the data folder that holds exactly `bytes`; empty when none.
std::string FormLogic::VariantHolding(const std::string& bytes, const std::string& folder,
                                      const std::vector<std::string>& listed) {
    std::vector<std::string> candidates = CATALOGUE_FILES;
    for (const std::string& name : FurtherVariantFiles(listed)) {
        candidates.push_back(name);
    }
    for (const std::string& name : candidates) {
        if (HoldsBytes(s_.files, folder + name, bytes)) {
            return name;
        }
    }
    return std::string();
}

// The name X of BGruppen_X.dat under which `source` is added, by the rules: the name given, the
// source's own name when it is BGruppen_X.dat and free, the catalogue's file of a variant that
// the first line identifies and that is missing, else the player's answer. Empty when no name
// was found; `problem` then says why, or is empty when the player cancelled.
std::string FormLogic::AddedFileName(const std::string& source, const std::string& bytes,
                                     const std::vector<std::string>& listed,
                                     const AddOptions& options, std::string& problem,
                                     AddResult& result) {
    // The folder's names without regard to case, as Windows compares them; the backup's name
    // is taken even while there is no backup.
    std::unordered_set<std::string> names = {LowerName(BACKUP_FILE)};
    for (const std::string& name : listed) {
        names.insert(LowerName(name));
    }
    auto taken = [&names](const std::string& name) {
        return names.count(LowerName(VariantFileOf(name))) != 0;
    };
    auto problemOf = [&taken](const std::string& name) {
        const int why = VariantNameProblem(name);
        return why != 0      ? Text(why)
               : taken(name) ? Text(IDS_NAME_TAKEN, {VariantFileOf(name)})
                             : "";
    };
    if (options.commandLineName != nullptr) {
        const std::string& name = *options.commandLineName;
        problem = problemOf(name);
        result = VariantNameProblem(name) != 0 ? AddResult::BadName : AddResult::Failed;
        return problem.empty() ? VariantFileOf(name) : std::string();
    }
    const std::string own = FileNameOf(source);
    const std::string lower = LowerName(own);
    const std::string suggested = SuggestedVariantName(source);
    if (StartsWithWord(lower, VARIANT_PREFIX) && EndsWithDat(lower) &&
        problemOf(suggested).empty()) {
        return own;
    }
    const std::string firstLine = s_.files.FirstLineOf(bytes.substr(0, FIRST_LINE_LIMIT));
    const std::string marker = MarkerOf(firstLine);
    for (std::size_t i = 1; i < CATALOGUE_FILES.size(); ++i) {
        if (marker == CATALOGUE_MARKERS[i] && names.count(LowerName(CATALOGUE_FILES[i])) == 0) {
            return CATALOGUE_FILES[i];
        }
    }
    std::string name = suggested;
    if (!options.mayAsk) {
        problem = Text(IDS_ADD_NEEDS_NAME, {source});
        result = AddResult::Failed;
        return std::string();
    }
    const NameAnswer answer = s_.ui.AskVariantName(name, source, firstLine, problemOf);
    if (answer == NameAnswer::NotShown) {
        // Not the player's Cancel: nothing was asked, and the player is told.
        problem = Text(IDS_NAME_DIALOG_FAILED, {source});
        result = AddResult::Failed;
    }
    return answer == NameAnswer::Given ? VariantFileOf(name) : std::string();
}

AddResult FormLogic::AddVariant(const std::string& given, const AddOptions& options) {
    FormControls& ui = s_.ui;
    const std::string folder = AddBackslash(s_.launchers.FullPath(ui.Caption(Ctl::lblDATPath)));
    const std::string source = s_.launchers.FullPath(given);
    auto refuse = [&ui](const std::string& why, AddResult code) {
        ui.Beep();
        ui.MsgBox(why, MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return code;
    };

    // One listing of the folder serves the checks, the comparison and the names taken.
    std::vector<FileEntry> entries;
    s_.files.ListFilesWithLengths(folder, VARIANT_PATTERN, entries);
    const std::vector<std::string> listed = NamesOf(entries);
    std::string bytes;
    bool failure = false;
    const std::string why = AddCheck(source, folder, entries, bytes, failure);
    if (!why.empty()) {
        return refuse(why, failure ? AddResult::Failed : AddResult::NoVariant);
    }
    // A name given on the command line must end up holding the file: only that file counts as
    // already there, and the same bytes under another name are copied all the same.
    const std::string* named = options.commandLineName;
    std::string held;
    if (named == nullptr) {
        held = VariantHolding(bytes, folder, listed);
    } else if (VariantNameProblem(*named) == 0 &&
               HoldsBytes(s_.files, folder + VariantFileOf(*named), bytes)) {
        held = VariantFileOf(*named);
    }
    if (!held.empty()) {
        SelectFile(held);
        ui.MsgBox(Text(IDS_ADD_ALREADY_THERE, {source, folder + held}), MB_ICONINFORMATION_VALUE,
                  TITLE_TEXT);
        return AddResult::AlreadyThere;
    }
    std::string problem;
    AddResult result = AddResult::Cancelled;
    const std::string file = AddedFileName(source, bytes, listed, options, problem, result);
    if (file.empty()) {
        return problem.empty() ? AddResult::Cancelled : refuse(problem, result);
    }

    // Whole or not at all, and never over a file: the rename fails should the name have been
    // taken meanwhile.
    const FileError error =
        WriteViaScratch(s_.files, bytes, folder + file, folder + ADDED_FILE_SCRATCH, false);
    if (error.failed()) {
        return refuse(Text(IDS_ADD_FAILED, {source, folder + file, DescribeFailure(error)}),
                      AddResult::Failed);
    }
    InitProg();
    SelectFile(file);
    ui.Beep();
    if (!options.mayAsk) {
        ui.MsgBox(Text(IDS_ADDED, {source, folder + file}), MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    } else if (ui.AskYesNo(Text(IDS_ADDED_ASK, {source, folder + file}), TITLE_TEXT) &&
               ConfirmWhileGameRuns()) {
        ActivateSelected(true);
    }
    return AddResult::Added;
}

void FormLogic::SelectFile(const std::string& file) {
    for (std::size_t i = 0; i < aDATFiles_.size(); ++i) {
        if (LowerName(aDATFiles_[i]) == LowerName(file)) {
            SelectListIndex(static_cast<int>(i));
            return;
        }
    }
}

} // namespace varnholt
