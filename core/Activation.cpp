// Activation: makes the selected variant the game's current BGruppen.dat.
#include "CopyViaScratch.h"
#include "DescribeFailure.h"
#include "FormLogic.h"

#include "../platform/modBasis.h"

namespace varnholt {

void FormLogic::btnActivate_Click() {
    FormControls& ui = s_.ui;
    const std::string folder = AddBackslash(ui.Caption(Ctl::lblDATPath));
    const std::string target = folder + CURRENT_FILE;

    // The current file must be removable before anything is copied: a missing, read-only or
    // locked BGruppen.dat stops here. It is not removed yet; the complete copy replaces it.
    FileError error = s_.files.CheckDeletable(target);
    if (error.failed()) {
        ui.Beep();
        ui.MsgBox("Unable to delete current BGruppen.dat file: " + DescribeFailure(error) +
                      "\r\n\r\nCheck installation and try again...",
                  MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return;
    }

    std::string source;
    if (!SelectedVariantPath(source)) {
        error.number = 1;
        error.description = "No BGruppen.dat file is selected in the list.";
    } else {
        // Through a scratch file, so BGruppen.dat holds either its old or its complete new
        // content at any time.
        error = CopyViaScratch(s_.files, source, target, folder + CURRENT_FILE_SCRATCH, true);
    }
    if (error.failed()) {
        ui.Beep();
        ui.MsgBox("Unable to copy ' " + source + "' to current BGruppen.dat file: " +
                      DescribeFailure(error) + "\r\n\r\nCheck installation and try again...",
                  MB_ICONEXCLAMATION_VALUE, TITLE_TEXT);
        return;
    }

    ui.Beep();
    ui.MsgBox("'" + source + "' is copied as current BGruppen.dat file...",
              MB_ICONINFORMATION_VALUE, TITLE_TEXT);
    InitProg();
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
