// The 33 sound categories of the copy panel: their pages, keys, buttons,
// check boxes, source slots, messages and target folders.
#pragma once
