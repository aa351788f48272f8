#pragma once

#include <map>
#include <string>

namespace quorvane::test {

// A program on PATH, found while PATH is still the test's own; "" when absent.
std::string FindOnPath(const std::string& name);

// The entries directly in a folder: regular files with their bytes, anything
// else marked so that a stray folder or link shows up in a comparison.
std::map<std::string, std::string> FilesIn(const std::string& folder);

// The files of a cabinet as Debian's cabextract reads them, an independent
// reader of what our tools write. Expanded into outFolder; error says why
// when cabextract is missing or fails.
std::map<std::string, std::string>
ReadWithCabextract(const std::string& cabinet, const std::string& outFolder, std::string& error);

// The files of a sealed ".msn" pack: the seal undone on a copy in
// workFolder, then read with cabextract. The pack itself is left alone.
std::map<std::string, std::string>
OpenSealedPack(const std::string& pack, const std::string& workFolder, std::string& error);

} // namespace quorvane::test
