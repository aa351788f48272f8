#include "profile/PackCipher.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorvane {
namespace {

// The transform as Messenger's packs are sealed: a fresh RC4 state for every
// block, written out the long way to check the shortcut the program takes.
std::string ReferenceTransform(std::string data) {
    const std::string key = "#~!$=58Q tw4]";
    for (std::size_t block = 0; block + 128 <= data.size(); block += 128) {
        unsigned char s[256];
        for (int i = 0; i < 256; ++i)
            s[i] = static_cast<unsigned char>(i);
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + s[i] +
                 static_cast<unsigned char>(key[static_cast<std::size_t>(i) % key.size()])) %
                256;
            std::swap(s[i], s[j]);
        }
        for (int k = 0, i = 0, j = 0; k < 128; ++k) {
            i = (i + 1) % 256;
            j = (j + s[i]) % 256;
            std::swap(s[i], s[j]);
            data[block + static_cast<std::size_t>(k)] ^= static_cast<char>(s[(s[i] + s[j]) % 256]);
        }
    }
    return data;
}

std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return data;
}

TEST(PackCipher, MatchesTheBlockByBlockTransformForEverySize) {
    test::TempFolder folder;
    PackCipher cipher("");
    // Sizes around the block and around the program's chunk size.
    for (std::size_t size :
         {0u, 1u, 127u, 128u, 129u, 300u, 4096u, 131071u, 131072u, 131200u, 400000u}) {
        const std::string path = folder / "pack.msn";
        const std::string original = Pattern(size);
        test::WriteFile(path, original);
        ASSERT_TRUE(cipher.TransformFile(path)) << size;
        const std::string sealed = test::ReadFile(path);
        EXPECT_EQ(sealed, ReferenceTransform(original)) << size;
        // The tail after the last whole block is untouched.
        EXPECT_EQ(sealed.substr(size / 128 * 128), original.substr(size / 128 * 128)) << size;
        ASSERT_TRUE(cipher.TransformFile(path));
        EXPECT_EQ(test::ReadFile(path), original) << size;
    }
}

TEST(PackCipher, IdenticalBlocksStayIdentical) {
    test::TempFolder folder;
    const std::string path = folder / "twins.msn";
    test::WriteFile(path, std::string(256, 'A'));
    ASSERT_TRUE(PackCipher("").TransformFile(path));
    const std::string sealed = test::ReadFile(path);
    EXPECT_EQ(sealed.substr(0, 128), sealed.substr(128));
    EXPECT_NE(sealed.substr(0, 128), std::string(128, 'A'));
}

TEST(PackCipher, RefusesFilesItCannotRewrite) {
    test::TempFolder folder;
    PackCipher cipher("");
    EXPECT_FALSE(cipher.TransformFile(folder / "missing.msn"));
    EXPECT_FALSE(cipher.TransformFile(folder.Path()));

    const std::string path = folder / "readonly.msn";
    const std::string original = Pattern(512);
    test::WriteFile(path, original);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(cipher.TransformFile(path));
    EXPECT_EQ(test::ReadFile(path), original);
}

} // namespace
} // namespace quorvane
