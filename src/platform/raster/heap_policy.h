#pragma once

namespace raster {

// Sets the process's heap to keep what frames free for the next frame.
//
// Every frame of a region style builds its region (hundreds of bands, up to
// tens of thousands of spans, a few hundred kilobytes) and frees it when the
// frame is done. With the C library's defaults a free of that size at the top
// of the heap hands the memory back to the system at once, and the next frame
// takes it back page by page: a system call that flushes the address space on
// every processor, then a page fault and a cleared page for every 4 KiB, three
// times a frame. Measured at 1920 x 1080 that doubled the cost of the uneven
// shreds (3.2-3.8 memcpy of the frame instead of 1.4-1.7). With this policy up
// to 32 MiB of freed heap stays with the process, and blocks below 4 MiB (the
// size from which bitmaps are mapped on their own) always come from the heap.
// Call once, first thing in main: every program of the project does.
void KeepHeapForNextFrames();

}  // namespace raster
