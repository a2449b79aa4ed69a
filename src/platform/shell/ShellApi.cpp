#include "platform/shell/ShellApi.h"

#include "platform/shell/DesktopOpen.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

HINSTANCE ShellResult(int code) { return reinterpret_cast<HINSTANCE>(std::intptr_t(code)); }

int CodeFor(const shell::OpenResult& result) {
    switch (result.Status) {
    case shell::OpenStatus::Started: return 42;
    case shell::OpenStatus::EmptyTarget:
    case shell::OpenStatus::OpenerMissing: return SE_ERR_FNF;
    case shell::OpenStatus::UnsafeTarget: return SE_ERR_ACCESSDENIED;
    case shell::OpenStatus::BadDirectory: return SE_ERR_PNF;
    case shell::OpenStatus::StartFailed:
        if (result.Error == ENOEXEC) return ERROR_BAD_FORMAT;
        if (result.Error == ENOMEM || result.Error == EAGAIN) return SE_ERR_OOM;
        return SE_ERR_ACCESSDENIED;
    }
    return SE_ERR_NOASSOC;
}

} // namespace

HINSTANCE ShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       int) {
    if (lpOperation && *lpOperation && std::strcmp(lpOperation, "open") != 0)
        return ShellResult(SE_ERR_NOASSOC);
    if (lpParameters && *lpParameters) return ShellResult(SE_ERR_NOASSOC);
    std::string directory = lpDirectory ? lpDirectory : "";
    return ShellResult(CodeFor(shell::OpenWithDesktop(lpFile ? lpFile : "", directory)));
}
