#include "platform/file_replace.h"

#include "platform/file_rename.h"

namespace {

// A rename onto a name that holds a file, or a folder, is refused with one
// of these.
bool NameTaken(DWORD error)
{
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ||
           error == ERROR_ACCESS_DENIED;
}

// Drops the new file, open under Checked, after a failure.
void DiscardChecked(HANDLE file, const ReplacePaths& paths)
{
    CloseHandle(file);
    DeleteFileW(paths.Checked);
}

// The new file, open under Checked, takes Target's name from the earlier
// file there, which moves aside only once the new one is durable under the
// name that says it is whole. On failure the new file is closed.
bool TakeNameFromEarlierFile(HANDLE file, const ReplacePaths& paths, bool* movedAside)
{
    if (!NameTaken(GetLastError()) || !FlushFileBuffers(file) || !MayReplace(paths.Target) ||
        !MoveOwnNameAside(paths.Target, paths.Displaced)) {
        DiscardChecked(file, paths);
        return false;
    }
    *movedAside = true;
    if (RenameOpenFile(file, paths.Target))
        return true;
    CloseHandle(file);
    // Where the earlier file cannot get its name back, the new one waits
    // whole under Checked for the next settling.
    if (RenameDurably(paths.Displaced, paths.Target)) {
        *movedAside = false;
        DeleteFileW(paths.Checked);
    }
    return false;
}

// What a file waiting for, or standing under, a name was found to be.
enum Probe {
    kAbsent,
    kWhole,
    kNotWhole,
    kUnknown, // it cannot be opened or read, or (as a target) it is not ours to replace
};

// Reads a file's length and first bytes to see whether it is whole. A file
// pending deletion, or held without sharing, does not open.
Probe ProbeOpenFile(HANDLE file, WholeTest whole)
{
    LARGE_INTEGER length = {};
    unsigned char head[kHeadSize] = {};
    DWORD read = 0;
    if (!GetFileSizeEx(file, &length) || !ReadFile(file, head, sizeof head, &read, nullptr))
        return kUnknown;
    return whole(static_cast<uint64_t>(length.QuadPart), head) ? kWhole : kNotWhole;
}

HANDLE OpenToProbe(const WCHAR* path, Probe* absent)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = GetLastError();
    *absent = file == INVALID_HANDLE_VALUE &&
                      (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                  ? kAbsent
                  : kUnknown;
    return file;
}

Probe ProbeFile(const WCHAR* path, WholeTest whole)
{
    Probe failed;
    HANDLE file = OpenToProbe(path, &failed);
    if (file == INVALID_HANDLE_VALUE)
        return failed;
    Probe probe = ProbeOpenFile(file, whole);
    CloseHandle(file);
    return probe;
}

// The file under the name itself: one that answers to it only through its
// short alias is another sound's, and a folder or a read-only file is not
// replaced (replaceable false).
Probe ProbeTarget(const WCHAR* target, WholeTest whole, bool* replaceable)
{
    Probe failed;
    HANDLE file = OpenToProbe(target, &failed);
    *replaceable = failed == kAbsent;
    if (file == INVALID_HANDLE_VALUE)
        return failed;
    BY_HANDLE_FILE_INFORMATION information = {};
    Probe probe = kUnknown;
    if (OpenedByOwnName(file, target) && GetFileInformationByHandle(file, &information)) {
        probe = ProbeOpenFile(file, whole);
        *replaceable = !(information.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    }
    CloseHandle(file);
    return probe;
}

// A whole checked file takes the name: a whole file there moves aside (it is
// removed once the checked one stands), one that is not whole is removed.
// Where the checked file cannot take the name, a whole earlier file waiting
// aside gets it back, so that the name holds the earlier file rather than
// nothing.
SettleOutcome PutCheckedInPlace(const ReplacePaths& paths, Probe target, bool replaceable,
                                WholeTest whole)
{
    if (target == kUnknown || !replaceable)
        return kCheckedWaits;
    if (target == kWhole ? !MoveOwnNameAside(paths.Target, paths.Displaced)
                         : !DeleteLongPathIfPresent(paths.Target))
        return kCheckedWaits;
    if (!RenameDurably(paths.Checked, paths.Target)) {
        if (ProbeFile(paths.Displaced, whole) == kWhole)
            RenameDurably(paths.Displaced, paths.Target);
        return kCheckedWaits;
    }
    RemoveDisplaced(paths);
    return kSettled;
}
} // namespace

HANDLE CreateTempFile(const ReplacePaths& paths)
{
    // Nobody else may write the new file before its check, nor rename it.
    return CreateFileW(paths.Temp, GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, nullptr);
}

bool PlaceCheckedFile(HANDLE file, const ReplacePaths& paths, PlaceRoute route, bool* movedAside)
{
    *movedAside = false;
    // A new name is given without a look at the target first: looking up a
    // missing name can cost a scan of the whole folder.
    bool placed = route == kStraightWhenFree && RenameOpenFile(file, paths.Target);
    if (!placed) {
        if ((route == kStraightWhenFree && !NameTaken(GetLastError())) ||
            !RenameOpenFile(file, paths.Checked)) {
            CloseHandle(file);
            DeleteFileW(paths.Temp);
            return false;
        }
        if (!RenameOpenFile(file, paths.Target) &&
            !TakeNameFromEarlierFile(file, paths, movedAside))
            return false;
    }
    // A rename is not written through by itself: the flush of the file
    // writes its folder entry on FAT and exFAT, which holds the name. A close
    // can still report a deferred write error of the medium.
    bool durable = FlushFileBuffers(file) != 0;
    durable = CloseHandle(file) && durable;
    if (!durable) {
        TakeBackPlacedFile(paths, *movedAside, paths.Temp);
        *movedAside = false;
    }
    return durable;
}

bool RemoveDisplaced(const ReplacePaths& paths)
{
    // Opening for attributes alone takes no share access from other openers.
    HANDLE standing = CreateFileW(paths.Target, FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    if (standing == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(standing);
    // Left behind only if this fails; the next settling removes it.
    DeleteFileW(paths.Displaced);
    return true;
}

void TakeBackPlacedFile(const ReplacePaths& paths, bool movedAside, const WCHAR* aside)
{
    bool cleared =
        DeleteLongPathIfPresent(aside) && MoveFileExW(paths.Target, aside, MOVEFILE_WRITE_THROUGH);
    if (cleared)
        DeleteFileW(aside); // left behind only if this fails, under a name never loaded
    else
        cleared = DeleteLongPathIfPresent(paths.Target);
    if (cleared && movedAside)
        RenameDurably(paths.Displaced, paths.Target);
}

SettleOutcome SettleWaitingFiles(const ReplacePaths& paths, WholeTest whole)
{
    Probe checked = ProbeFile(paths.Checked, whole);
    Probe displaced = ProbeFile(paths.Displaced, whole);
    if (checked == kAbsent && displaced == kAbsent)
        return kNothingWaits;
    bool replaceable = false;
    Probe target = ProbeTarget(paths.Target, whole, &replaceable);
    // A checked file that is not whole was cut short on its way: it never
    // holds the only whole copy.
    if (checked == kNotWhole)
        DeleteFileW(paths.Checked);
    if (checked == kWhole)
        return PutCheckedInPlace(paths, target, replaceable, whole);
    SettleOutcome outcome = checked == kUnknown ? kCheckedWaits : kSettled;
    if (displaced == kAbsent)
        return outcome;
    if (target == kWhole)
        return RemoveDisplaced(paths) ? outcome : kDisplacedWaits;
    // Only a whole earlier file is worth its name back, and only where the
    // name can be freed.
    if (displaced == kNotWhole)
        return outcome;
    if (displaced == kUnknown || target == kUnknown || !replaceable ||
        (target == kNotWhole && !DeleteLongPathIfPresent(paths.Target)) ||
        !RenameDurably(paths.Displaced, paths.Target))
        return kDisplacedWaits;
    return outcome;
}

bool IsFileWhole(const WCHAR* path, WholeTest whole)
{
    return ProbeFile(path, whole) == kWhole;
}
