#pragma once

#include <gio/gio.h>

namespace quorvane::cabarc {

// A seekable GOutputStream over a descriptor that the caller created and
// keeps (closing the stream leaves it open). It lets libgcab write into a
// file cabarc created itself, safely, instead of one GIO opens by name, and
// it spares cabarc GIO's file layer, whose set-up (module scan, a worker
// thread) costs more than packing a small object. Writes are gathered in a
// buffer, since libgcab writes the cabinet's header a byte at a time.
GOutputStream* NewFdOutputStream(int fd);

} // namespace quorvane::cabarc
