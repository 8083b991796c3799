#include "clsExecProg.h"

#include "Text.h"

#include <vector>

namespace varnholt {

namespace {

std::string WindowsFolder() {
    const DWORD size = GetEnvironmentVariableW(L"windir", nullptr, 0);
    if (size == 0) {
        return std::string();
    }
    std::vector<wchar_t> value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"windir", value.data(), size);
    return Narrow(std::wstring(value.data(), length < size ? length : 0));
}

} // namespace

clsExecProg::clsExecProg(ShellExecuteFn shell) : shell_(shell), workDir_(WindowsFolder()) {}

clsExecProg::~clsExecProg() = default;

void clsExecProg::ExecProg() {
    process_.reset(); // the handle of an earlier launch on this object is no longer asked for
    record_.cbSize = sizeof(SHELLEXECUTEINFOA);
    record_.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    if (!progName_.empty()) {
        ansiFile_ = Utf8ToAnsi(progName_);
        ansiParameters_ = Utf8ToAnsi(paras_);
        record_.lpFile = ansiFile_.c_str();
        record_.lpParameters = ansiParameters_.c_str();
    } else {
        ansiFile_ = Utf8ToAnsi(paras_);
        record_.lpFile = ansiFile_.c_str();
        record_.lpParameters = nullptr;
    }
    ansiDirectory_ = Utf8ToAnsi(workDir_);
    record_.lpDirectory = ansiDirectory_.c_str();
    record_.nShow = winMode_;
    record_.hInstApp = nullptr;
    record_.hProcess = nullptr;
    shell_(&record_); // the outcome is judged by hInstApp
    error_ = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(record_.hInstApp)) <= 32;
    process_.reset(record_.hProcess);
}

bool clsExecProg::IsRunning() {
    switch (WaitForSingleObject(process_.get(), 10)) {
    case WAIT_FAILED:
        error_ = true;
        return false;
    case WAIT_OBJECT_0:
        return false;
    default:
        return true;
    }
}

} // namespace varnholt
