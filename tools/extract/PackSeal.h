#pragma once

#include <string>

namespace quorvane::extract {

// Undoes the seal of a ".msn" pack in memory: every whole 128-byte block is
// XORed with the first 128 bytes of the RC4 keystream of the seal's fixed
// key, the short tail stays. The program seals its packs with the same
// transform (its own inverse); the tool has its own copy so that it links
// nothing of the program's.
void UnsealPack(std::string& bytes);

} // namespace quorvane::extract
