// A Flash movie's facts and its sound track, read from movies made by the
// test movie writer (whose facts are the recipe it was given) and from
// movies damaged on purpose.

#include "export/SwfMovie.h"
#include "export/MovieSound.h"
#include "support/TestMovie.h"

#include <gtest/gtest.h>
#include <zlib.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

using namespace quorvane;
using quorvane::test::MakeTestMovie;
using quorvane::test::TestMovieRecipe;

namespace {

std::vector<std::uint32_t> Colours(int frames) {
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < frames; ++i)
        colours.push_back(0x102030u * static_cast<std::uint32_t>(i + 1));
    return colours;
}

// Where a tone in the left channel of a 48 kHz stereo track starts, its
// pitch by zero crossings and its peak, both measured between 10 ms after its
// start and 10 ms before `end` seconds; the loudest sample before it; and
// whether both channels are the same.
struct Heard {
    double start = -1, hz = 0, peak = 0, loudestBefore = 0;
    bool channelsAlike = false;
};

Heard Listen(const std::vector<float>& track, double end) {
    Heard heard;
    std::vector<float> left;
    heard.channelsAlike = true;
    for (std::size_t i = 0; i + 1 < track.size(); i += 2) {
        left.push_back(track[i]);
        heard.channelsAlike = heard.channelsAlike && track[i] == track[i + 1];
    }
    const auto first =
        std::find_if(left.begin(), left.end(), [](float s) { return std::abs(s) > 0.05f; });
    if (first == left.end())
        return heard;
    const auto at = static_cast<int>(first - left.begin());
    heard.start = at / 48000.0;
    for (int i = 0; i < at - 96; ++i)
        heard.loudestBefore = std::max<double>(heard.loudestBefore, std::abs(left[i]));
    const int from = at + 480;
    const int to = std::min(static_cast<int>(end * 48000) - 480, static_cast<int>(left.size()));
    int crossings = 0;
    for (int i = from + 1; i < to; ++i) {
        if ((left[i - 1] < 0) != (left[i] < 0))
            ++crossings;
        heard.peak = std::max<double>(heard.peak, std::abs(left[i]));
    }
    heard.hz = crossings / 2.0 / ((to - from) / 48000.0);
    return heard;
}

// A 1000 Hz tone at half of full scale, mono, encoded by libavcodec's
// encoder of that name (packets joined as they came), and the samples the
// encoder says a decoder must drop at the start.
struct Encoded {
    std::vector<std::uint8_t> data;
    int delay = 0;
};

