#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <span>

namespace quorvane {

// What a Flash movie says about itself, read from its header and its root
// timeline's tags.
struct SwfMovie {
    // The stage in pixels: the header's rectangle in twips / 20, rounded up.
    int width = 0, height = 0;
    // Frames per second times 256 (the header's 8.8 fixed point). A movie
    // stating 0 is read as 12 frames a second, Flash authoring's default, so
    // that every movie has a finite length.
    int frameRate256 = 0;
    int frameCount = 0; // as the header states it
    // The frames of one loop: through the first root-timeline frame whose
    // DoAction reaches ActionStop in straight-line code, else every frame
    // (the ShowFrame tags counted, no more than the header's count). At
    // least 1: a movie shows its first frame.
    int playFrames = 0;
    int version = 0;
    // A DefineSound started on the root timeline, or stream sound blocks
    // there (in any frame, of any format).
    bool hasSound = false;
    bool actionScript3 = false; // FileAttributes says so
};

// The bytes of a whole .swf: FWS, CWS (zlib) or ZWS (LZMA as Flash stores
// it). Damaged when the bytes are not a whole movie, TooMuchWork when the
// movie states a length over 64 MiB.
Result<SwfMovie> ReadSwfMovie(std::span<const std::uint8_t> bytes);

} // namespace quorvane
