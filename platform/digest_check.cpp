#include "platform/digest_check.h"

namespace {

const int kHeldOpenAttempts = 10;
const DWORD kHeldOpenRetryDelay = 100;

bool IsHeldError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

} // namespace

FileCheck CheckFileDigest(const char* path, const ContentDigest& digest,
                          const WorkProgress& progress)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH))
        return kFileUnchecked;
    HANDLE medium = INVALID_HANDLE_VALUE;
    for (int attempt = 1; attempt <= kHeldOpenAttempts; ++attempt) {
        medium = OpenOnMedium(wide, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        if (medium != INVALID_HANDLE_VALUE || !IsHeldError(GetLastError()) ||
            attempt == kHeldOpenAttempts || !NoteProgress(progress, 0))
            break;
        Sleep(kHeldOpenRetryDelay);
    }
    if (medium == INVALID_HANDLE_VALUE)
        return kFileUnchecked;
    MediumRead read = ReadBackAgainst(medium, digest, progress, 0);
    CloseHandle(medium);
    return read == kReadMatches   ? kFileMatches
           : read == kReadDiffers ? kFileDiffers
                                  : kFileUnchecked;
}

bool FileHoldsOnMedium(const char* path, const void* data, DWORD size)
{
    DigestState state;
    StartDigest(&state);
    AddToDigest(&state, data, size);
    return CheckFileDigest(path, FinishDigest(state), {}) == kFileMatches;
}
