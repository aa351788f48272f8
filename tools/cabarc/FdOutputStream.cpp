#include "FdOutputStream.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

// A cabinet data block holds at most 32 KiB; the type system allows
// instances of less than 64 KiB, buffer included.
constexpr gsize kBufferSize = 32 * 1024;

// GObject instances are allocated and zeroed by the type system; these are
// plain C structures, as it expects.
struct QvFdOutputStream {
    GOutputStream parent_instance;
    int fd;
    goffset start; // file offset of buffer[0], where the descriptor stands
    gsize buffered;
    unsigned char buffer[kBufferSize];
};

struct QvFdOutputStreamClass {
    GOutputStreamClass parent_class;
};

void qv_fd_output_stream_seekable_init(GSeekableIface* iface);

G_DEFINE_TYPE_WITH_CODE(QvFdOutputStream, qv_fd_output_stream, G_TYPE_OUTPUT_STREAM,
                        G_IMPLEMENT_INTERFACE(G_TYPE_SEEKABLE, qv_fd_output_stream_seekable_init))

QvFdOutputStream* Self(gpointer object) {
    return G_TYPE_CHECK_INSTANCE_CAST(object, qv_fd_output_stream_get_type(), QvFdOutputStream);
}

void SetErrno(GError** error, int code, const char* what) {
    g_set_error(error, G_IO_ERROR, g_io_error_from_errno(code), "%s: %s", what,
                std::strerror(code));
}

bool WriteAll(int fd, const unsigned char* data, gsize count, GError** error) {
    gsize done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, data + done, count - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            SetErrno(error, errno, "write");
            return false;
        }
        done += static_cast<gsize>(put);
    }
    return true;
}

bool Drain(QvFdOutputStream* self, GError** error) {
    if (self->buffered == 0) {
        return true;
    }
    if (!WriteAll(self->fd, self->buffer, self->buffered, error)) {
        return false;
    }
    self->start += static_cast<goffset>(self->buffered);
    self->buffered = 0;
    return true;
}

gssize Write(GOutputStream* stream, const void* data, gsize count, GCancellable*, GError** error) {
    QvFdOutputStream* self = Self(stream);
    if (self->buffered + count > kBufferSize && !Drain(self, error)) {
        return -1;
    }
    if (count >= kBufferSize) {
        if (!WriteAll(self->fd, static_cast<const unsigned char*>(data), count, error)) {
            return -1;
        }
        self->start += static_cast<goffset>(count);
        return static_cast<gssize>(count);
    }
    std::memcpy(self->buffer + self->buffered, data, count);
    self->buffered += count;
    return static_cast<gssize>(count);
}

gboolean Flush(GOutputStream* stream, GCancellable*, GError** error) {
    return Drain(Self(stream), error) ? TRUE : FALSE;
}

gboolean Close(GOutputStream* stream, GCancellable*, GError** error) {
    return Drain(Self(stream), error) ? TRUE : FALSE;
}

goffset Tell(GSeekable* seekable) {
    QvFdOutputStream* self = Self(seekable);
    return self->start + static_cast<goffset>(self->buffered);
}

gboolean CanSeek(GSeekable*) {
    return TRUE;
}

gboolean Seek(GSeekable* seekable, goffset offset, GSeekType type, GCancellable*, GError** error) {
    QvFdOutputStream* self = Self(seekable);
    if (!Drain(self, error)) {
        return FALSE;
    }
    int whence = SEEK_SET;
    if (type == G_SEEK_CUR) {
        whence = SEEK_CUR;
    } else if (type == G_SEEK_END) {
        whence = SEEK_END;
    }
    const off_t at = ::lseek(self->fd, static_cast<off_t>(offset), whence);
    if (at < 0) {
        SetErrno(error, errno, "seek");
        return FALSE;
    }
    self->start = static_cast<goffset>(at);
    return TRUE;
}

gboolean CanTruncate(GSeekable*) {
    return FALSE;
}

gboolean Truncate(GSeekable*, goffset, GCancellable*, GError** error) {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED, "cannot truncate");
    return FALSE;
}

void qv_fd_output_stream_seekable_init(GSeekableIface* iface) {
    iface->tell = Tell;
    iface->can_seek = CanSeek;
    iface->seek = Seek;
    iface->can_truncate = CanTruncate;
    iface->truncate_fn = Truncate;
}

void qv_fd_output_stream_class_init(QvFdOutputStreamClass* klass) {
    GOutputStreamClass* stream = G_OUTPUT_STREAM_CLASS(klass);
    stream->write_fn = Write;
    stream->flush = Flush;
    stream->close_fn = Close;
}

void qv_fd_output_stream_init(QvFdOutputStream* self) {
    self->fd = -1;
}

} // namespace

namespace quorvane::cabarc {

GOutputStream* NewFdOutputStream(int fd) {
    auto* self =
        static_cast<QvFdOutputStream*>(g_object_new(qv_fd_output_stream_get_type(), nullptr));
    self->fd = fd;
    self->start = static_cast<goffset>(::lseek(fd, 0, SEEK_CUR));
    if (self->start < 0) {
        self->start = 0;
    }
    return G_OUTPUT_STREAM(self);
}

} // namespace quorvane::cabarc
