#include "export/GifEncoder.h"

#include "export/AvFileOutput.h"
#include "platform/TranslatedSentence.h"

#include <algorithm>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

namespace quorvane {

namespace {

// A palette per frame, made from that frame alone, so a scene that changes
// colours keeps them; one entry stays free for the pixels that did not
// change, which the encoder leaves transparent. Error diffusion hides the
// banding of Flash's gradients: on 100 frames of 400 x 300 with a gradient
// it made 2.06 MB against 2.03 MB undithered and 3.15 MB with Bayer's
// ordered pattern, whose shifting dots defeat the unchanged-pixel trick.
constexpr const char* kPaletteFilters =
    "split[a][b];[a]palettegen=stats_mode=single[p];[b][p]paletteuse=new=1:dither=sierra2_4a";
// The shortest delay browsers honour; 0 and 1 are shown as 10.
constexpr std::int64_t kShortestDelay = 2;

struct FilterIo {
    AVFilterInOut* io = avfilter_inout_alloc();
    ~FilterIo() { avfilter_inout_free(&io); }
    FilterIo() = default;
    FilterIo(const FilterIo&) = delete;
    FilterIo& operator=(const FilterIo&) = delete;
};

} // namespace

GifEncoder::GifEncoder(const RenderClock& clock) : m_clock(clock) {}

GifEncoder::~GifEncoder() {
    // This libavformat's GIF muxer (5.1) lets go of the packet it holds back
    // only in its trailer, so a GIF given up on is ended too, into the file
    // that goes with it.
    if (m_headerWritten && !m_trailerWritten)
        av_write_trailer(m_format);
    avfilter_graph_free(&m_graph);
    avcodec_free_context(&m_codec);
    av_frame_free(&m_paletted);
    av_packet_free(&m_packet);
    avformat_free_context(m_format);
}

Failure GifEncoder::GifFailure(int error) const {
    if (m_output && m_output->WriteFailure())
        return *m_output->WriteFailure();
    return Failure{0,
                   Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "the GIF could not be encoded: %1"),
                            AvErrorText(error)),
                   FailureCode::System};
}

Result<std::unique_ptr<GifEncoder>> GifEncoder::Open(std::unique_ptr<NewFile> file, QSize size,
                                                     const RenderClock& clock) {
    std::unique_ptr<GifEncoder> encoder(new GifEncoder(clock));
    encoder->m_output = std::make_unique<AvFileOutput>(std::move(file));
    encoder->m_packet = av_packet_alloc();
    encoder->m_paletted = av_frame_alloc();
    if (encoder->m_output->Context() == nullptr || encoder->m_packet == nullptr ||
        encoder->m_paletted == nullptr)
        return Fail(encoder->GifFailure(AVERROR(ENOMEM)));
    if (auto filters = encoder->OpenFilters(size); !filters)
        return Fail(filters.error());

    const AVCodec* gif = avcodec_find_encoder(AV_CODEC_ID_GIF);
    if (gif == nullptr)
        return Fail(encoder->GifFailure(AVERROR_ENCODER_NOT_FOUND));
    encoder->m_codec = avcodec_alloc_context3(gif);
    if (encoder->m_codec == nullptr)
        return Fail(encoder->GifFailure(AVERROR(ENOMEM)));
    encoder->m_codec->width = size.width();
    encoder->m_codec->height = size.height();
    encoder->m_codec->pix_fmt = AV_PIX_FMT_PAL8;
    encoder->m_codec->time_base = AVRational{1, 100};
    if (const int error = avcodec_open2(encoder->m_codec, gif, nullptr); error < 0)
        return Fail(encoder->GifFailure(error));

    if (const int error =
            avformat_alloc_output_context2(&encoder->m_format, nullptr, "gif", nullptr);
        error < 0)
        return Fail(encoder->GifFailure(error));
    encoder->m_format->pb = encoder->m_output->Context();
    encoder->m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    encoder->m_stream = avformat_new_stream(encoder->m_format, nullptr);
    if (encoder->m_stream == nullptr)
        return Fail(encoder->GifFailure(AVERROR(ENOMEM)));
    if (const int error =
            avcodec_parameters_from_context(encoder->m_stream->codecpar, encoder->m_codec);
        error < 0)
        return Fail(encoder->GifFailure(error));
    encoder->m_stream->time_base = AVRational{1, 100};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "loop", "0", 0); // forever
    const int written = avformat_write_header(encoder->m_format, &options);
    av_dict_free(&options);
    if (written < 0)
        return Fail(encoder->GifFailure(written));
    encoder->m_headerWritten = true;
    return encoder;
}

