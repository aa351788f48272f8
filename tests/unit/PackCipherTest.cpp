#include "profile/PackCipher.h"

#include "platform/FileIo.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorvane {
namespace {

// What sealing does to a block of 128 zero bytes: the first 128 bytes of the
// RC4 key stream of Messenger's pack key "#~!$=58Q tw4]" (worked out apart
// from the program). Every whole block is XORed with it; the tail after the
// last whole block is left as it is.
const std::string kKeyStreamHex =
    "43218361c52401948695039f45c1268e19d426272f1d2345fd42ea2d50649cd9"
    "8b940486261ca954a166ca6e18ba4188e3b6963d61c698e30b43cc7cd36e5063"
    "8f02200378e2bc82127c94b25f02b08ca3b84f0d90b4213f81cad2832ec4c505"
    "bdb7b31dfae183ac338fcd15c9663ec7daa552988adecf1a31473482800866b1";

std::string KeyStream() {
    std::string bytes;
    for (std::size_t i = 0; i < kKeyStreamHex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(kKeyStreamHex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return data;
}

TEST(PackCipher, SealsEveryWholeBlockWithTheSameKeyStreamForEverySize) {
    const std::string stream = KeyStream();
    test::TempFolder folder;
    // Sizes around the block and around the program's chunk size.
    for (std::size_t size :
         {0u, 1u, 127u, 128u, 129u, 300u, 4096u, 131071u, 131072u, 131200u, 400000u}) {
        const std::string path = folder / "pack.msn";
        const std::string original = Pattern(size);
        test::WriteFile(path, original);
        ASSERT_TRUE(SealPackFile(path)) << size;
        const std::string sealed = test::ReadFile(path);
        for (std::size_t block = 0; block + 128 <= size; block += 128)
            for (std::size_t i = 0; i < 128; ++i)
                ASSERT_EQ(sealed[block + i], static_cast<char>(original[block + i] ^ stream[i]))
                    << size << " at " << block + i;
        // The tail after the last whole block is untouched.
        EXPECT_EQ(sealed.substr(size / 128 * 128), original.substr(size / 128 * 128)) << size;
        ASSERT_TRUE(SealPackFile(path));
        EXPECT_EQ(test::ReadFile(path), original) << size;
    }
}

TEST(PackCipher, RefusesFilesItCannotRewrite) {
    test::TempFolder folder;
    EXPECT_FALSE(SealPackFile(folder / "missing.msn"));
    EXPECT_FALSE(SealPackFile(folder.Path()));

    const std::string path = folder / "readonly.msn";
    const std::string original = Pattern(512);
    test::WriteFile(path, original);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    // Refused even where the system would let root write: the reason says so.
    const Result<> sealed = SealPackFile(path);
    ASSERT_FALSE(sealed);
    EXPECT_EQ(sealed.error().sentence, ErrorText(EACCES));
    EXPECT_EQ(test::ReadFile(path), original);
}

} // namespace
} // namespace quorvane
