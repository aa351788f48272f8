#include "RandomName.h"

#include <cerrno>
#include <vector>

#include <sys/random.h>

namespace quorvane::tools {

std::string RandomLetters(std::size_t count) {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::vector<unsigned char> random(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::getrandom(random.data() + got, count - got, 0);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            // Left as zeros: a name is then more likely to be taken, which
            // the callers' exclusive create and retry already handle.
            break;
        }
    }
    std::string letters;
    letters.reserve(count);
    for (const unsigned char byte : random) {
        letters.push_back(kAlphabet[byte % 36u]);
    }
    return letters;
}

} // namespace quorvane::tools
