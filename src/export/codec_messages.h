#pragma once

namespace video_export {

// How much of FFmpeg's own logging reaches stderr: errors only (the
// encoders' chatter would bury a program's progress, and the export reports
// its failures as exceptions), or everything when `verbose`. A process-wide
// setting: the programs choose it once, at start.
void ShowCodecMessages(bool verbose);

}  // namespace video_export
