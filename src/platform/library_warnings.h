#pragma once

namespace platform {

// Whether the messages libtiff writes about damaged files (a dozen lines for
// one broken directory) reach stderr. Off by default: a decoding failure is
// reported once, by the PictureError of the caller; a verbose mode turns them
// on to see what the library noticed.
void ShowLibraryWarnings(bool shown);

// Routes the libraries' messages through the setting above; called by the
// decoders before a library first runs.
void InstallLibraryWarningFilter();

}  // namespace platform
