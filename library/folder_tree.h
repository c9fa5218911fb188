// The "audio" folder tree under the save directory.
#pragma once

// Creates the folder of CurrentCategory with its parents: 0 created,
// 1 existed, -1 no folder applies, the path does not fit or creation failed.
int CreateCategoryFolder();
