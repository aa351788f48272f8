#pragma once

#include "export/SwfMovie.h"
#include "platform/CancelFlag.h"
#include "platform/Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorvane {

struct SoundTrack {
    int sampleRate = 48000;
    std::vector<float> samples; // interleaved stereo
    // Sounds the track goes without: started sounds and stream sound in a
    // format this program does not decode (Speex, unknown formats) or whose
    // decoder is missing.
    int soundsSkipped = 0;
};

// The sound a movie's root timeline plays during its first `frames` frames,
// mixed, exactly frames / frame rate seconds long, at 48 kHz stereo.
//
// Event sounds (DefineSound started by StartSound or StartSound2) start at
// the start of the frame whose tags start them, with their sound info
// (SyncStop, SyncNoMultiple, loops, in and out points, envelope); stream
// sound (SoundStreamHead / SoundStreamHead2 and a SoundStreamBlock per frame)
// is placed frame by frame. Uncompressed PCM, ADPCM, MP3 and Nellymoser are
// decoded; other formats are counted in soundsSkipped.
//
// Event sounds started in a movie clip (DefineSprite) placed on the root
// timeline are heard too, at the root frames where the clip shows their
// frames: from the frame that places it until it is removed, starting over
// after its last frame unless its actions stop it. Clips inside clips, and
// sounds started by ActionScript, are not heard: no script is run.
//
// TooMuchWork when the track would last over 10 minutes, its sounds decode
// to more than that in all or mix to more than 16 times it, or more than
// 4096 sounds are started; Cancelled when cancel is set.
Result<SoundTrack> MovieSoundTrack(std::span<const std::uint8_t> bytes, const SwfMovie& movie,
                                   int frames, const CancelFlag* cancel = nullptr);

} // namespace quorvane