Encoded EncodeTone(const char* name, int rate, int samples) {
    Encoded encoded;
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (codec == nullptr)
        return encoded;
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->sample_rate = rate;
    av_channel_layout_default(&context->ch_layout, 1);
    context->sample_fmt = AV_SAMPLE_FMT_NONE;
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
        if (*f == AV_SAMPLE_FMT_S16 || *f == AV_SAMPLE_FMT_S16P || *f == AV_SAMPLE_FMT_FLT ||
            *f == AV_SAMPLE_FMT_FLTP)
            context->sample_fmt = *f;
    context->bit_rate = 96000;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    const auto drain = [&] {
        while (avcodec_receive_packet(context, packet) == 0) {
            encoded.data.insert(encoded.data.end(), packet->data, packet->data + packet->size);
            av_packet_unref(packet);
        }
    };
    if (context->sample_fmt != AV_SAMPLE_FMT_NONE && avcodec_open2(context, codec, nullptr) == 0) {
        for (int done = 0; done < samples;) {
            frame->nb_samples = std::min(context->frame_size, samples - done);
            frame->format = context->sample_fmt;
            frame->sample_rate = rate;
            av_channel_layout_default(&frame->ch_layout, 1);
            if (av_frame_get_buffer(frame, 0) != 0)
                break;
            for (int i = 0; i < frame->nb_samples; ++i) {
                const double value = 0.5 * std::sin(2 * M_PI * 1000 * (done + i) / rate);
                if (context->sample_fmt == AV_SAMPLE_FMT_S16 ||
                    context->sample_fmt == AV_SAMPLE_FMT_S16P)
                    reinterpret_cast<std::int16_t*>(frame->data[0])[i] =
                        static_cast<std::int16_t>(std::lround(value * 32767));
                else
                    reinterpret_cast<float*>(frame->data[0])[i] = static_cast<float>(value);
            }
            done += frame->nb_samples;
            if (avcodec_send_frame(context, frame) != 0)
                break;
            av_frame_unref(frame);
            drain();
        }
        avcodec_send_frame(context, nullptr);
        drain();
        encoded.delay = context->initial_padding;
    }
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&context);
    return encoded;
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(SwfMovie, FactsOfMadeMoviesAreThoseTheyWereMadeWith) {
    TestMovieRecipe stopped;
    stopped.width = 201;
    stopped.height = 150;
    stopped.frameRate256 = 3200; // 12.5 frames a second
    stopped.frameColours = Colours(5);
    stopped.stopFrame = 2;
    stopped.compressed = true;
    const auto bytes = MakeTestMovie(stopped);
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "CWS");
    const auto facts = ReadSwfMovie(bytes);
    ASSERT_TRUE(facts) << facts.error().sentence;
    EXPECT_EQ(facts->width, 201);
    EXPECT_EQ(facts->height, 150);
    EXPECT_EQ(facts->frameRate256, 3200);
    EXPECT_EQ(facts->frameCount, 5);
    EXPECT_EQ(facts->playFrames, 3);
    EXPECT_EQ(facts->version, 8);
    EXPECT_FALSE(facts->hasSound);
    EXPECT_FALSE(facts->actionScript3);

    TestMovieRecipe event;
    event.frameColours = Colours(4);
    event.toneFrame = 1;
    event.version = 13;
    event.lzma = true;
    const auto eventFacts = ReadSwfMovie(MakeTestMovie(event));
    ASSERT_TRUE(eventFacts) << eventFacts.error().sentence;
    EXPECT_EQ(eventFacts->width, 160);
    EXPECT_EQ(eventFacts->height, 120);
    EXPECT_EQ(eventFacts->frameRate256, 12 * 256);
    EXPECT_EQ(eventFacts->playFrames, 4);
    EXPECT_EQ(eventFacts->version, 13);
    EXPECT_TRUE(eventFacts->hasSound);

    TestMovieRecipe stream = event;
    stream.streamTone = true;
    stream.lzma = false;
    stream.stopFrame = 3;
    const auto streamFacts = ReadSwfMovie(MakeTestMovie(stream));
    ASSERT_TRUE(streamFacts) << streamFacts.error().sentence;
    EXPECT_TRUE(streamFacts->hasSound);
    EXPECT_EQ(streamFacts->playFrames, 4);
}

// A 1000 Hz tone started on frame 3 of a 12 fps movie is heard from 0.25 s
// for its 0.5 s, at its pitch and level, in both channels, and not before.
TEST(MovieSound, ToneStartsOnItsFrameAsEventAndAsStreamSoundAndFromAMovieClip) {
    enum class Kind { Event, Stream, Clip };
    for (const Kind kind : {Kind::Event, Kind::Stream, Kind::Clip}) {
        SCOPED_TRACE(kind == Kind::Event    ? "event sound"
                     : kind == Kind::Stream ? "stream sound"
                                            : "movie clip");
        TestMovieRecipe recipe;
        recipe.frameColours = Colours(12);
        // The clip, placed on frame 2, starts the tone on its second frame.
        recipe.toneFrame = kind == Kind::Clip ? 2 : 3;
        recipe.streamTone = kind == Kind::Stream;
        recipe.toneInClip = kind == Kind::Clip;
        const auto bytes = MakeTestMovie(recipe);
        const auto movie = ReadSwfMovie(bytes);
        ASSERT_TRUE(movie) << movie.error().sentence;
        EXPECT_TRUE(movie->hasSound);
        const auto track = MovieSoundTrack(bytes, *movie, 12);
        ASSERT_TRUE(track) << track.error().sentence;
        ASSERT_EQ(track->sampleRate, 48000);
        ASSERT_EQ(track->samples.size(), 2u * 48000);
        EXPECT_EQ(track->soundsSkipped, 0);

        const Heard heard = Listen(track->samples, 0.75);
        EXPECT_TRUE(heard.channelsAlike);
        EXPECT_NEAR(heard.start, 0.25, 0.002);
        EXPECT_LT(heard.loudestBefore, 1e-3);
        EXPECT_NEAR(heard.hz, 1000, 10);
        EXPECT_NEAR(heard.peak, 0.5, 0.025);
        // And silence after its half second.
        const auto after =
            std::max_element(track->samples.begin() + 2 * 48000 * 752 / 1000, track->samples.end(),
                             [](float a, float b) { return std::abs(a) < std::abs(b); });
        EXPECT_LT(std::abs(*after), 1e-3f);
    }
}

