#pragma once
#include "platform/ScratchFolder.h"

// What the benchmarks share that the test-support library does not give
// them: bench_transform and bench_catalogue_scan build without the tests.

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

namespace quorvane::bench {

// A fresh folder under $TMPDIR (else /tmp), removed with its contents when
// the object goes. Set TMPDIR to measure on another file system.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                              "/quorvane-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a folder for the benchmark files");
        m_path = pattern;
    }
    ~ScratchFolder() {
        nftw(
            m_path.c_str(),
            [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); },
            16, FTW_DEPTH | FTW_PHYS);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

} // namespace quorvane::bench
