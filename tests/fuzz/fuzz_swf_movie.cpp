// A Flash movie's facts, and the sound track of the movies whose facts were
// read, over at most two seconds of frames so each run stays quick: whatever
// the bytes, the facts are in range and the track is exactly as long as its
// frames, with no NaN or infinity in it.

#include "FuzzSupport.h"

#include "export/MovieSound.h"
#include "export/SwfMovie.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

using quorvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto movie = quorvane::ReadSwfMovie(bytes);
    if (!movie) {
        Require(!movie.error().sentence.empty());
        return 0;
    }
    Require(movie->width > 0 && movie->height > 0);
    Require(movie->frameRate256 > 0 && movie->frameRate256 <= 0xffff);
    Require(movie->playFrames >= 1);
    Require(movie->playFrames <= std::max(movie->frameCount, 1));

    const int frames = std::min(movie->playFrames, 2 * movie->frameRate256 / 256);
    const auto track = quorvane::MovieSoundTrack(bytes, *movie, frames);
    if (!track) {
        Require(!track.error().sentence.empty());
        return 0;
    }
    // frames / rate seconds at 48 kHz, rounded to the nearest sample.
    const std::int64_t scaled = std::int64_t{frames} * 256 * 48000;
    const std::int64_t expected = (2 * scaled + movie->frameRate256) / (2 * movie->frameRate256);
    Require(track->sampleRate == 48000);
    Require(static_cast<std::int64_t>(track->samples.size()) == 2 * expected);
    Require(std::all_of(track->samples.begin(), track->samples.end(),
                        [](float s) { return std::isfinite(s); }));
    return 0;
}