// The same tone encoded by libavcodec's own encoders, as event sounds:
// MP3 with the encoder's delay stated in the sound's first two bytes,
// ADPCM (one packet: the encoder starts each with its own code size) and
// Nellymoser, whose blocks overlap by half (128 samples) and so come out
// that much late, in Flash as anywhere.
TEST(MovieSound, CompressedSoundsAreHeardAtTheirPitchAndTime) {
    struct Case {
        const char* encoder;
        int rate;
        int samples;
        std::uint8_t format; // format, rate, 16-bit, mono
        int lag;             // samples the codec itself delays by, not stated anywhere
    };
    for (const Case& c :
         {Case{"libmp3lame", 44100, 22050, 0x2e, 0}, Case{"adpcm_swf", 11025, 4096, 0x16, 0},
          Case{"nellymoser", 44100, 22016, 0x6e, 128}}) {
        SCOPED_TRACE(c.encoder);
        const Encoded encoded = EncodeTone(c.encoder, c.rate, c.samples);
        ASSERT_FALSE(encoded.data.empty()) << "libavcodec has no encoder " << c.encoder;
        TestMovieRecipe recipe;
        recipe.frameColours = Colours(12);
        recipe.toneFrame = 3;
        recipe.toneFormat = c.format;
        recipe.toneSampleCount = static_cast<std::uint32_t>(c.samples);
        if (c.format >> 4 == 2) {
            recipe.toneData = {static_cast<std::uint8_t>(encoded.delay & 0xff),
                               static_cast<std::uint8_t>(encoded.delay >> 8)};
        }
        recipe.toneData.insert(recipe.toneData.end(), encoded.data.begin(), encoded.data.end());
        const auto bytes = MakeTestMovie(recipe);
        const auto movie = ReadSwfMovie(bytes);
        ASSERT_TRUE(movie) << movie.error().sentence;
        const auto track = MovieSoundTrack(bytes, *movie, 12);
        ASSERT_TRUE(track) << track.error().sentence;
        EXPECT_EQ(track->soundsSkipped, 0);
        const Heard heard = Listen(track->samples, 0.25 + static_cast<double>(c.samples) / c.rate);
        EXPECT_NEAR(heard.start, 0.25 + static_cast<double>(c.lag) / c.rate, 0.002);
        EXPECT_LT(heard.loudestBefore, 0.01);
        EXPECT_NEAR(heard.hz, 1000, 10);
        EXPECT_NEAR(heard.peak, 0.5, 0.1);
    }
}

// StartSound's sound info: from 0.1 s into the 0.2 s tone, twice over, with
// an envelope that keeps the left channel silent.
TEST(MovieSound, SoundInfoPicksLoopsAndLevels) {
    TestMovieRecipe recipe;
    recipe.frameColours = Colours(12);
    recipe.toneFrame = 3;
    recipe.toneSeconds = 0.2;
    recipe.toneSoundInfo = {
        0x0d,                   // envelope, loops, in point
        0x3a, 0x11, 0x00, 0x00, // in at 4410 (of 44100 a second)
        0x02, 0x00,             // twice
        0x01,                   // one envelope point:
        0x00, 0x00, 0x00, 0x00, // at 0,
        0x00, 0x00,             // left silent,
        0x00, 0x80,             // right at full level
    };
    const auto bytes = MakeTestMovie(recipe);
    const auto movie = ReadSwfMovie(bytes);
    ASSERT_TRUE(movie) << movie.error().sentence;
    const auto track = MovieSoundTrack(bytes, *movie, 12);
    ASSERT_TRUE(track) << track.error().sentence;
    std::vector<float> left, right;
    for (std::size_t i = 0; i + 1 < track->samples.size(); i += 2) {
        left.push_back(track->samples[i]);
        right.push_back(track->samples[i + 1]);
    }
    const auto loudest = [](auto from, auto to) {
        float peak = 0;
        for (auto it = from; it != to; ++it)
            peak = std::max(peak, std::abs(*it));
        return peak;
    };
    EXPECT_LT(loudest(left.begin(), left.end()), 1e-3f);
    EXPECT_LT(loudest(right.begin(), right.begin() + 48000 * 248 / 1000), 1e-3f);
    EXPECT_NEAR(loudest(right.begin() + 48000 * 25 / 100, right.begin() + 48000 * 45 / 100), 0.5,
                0.025);
    EXPECT_GT(loudest(right.begin() + 48000 * 44 / 100, right.begin() + 48000 * 45 / 100), 0.45f);
    EXPECT_LT(loudest(right.begin() + 48000 * 452 / 1000, right.end()), 1e-3f);
}

