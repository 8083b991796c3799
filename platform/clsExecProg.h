// Starts a program, or opens a document or web address with its associated program, through
// the shell, and keeps the started process's handle. Reports failure only through EPError.
#pragma once

#include "../core/Ports.h"
#include "Handles.h"
#include "ShellOnDemand.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace varnholt {

class clsExecProg : public Launcher {
  public:
    using ShellExecuteFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);

    // `shell` is the platform's ShellExecuteExW, loaded at the first launch, unless a test hands
    // in its own.
    explicit clsExecProg(ShellExecuteFn shell = ShellExecuteExOnDemand);
    ~clsExecProg() override;
    clsExecProg(const clsExecProg&) = delete;
    clsExecProg& operator=(const clsExecProg&) = delete;

    bool EPError() const override { return error_; }
    void ExecProg() override;
    bool IsRunning() override;
    std::string ProgName() const override { return progName_; }
    void WinMode(std::int32_t lngWinMode) override { winMode_ = lngWinMode; }
    void WorkDir(const std::string& szWD) override { workDir_ = szWD; }
    void ProgName(const std::string& strProgName) override { progName_ = strProgName; }
    void ProgParas(const std::string& strParas) override { paras_ = strParas; }

    // The launch record as the last ExecProg filled it.
    const SHELLEXECUTEINFOW& LaunchRecord() const { return record_; }

  private:
    ShellExecuteFn shell_;
    std::string progName_;
    std::string paras_;
    std::string workDir_;
    std::int32_t winMode_ = SW_SHOWMAXIMIZED;
    bool error_ = false;
    SHELLEXECUTEINFOW record_ = {};
    KernelHandle process_;
    // The wide forms of the texts the record points to.
    std::wstring wideFile_;
    std::wstring wideParameters_;
    std::wstring wideDirectory_;
};

class ShellLauncherFactory : public LauncherFactory {
  public:
    std::unique_ptr<Launcher> CreateLauncher() override {
        return std::unique_ptr<Launcher>(new clsExecProg());
    }
    std::string SystemProgram(const std::string& name) override;
    std::string FullPath(const std::string& path) override;
    std::string WhereFileLies(const std::string& path) override;
};

} // namespace varnholt
