// Copying the sound files of the ticked categories of the active copy page.
#pragma once

#include <windows.h>

#include "sounds/copy_job.h"

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
