#pragma once

#include "platform/Result.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

// A short file name for scratch that belongs to one piece of Messenger's
// data (a stamp file, a thumbnail folder): 32 hexadecimal digits of the
// text's SHA-256. Messenger's names can fill a whole file name, and ours add
// to them; these always fit, never lead elsewhere, and differ for different
// texts.
std::string ScratchName(std::string_view text);

// A folder of one run's scratch inside a private folder, made by mkdtemp and
// locked for as long as the object lives; deleted with everything in it when
// the object goes. A scratch folder whose owner was killed is no longer
// locked, and SweepStaleScratch removes it.
class ScratchFolder {
public:
    // parent must be a private folder; the name is prefix + six random
    // characters. Fails with a sentence that names the folder.
    static Result<std::unique_ptr<ScratchFolder>> Make(const std::string& parent,
                                                       std::string_view prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    ScratchFolder(int fd, std::string path);
    int m_fd;
    std::string m_path;
};

// Removes the scratch folders named prefix... in parent that no living
// process holds.
void SweepStaleScratch(const std::string& parent, std::string_view prefix);

} // namespace quorvane
