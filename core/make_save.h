#pragma once
#include <cstdint>

#include "compose/compositor.h"
#include "core/app_state.h"
#include "platform/warning.h"

// The count text by the standard atoi rules: leading white space, an optional sign, then decimal
// digits up to the first other character; 0 without digits. A number beyond the 32-bit range
// gives the nearest 32-bit value, so the answer is the same on every platform.
std::int32_t ReadStampCount(const char* text);

// The execute command: stampCount from the count text, then a new made picture composed from
// the source at the target size, replacing the previous one, each pass told to `progress`.
// NoSource (nothing changed) without a source picture; OutOfMemory when the memory for the canvas
// or the passes could not be had, and then no made picture is held.
CoreOutcome MakePicture(AppState& state, const char* countText, const ProgressReport& progress);

// What the save command requires before its dialog: NothingToSave without a made picture.
CoreOutcome CheckSavePrecondition(const AppState& state);

// Writes the made picture to imagePath as a BMP file. The file standing there is replaced only
// once the new one is complete; a failure leaves it as it was and is told by a warning owned by
// `owner`. currentFolder is refreshed in every case. `written`, when given, says whether the
// file now holds the picture. NothingToSave without a made picture.
CoreOutcome SaveMadePicture(AppState& state, OwnerWindow owner, bool* written = nullptr);
