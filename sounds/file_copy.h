// Copying the sound files of the ticked categories of the active copy page.
#pragma once

#include <windows.h>

#include <cstdint>

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

// Copies the ticked categories of the active page, as ticked when it
// starts. Each folder it writes to is first settled (what an interrupted
// Copy left there is put right), and a Copy that would not fit in the card's
// free room is then refused before anything is written. Each file goes
// through a temporary name in its target folder and takes the sound's name
// only once read back from the card intact; before the page is unlocked, a
// last pass reads every copied file back again and compares it with what was
// checked, since a card that lies about its size overwrites earlier files (a
// stop at a file boundary still makes that pass). When a sound of the ticked
// folders is then not on the card, the status line ends saying how many and
// which first; when all are, it ends saying so where a folder the settings
// play from holds no sound (sounds/card_readiness.h).
void CopyCheckedCategories(HWND dialog, const CopyWindowHooks& window);
