// Throughput of the pack transform against the floor set by the file system:
// reading and writing back the same bytes in the same chunks with no
// transform at all. The transform should cost little more than that I/O.
// The naive per-block form (the RC4 state rebuilt for every 128-byte block,
// one pread and one pwrite each) is measured on a smaller file for contrast.
//
// All three work on files in the page cache (they are written just before),
// so the figures compare CPU and system-call cost, not the disk.

#include "BenchSupport.h"

#include "platform/ScratchFolder.h"
#include "profile/PackCipher.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using quorvane::kPackSealBlockSize;
using quorvane::SealPackFile;

namespace {

constexpr std::size_t kLargeFile = 64u << 20; // 64 MiB
// Not a multiple of 128, so the tail that stays as it is exists too.
constexpr std::size_t kSmallFile = (4u << 20) + 77; // about 4 MiB
// The transform's own chunk size, so the plain copy does the same calls.
constexpr std::size_t kChunk = 1024 * kPackSealBlockSize;

std::string RandomBytes(std::size_t size) {
    std::mt19937_64 random(20240607);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t word = random();
        for (std::size_t k = 0; k < 8; ++k)
            bytes[i + k] = static_cast<char>(word >> (8 * k));
    }
    for (std::size_t i = size / 8 * 8; i < size; ++i)
        bytes[i] = static_cast<char>(random());
    return bytes;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return close(fd) == 0 && done == bytes.size();
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return bytes;
}

// The files live as long as the program, created on first use.
struct Files {
    quorvane::bench::ScratchFolder folder;
    std::string large = folder / "large.msn";
    std::string small = folder / "small.msn";
    std::string smallBytes = RandomBytes(kSmallFile);
    bool ok = WriteAll(large, RandomBytes(kLargeFile)) && WriteAll(small, smallBytes);
};

Files& GetFiles() {
    static Files files;
    return files;
}

// The transform as its definition reads: for each whole block, a fresh RC4
// state from the key and 128 bytes of keystream, read, XOR, write back.
bool ReferenceBlockByBlock(const std::string& path) {
    static constexpr std::string_view kKey = "#~!$=58Q tw4]";
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const off_t size = lseek(fd, 0, SEEK_END);
    std::array<std::uint8_t, kPackSealBlockSize> block{};
    bool ok = size >= 0;
    for (off_t offset = 0; ok && offset + off_t{kPackSealBlockSize} <= size;
         offset += kPackSealBlockSize) {
        std::array<std::uint8_t, 256> state{};
        for (std::size_t i = 0; i < state.size(); ++i)
            state[i] = static_cast<std::uint8_t>(i);
        std::size_t j = 0;
        for (std::size_t i = 0; i < state.size(); ++i) {
            j = (j + state[i] + static_cast<std::uint8_t>(kKey[i % kKey.size()])) & 0xFF;
            std::swap(state[i], state[j]);
        }
        if (pread(fd, block.data(), block.size(), offset) != static_cast<ssize_t>(block.size()))
            ok = false;
        std::size_t a = 0;
        std::size_t b = 0;
        for (auto& byte : block) {
            a = (a + 1) & 0xFF;
            b = (b + state[a]) & 0xFF;
            std::swap(state[a], state[b]);
            byte ^= state[(state[a] + state[b]) & 0xFF];
        }
        if (ok &&
            pwrite(fd, block.data(), block.size(), offset) != static_cast<ssize_t>(block.size()))
            ok = false;
    }
    return close(fd) == 0 && ok;
}

void BM_TransformFile(benchmark::State& state) {
    Files& files = GetFiles();
    if (!files.ok) {
        state.SkipWithError("cannot write the benchmark file");
        return;
    }
    for (auto _ : state) {
        if (!SealPackFile(files.large)) {
            state.SkipWithError("TransformFile failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kLargeFile));
}
BENCHMARK(BM_TransformFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same file, the same chunk size, the same positioned reads and writes
// and the same access hint; only the XOR is missing.
void BM_PlainReadWrite(benchmark::State& state) {
    Files& files = GetFiles();
    if (!files.ok) {
        state.SkipWithError("cannot write the benchmark file");
        return;
    }
    std::vector<std::uint8_t> chunk(kChunk);
    for (auto _ : state) {
        const int fd = open(files.large.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the benchmark file");
            break;
        }
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        bool ok = true;
        for (std::size_t offset = 0; ok && offset < kLargeFile; offset += kChunk) {
            const std::size_t size = std::min(kChunk, kLargeFile - offset);
            ok = pread(fd, chunk.data(), size, static_cast<off_t>(offset)) ==
                     static_cast<ssize_t>(size) &&
                 pwrite(fd, chunk.data(), size, static_cast<off_t>(offset)) ==
                     static_cast<ssize_t>(size);
        }
        benchmark::DoNotOptimize(chunk.data());
        if (close(fd) != 0 || !ok) {
            state.SkipWithError("plain read and write failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kLargeFile));
}
BENCHMARK(BM_PlainReadWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReferenceBlockByBlock(benchmark::State& state) {
    Files& files = GetFiles();
    if (!files.ok) {
        state.SkipWithError("cannot write the benchmark file");
        return;
    }
    // The figures only mean something if both forms compute the same
    // transform: from the known bytes, one round of each must change them
    // and then give them back. Repetitions leave the file in either state,
    // so it is written afresh first.
    const bool changed = WriteAll(files.small, files.smallBytes) &&
                         ReferenceBlockByBlock(files.small) &&
                         ReadAll(files.small) != files.smallBytes;
    if (!changed || !SealPackFile(files.small) || ReadAll(files.small) != files.smallBytes) {
        state.SkipWithError("the per-block form and TransformFile disagree");
        return;
    }
    for (auto _ : state) {
        if (!ReferenceBlockByBlock(files.small)) {
            state.SkipWithError("per-block transform failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kSmallFile));
}
BENCHMARK(BM_ReferenceBlockByBlock)->Unit(benchmark::kMillisecond)->UseRealTime();

// TransformFile on the same small file, so the contrast with the per-block
// form is like for like.
void BM_TransformFileSmall(benchmark::State& state) {
    Files& files = GetFiles();
    if (!files.ok) {
        state.SkipWithError("cannot write the benchmark file");
        return;
    }
    for (auto _ : state) {
        if (!SealPackFile(files.small)) {
            state.SkipWithError("TransformFile failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kSmallFile));
}
BENCHMARK(BM_TransformFileSmall)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
