#include "export/AvFileOutput.h"

#include <cerrno>
#include <cstdio>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace quorvane {

std::string AvErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

namespace {
constexpr int kBufferSize = 64 * 1024;
}

AvFileOutput::AvFileOutput(std::unique_ptr<NewFile> file) : m_file(std::move(file)) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer == nullptr)
        return;
    m_context = avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &WritePacket, &SeekTo);
    if (m_context == nullptr)
        av_free(buffer);
}

AvFileOutput::~AvFileOutput() {
    if (m_context != nullptr) {
        av_freep(&m_context->buffer);
        avio_context_free(&m_context);
    }
}

int AvFileOutput::WritePacket(void* opaque, std::uint8_t* bytes, int size) {
    auto* self = static_cast<AvFileOutput*>(opaque);
    if (self->m_writeFailure)
        return AVERROR(self->m_writeFailure->osError != 0 ? self->m_writeFailure->osError : EIO);
    if (auto written = self->m_file->Write(bytes, static_cast<std::size_t>(size)); !written) {
        self->m_writeFailure = written.error();
        return AVERROR(written.error().osError != 0 ? written.error().osError : EIO);
    }
    return size;
}

std::int64_t AvFileOutput::SeekTo(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<AvFileOutput*>(opaque);
    if ((whence & AVSEEK_SIZE) != 0) {
        auto size = self->m_file->Size();
        return size ? *size : AVERROR(EIO);
    }
    auto at = self->m_file->Seek(static_cast<off_t>(offset), whence & ~AVSEEK_FORCE);
    if (!at) {
        self->m_writeFailure = at.error();
        return AVERROR(at.error().osError != 0 ? at.error().osError : EIO);
    }
    return *at;
}

Result<> AvFileOutput::Close() {
    avio_flush(m_context);
    if (m_writeFailure)
        return Fail(*m_writeFailure);
    if (m_context->error < 0)
        return Fail(m_file->WriteFailure(EIO));
    return m_file->Close();
}

} // namespace quorvane
