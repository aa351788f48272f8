#pragma once

#include "export/RenderClock.h"
#include "platform/Result.h"

#include <QImage>

#include <cstdint>
#include <memory>

struct AVCodecContext;
struct AVFilterContext;
struct AVFilterGraph;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace quorvane {

class AvFileOutput;
class NewFile;

// The render's animated .gif, looping forever: each frame gets a palette of
// its own (libavfilter's palettegen and paletteuse), libavcodec codes it and
// libavformat writes the file. GIF counts time in hundredths of a second:
// each frame starts at its exact start rounded, so the delays alternate and
// add up to the movie's length. Browsers show a delay under 2 as 10, so a
// frame that would start less than 2 after the one before is left out
// (only movies faster than 50 frames a second have such frames).
class GifEncoder {
public:
    static Result<std::unique_ptr<GifEncoder>> Open(std::unique_ptr<NewFile> file, QSize size,
                                                    const RenderClock& clock);
    ~GifEncoder();
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    // frame: Format_RGB32 of the GIF's size.
    Result<> AddFrame(const QImage& frame);
    // Completes the file and closes it; it is still removed with the
    // encoder unless kept, so one render's files are all kept or none.
    Result<> Finish();
    void Keep();

private:
    GifEncoder(const RenderClock& clock);
    Result<> OpenFilters(QSize size);
    Result<> DrainFilters();
    Result<> DrainCodec();
    Failure GifFailure(int error) const;

    RenderClock m_clock;
    std::unique_ptr<AvFileOutput> m_output;
    AVFilterGraph* m_graph = nullptr;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVFormatContext* m_format = nullptr;
    AVStream* m_stream = nullptr;
    AVFrame* m_paletted = nullptr;
    AVPacket* m_packet = nullptr;
    std::int64_t m_frames = 0;
    std::int64_t m_lastStart = -1; // of the last frame written, in 1/100 s
    bool m_headerWritten = false;
    bool m_trailerWritten = false;
};

} // namespace quorvane