Result<> GifEncoder::OpenFilters(QSize size) {
    m_graph = avfilter_graph_alloc();
    if (m_graph == nullptr)
        return Fail(GifFailure(AVERROR(ENOMEM)));
    m_graph->nb_threads = 1;
    const std::string source =
        "video_size=" + std::to_string(size.width()) + "x" + std::to_string(size.height()) +
        ":pix_fmt=" + std::to_string(AV_PIX_FMT_RGB32) + ":time_base=1/100:pixel_aspect=1/1";
    if (const int error = avfilter_graph_create_filter(&m_source, avfilter_get_by_name("buffer"),
                                                       "in", source.c_str(), nullptr, m_graph);
        error < 0)
        return Fail(GifFailure(error));
    if (const int error = avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("buffersink"),
                                                       "out", nullptr, nullptr, m_graph);
        error < 0)
        return Fail(GifFailure(error));
    const AVPixelFormat paletted = AV_PIX_FMT_PAL8;
    if (const int error =
            av_opt_set_bin(m_sink, "pix_fmts", reinterpret_cast<const std::uint8_t*>(&paletted),
                           static_cast<int>(sizeof paletted), AV_OPT_SEARCH_CHILDREN);
        error < 0)
        return Fail(GifFailure(error));
    FilterIo outputs;
    FilterIo inputs;
    if (outputs.io == nullptr || inputs.io == nullptr)
        return Fail(GifFailure(AVERROR(ENOMEM)));
    outputs.io->name = av_strdup("in");
    outputs.io->filter_ctx = m_source;
    inputs.io->name = av_strdup("out");
    inputs.io->filter_ctx = m_sink;
    if (const int error =
            avfilter_graph_parse_ptr(m_graph, kPaletteFilters, &inputs.io, &outputs.io, nullptr);
        error < 0)
        return Fail(GifFailure(error));
    if (const int error = avfilter_graph_config(m_graph, nullptr); error < 0)
        return Fail(GifFailure(error));
    return {};
}

Result<> GifEncoder::AddFrame(const QImage& frame) {
    const std::int64_t start = m_clock.Start(m_frames++, 100);
    if (m_lastStart >= 0 && start - m_lastStart < kShortestDelay)
        return {};
    m_lastStart = start;
    AVFrame* picture = av_frame_alloc();
    if (picture == nullptr)
        return Fail(GifFailure(AVERROR(ENOMEM)));
    picture->format = AV_PIX_FMT_RGB32;
    picture->width = frame.width();
    picture->height = frame.height();
    picture->data[0] = const_cast<std::uint8_t*>(frame.constBits());
    picture->linesize[0] = static_cast<int>(frame.bytesPerLine());
    picture->pts = start;
    // The frame does not own the picture's memory, so the source copies it.
    const int error = av_buffersrc_add_frame_flags(m_source, picture, AV_BUFFERSRC_FLAG_KEEP_REF);
    av_frame_free(&picture);
    if (error < 0)
        return Fail(GifFailure(error));
    return DrainFilters();
}

Result<> GifEncoder::DrainFilters() {
    for (;;) {
        int error = av_buffersink_get_frame(m_sink, m_paletted);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return {};
        if (error < 0)
            return Fail(GifFailure(error));
        error = avcodec_send_frame(m_codec, m_paletted);
        av_frame_unref(m_paletted);
        if (error < 0)
            return Fail(GifFailure(error));
        if (auto drained = DrainCodec(); !drained)
            return drained;
    }
}

Result<> GifEncoder::DrainCodec() {
    for (;;) {
        int error = avcodec_receive_packet(m_codec, m_packet);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return {};
        if (error < 0)
            return Fail(GifFailure(error));
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        error = av_write_frame(m_format, m_packet);
        av_packet_unref(m_packet);
        if (error < 0)
            return Fail(GifFailure(error));
    }
}

Result<> GifEncoder::Finish() {
    if (const int error = av_buffersrc_add_frame_flags(m_source, nullptr, 0); error < 0)
        return Fail(GifFailure(error));
    if (auto drained = DrainFilters(); !drained)
        return drained;
    if (const int error = avcodec_send_frame(m_codec, nullptr); error < 0)
        return Fail(GifFailure(error));
    if (auto drained = DrainCodec(); !drained)
        return drained;
    // The muxer gives each frame the time to the next one; the last one's
    // is the rest of the movie.
    const std::int64_t last = std::max(kShortestDelay, m_clock.Start(m_frames, 100) -
                                                           std::max<std::int64_t>(m_lastStart, 0));
    if (const int error = av_opt_set_int(m_format->priv_data, "final_delay", last, 0); error < 0)
        return Fail(GifFailure(error));
    m_trailerWritten = true;
    if (const int error = av_write_trailer(m_format); error < 0)
        return Fail(GifFailure(error));
    return m_output->Close();
}

void GifEncoder::Keep() {
    m_output->Keep();
}

} // namespace quorvane
