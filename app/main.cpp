// The program entry: wires the window to the platform's registry, settings store, file system,
// folder picker, launcher and clock, and runs it.
#include "../platform/RegistrySettings.h"
#include "../platform/ResourceTexts.h"
#include "../platform/ShellOnDemand.h"
#include "../platform/Win32Clock.h"
#include "../platform/Win32FileSystem.h"
#include "../platform/clsExecProg.h"
#include "../platform/modDatDlgs.h"
#include "../platform/modRegSubs.h"
#include "frmVarnholt.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Every text in the language of the user's Windows, or the one "/lang de|en" asks for.
    varnholt::ScopedTexts texts(instance, varnholt::ChosenLanguage(GetCommandLineW()));
    // COM, which the folder-browse dialog and the shell's launch need, is started on this thread
    // by the first of them: a normal start loads neither the shell nor COM.
    varnholt::Win32Registry registry;
    varnholt::RegistrySettings settings;
    varnholt::Win32FileSystem files;
    varnholt::ShellFolderPicker picker;
    varnholt::ShellLauncherFactory launchers;
    varnholt::modVarnholt folders;
    varnholt::Win32Clock clock;

    int exitCode = 0;
    {
        varnholt::frmVarnholt form(instance, registry, settings, files, picker, launchers, folders,
                                   &clock);
        if (form.Create()) {
            exitCode = form.Run();
        }
    }
    varnholt::ReleaseCom();
    return exitCode;
}
