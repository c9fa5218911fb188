#include "sounds/sound_replace.h"

#include <cstring>

#include "platform/narrow_names.h"

namespace {

// A sound is written under this name in its target folder first. It is an
// 8.3 name that the device never takes for a sound, and no longer than the
// shortest sound name ("a.wav"), so it fits wherever the sound's path fits.
const char kCopyTempName[] = "~.TMP";
// A checked new copy waits under the sound's name with the first ending
// ("Dog bark.wav.NEW") until it takes the name; the earlier copy waits with
// the second meanwhile. Their short (8.3) aliases end in them too, never in
// the sounds' ending, and the sound's name can be read back from them.
const char kCheckedEnding[] = ".NEW";
const char kDisplacedEnding[] = ".OLD";
const char kSoundEnding[] = ".wav";

// Whether a name ends in ending, letters in either case.
bool EndsWith(const char* name, const char* ending)
{
    size_t length = strlen(name), tail = strlen(ending);
    return length >= tail && _stricmp(name + length - tail, ending) == 0;
}

uint32_t LittleEndian32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// The sound's name of a file found as "<sound's name>.NEW" or ".OLD", in
// sound; false where there is none a copy could have given: no name left, a
// name beginning with a full stop (never copied), or no sound's ending. Such
// a file is not ours, nor is one whose name the code page cannot hold.
bool WaitingSoundName(const char* name, char (&sound)[MAX_PATH])
{
    if (name[0] == '.' || !(EndsWith(name, kCheckedEnding) || EndsWith(name, kDisplacedEnding)))
        return false;
    size_t length = strlen(name) - strlen(kCheckedEnding);
    memcpy(sound, name, length);
    sound[length] = '\0';
    return EndsWith(sound, kSoundEnding);
}

} // namespace

bool ComposeSoundPaths(ReplacePaths* paths, const LongPath folder, const char* name)
{
    return ComposeLongChild(paths->Target, folder, name, "") &&
           ComposeLongChild(paths->Temp, folder, kCopyTempName, "") &&
           ComposeLongChild(paths->Checked, folder, name, kCheckedEnding) &&
           ComposeLongChild(paths->Displaced, folder, name, kDisplacedEnding);
}

bool IsWholeSound(uint64_t length, const unsigned char* head)
{
    if (length == 0)
        return false;
    bool riff = length >= 8 && memcmp(head, "RIFF", 4) == 0;
    return !riff || uint64_t{LittleEndian32(head + 4)} + 8 <= length;
}

void SettleSoundFolder(const char* folder, FolderListing* listing)
{
    LongPath longFolder;
    if (!ComposeLongFolder(longFolder, folder) || !ListFolder(longFolder, listing))
        return;
    ReplacePaths paths;
    bool temp = FindListedFile(*listing, kCopyTempName) != nullptr;
    bool changed = temp && ComposeSoundPaths(&paths, longFolder, kCopyTempName) &&
                   DeleteLongPathIfPresent(paths.Temp);
    for (int pass = 0; pass < 2; ++pass) {
        for (const ListedFile& file : *listing) {
            char name[MAX_PATH], sound[MAX_PATH];
            if (ToNarrowName(file.Name.c_str(), name, sizeof name) != kNarrowExact)
                continue;
            if (pass == 0 && temp && file.Size == 0 && EndsWith(name, kSoundEnding) &&
                ComposeSoundPaths(&paths, longFolder, name)) {
                // A new sound goes straight from the temporary file to its
                // name; a rename of it cut short leaves the name empty.
                changed |= DeleteLongPathIfPresent(paths.Target);
            } else if (pass == 1 && WaitingSoundName(name, sound) &&
                       ComposeSoundPaths(&paths, longFolder, sound)) {
                changed |= SettleWaitingFiles(paths, IsWholeSound) != kNothingWaits;
            }
        }
    }
    if (changed)
        ListFolder(longFolder, listing);
}
