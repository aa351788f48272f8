#pragma once

#include <cstdint>
#include <vector>

namespace quorvane::test {

// A Flash movie whose every fact is known: a solid rectangle covering the
// stage each frame, optionally a tone (as an event sound or as stream sound)
// and a stop.
struct TestMovieRecipe {
    int width = 160, height = 120;
    int frameRate256 = 12 * 256;
    // 0xRRGGBB, one full-stage rectangle per frame; the frame count is the
    // number of colours.
    std::vector<std::uint32_t> frameColours;
    // A sine tone, 16-bit little-endian PCM mono at 44100 Hz (format 3),
    // started on that frame (0-based) by StartSound; -1 for none.
    int toneFrame = -1;
    double toneHz = 1000;
    double toneSeconds = 0.5;
    // An event sound given whole instead of the tone made here: DefineSound's
    // format byte (format, rate, size, type), sample count and data as
    // stored, when toneData is not empty. Started like the tone.
    std::uint8_t toneFormat = 0;
    std::uint32_t toneSampleCount = 0;
    std::vector<std::uint8_t> toneData;
    // StartSound's SOUNDINFO as stored; empty for none (a zero byte).
    std::vector<std::uint8_t> toneSoundInfo;
    // The tone as stream sound (SoundStreamHead2 and a SoundStreamBlock per
    // frame) from toneFrame instead.
    bool streamTone = false;
    // The tone's StartSound on the second frame of a two-frame movie clip
    // (DefineSprite) that stops there, placed on toneFrame instead: heard
    // from toneFrame + 1.
    bool toneInClip = false;
    // A DoAction holding ActionStop on that frame (0-based); -1 for none.
    int stopFrame = -1;
    bool compressed = false; // CWS (zlib) instead of FWS
    bool lzma = false;       // ZWS (LZMA, as Flash stores it) instead of FWS or CWS
    int version = 8;
};

// The tone's peak, as a fraction of full scale.
inline constexpr double kTestToneAmplitude = 0.5;

std::vector<std::uint8_t> MakeTestMovie(const TestMovieRecipe& recipe);

} // namespace quorvane::test