TEST(SwfMovie, HostileMoviesFailWithTheirCode) {
    TestMovieRecipe recipe;
    recipe.frameColours = Colours(3);
    recipe.toneFrame = 1;
    const auto good = MakeTestMovie(recipe);
    const auto goodFacts = ReadSwfMovie(good);
    ASSERT_TRUE(goodFacts);
    // A track of over ten minutes: 7201 frames at 12 a second.
    const auto tooLong = MovieSoundTrack(good, *goodFacts, 7201);
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.error().code, FailureCode::TooMuchWork);
    const auto expectFailure = [&](const std::vector<std::uint8_t>& bytes, FailureCode code) {
        const auto facts = ReadSwfMovie(bytes);
        ASSERT_FALSE(facts);
        EXPECT_EQ(facts.error().code, code);
        EXPECT_FALSE(facts.error().sentence.empty());
        const auto track = MovieSoundTrack(bytes, *goodFacts, 3);
        ASSERT_FALSE(track);
        EXPECT_EQ(track.error().code, code);
    };

    SCOPED_TRACE("cut short");
    expectFailure({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)},
                  FailureCode::Damaged);
    SCOPED_TRACE("not a movie");
    expectFailure({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, FailureCode::Damaged);

    SCOPED_TRACE("a header claiming 4 GiB");
    auto huge = good;
    huge[4] = huge[5] = huge[6] = huge[7] = 0xff;
    expectFailure(huge, FailureCode::TooMuchWork);

    SCOPED_TRACE("a tag longer than the movie");
    // The made movie's 8-byte file header, its 8-byte RECT (13-bit fields
    // for 3200 by 2400 twips), rate and frame count, then a DefineShape
    // saying it holds 1,000,000 bytes.
    std::vector<std::uint8_t> longTag(good.begin(), good.begin() + 8 + 8 + 4);
    longTag.insert(longTag.end(), {0xbf, 0x00, 0x40, 0x42, 0x0f, 0x00, 1, 2, 3});
    const auto length = static_cast<std::uint32_t>(longTag.size());
    for (int i = 0; i < 4; ++i)
        longTag[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    expectFailure(longTag, FailureCode::Damaged);

    SCOPED_TRACE("a sound whose data is not of its format");
    {
        // Found by the fuzzer: a sound said to be Nellymoser at 8 kHz whose
        // bytes make the decoder give NaN.
        std::ifstream file(QUORVANE_TEST_DATA "/swf/nellymoser-giving-nan.swf", std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), {});
        const auto movie = ReadSwfMovie(bytes);
        ASSERT_TRUE(movie) << movie.error().sentence;
        const auto track = MovieSoundTrack(bytes, *movie, movie->playFrames);
        ASSERT_TRUE(track) << track.error().sentence;
        EXPECT_TRUE(std::all_of(track->samples.begin(), track->samples.end(),
                                [](float sample) { return std::isfinite(sample); }));
    }

    // 80 MiB of zeros, deflated: stated honestly it is refused before any
    // of it is inflated; stated as 4 KiB only 4 KiB are.
    std::vector<std::uint8_t> deflated(1u << 20);
    {
        z_stream stream{};
        ASSERT_EQ(deflateInit(&stream, 9), Z_OK);
        const std::vector<std::uint8_t> zeros(1u << 20, 0);
        std::size_t used = 0;
        for (int round = 0; round < 80; ++round) {
            stream.next_in = const_cast<Bytef*>(zeros.data());
            stream.avail_in = static_cast<uInt>(zeros.size());
            stream.next_out = deflated.data() + used;
            stream.avail_out = static_cast<uInt>(deflated.size() - used);
            ASSERT_EQ(deflate(&stream, round == 79 ? Z_FINISH : Z_NO_FLUSH),
                      round == 79 ? Z_STREAM_END : Z_OK);
            used = deflated.size() - stream.avail_out;
        }
        deflateEnd(&stream);
        deflated.resize(used);
    }
    std::vector<std::uint8_t> bomb = {'C', 'W', 'S', 8, 8, 0, 0, 0x05}; // 80 MiB + 8
    bomb.insert(bomb.end(), deflated.begin(), deflated.end());
    SCOPED_TRACE("a zlib bomb stated honestly");
    expectFailure(bomb, FailureCode::TooMuchWork);
    SCOPED_TRACE("a zlib bomb stated small");
    bomb[4] = 8;
    bomb[5] = 0x10;
    bomb[6] = bomb[7] = 0;
    const long before = PeakResidentKiB();
    // Its first 4 KiB are zeros: a stage of no size.
    expectFailure(bomb, FailureCode::Damaged);
    EXPECT_LT(PeakResidentKiB() - before, 64 * 1024);
}
