// Preloaded into a program to stand for a system whose iconv lacks
// Windows-1252 (glibc without its gconv modules): opening a converter to or
// from it fails as iconv_open fails for a name it does not know.

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <iconv.h>

namespace {

bool NamesWindows1252(const char* name) {
    return name != nullptr && (std::strstr(name, "1252") != nullptr);
}

} // namespace

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    if (NamesWindows1252(to) || NamesWindows1252(from)) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    using Open = iconv_t (*)(const char*, const char*);
    static const auto next = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
    return next(to, from);
}
