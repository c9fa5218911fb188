// One Copy as one value, from its plan to its end: what it copies, what it
// has done, and how its window takes part.
#pragma once

#include <cstdint>
#include <vector>

#include "model/session_state.h"
#include "platform/content_digest.h"
#include "platform/long_path.h"
#include "sounds/card_space.h"
#include "sounds/sound_categories.h"

// How far the copy is asked to stop.
enum CopyStop : int {
    kKeepCopying,
    kStopAtFileBoundary,  // the file under way is finished first
    kAbandonFileUnderWay, // the file under way is dropped, its temporary file removed
};

// How far a copy has come, in bytes of work: each byte of a file counts
// three times, as written, as read back, and as checked again at the end.
struct CopyProgressFigures {
    uint64_t Done;
    uint64_t Total;
    bool FileFailed;
};

// The window's part in a copy, handed over with it. The copy may run on a
// thread of its own: the last two are called from that thread, between files
// and during long ones.
struct CopyWindowHooks {
    // Locks (false) or re-derives (true) the animal rows and the Copy button
    // around the copy of an animal page.
    void (*ApplyCopyPanelRules)(bool playbackOn);
    void (*ReportProgress)(const CopyProgressFigures& figures);
    CopyStop (*StopRequested)();
};

// A ticked category as the Copy found it before writing anything.
struct PlannedCategory {
    const SoundCategory* Category;
    int SoundsFound;       // sounds its folder search found
    bool IntoSourceFolder; // its source folder is its own target folder
};

// A sound this Copy put on the card, for the last check: the source for the
// status line, its place in the copy, and what the card held when it was
// checked.
struct CopiedFile {
    char Source[kPathSize];
    char Target[kPathSize];
    int Ordinal;
    ContentDigest Digest;
};

// The sounds of the ticked folders that are not on the card when the Copy
// ends, and the first of them in copy order (for a category passed over, its
// source folder).
struct NotOnCard {
    int Count;
    int FirstOrdinal;
    char First[kPathSize];
};

// One Copy, from its plan to its end.
struct CopyJob {
    CopyWindowHooks Window;
    // The ticked categories of the page, read once, in copy order.
    PlannedCategory Planned[kCategoryCount];
    int PlannedCount;
    CardRoom Room;
    std::vector<CopiedFile> Copied;
    // The sounds the Copy has come to, in copy order: handed to the copy, or
    // passed over with their category.
    int SoundsReached;
    NotOnCard Missing;
    // The first sound a stop left unreached in the folder being copied.
    char Unreached[kPathSize];
    CopyProgressFigures Progress;
    uint64_t WorkOfEndedFiles;
    bool Stopping;
    // The folder being copied into, in long form.
    LongPath TargetFolder;
};
