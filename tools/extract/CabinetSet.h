#pragma once

#include "FdSystem.h"

#include <mspack.h>

#include <deque>
#include <string>
#include <vector>

namespace quorvane::extract {

// A cabinet opened with libmspack, joined with the parts that follow it when
// it is the start of a split set. Later parts are looked up by the name the
// cabinet stores, in the cabinet's own folder only and ignoring ASCII case,
// as cabinet sets made on Windows name them ("Split-2.CAB" for
// "split-2.cab"). Earlier parts are never looked for: a cabinet that
// continues another one is extracted for what it begins itself.
class CabinetSet {
public:
    explicit CabinetSet(FdSystem& system);
    CabinetSet(const CabinetSet&) = delete;
    CabinetSet& operator=(const CabinetSet&) = delete;
    ~CabinetSet();

    bool Open(const std::string& path, std::string& error);

    mscab_decompressor* Decompressor() const { return m_decompressor; }
    // The members of the whole joined set, in cabinet order.
    mscabd_file* Files() const;

private:
    void JoinFollowingParts(const std::string& firstPath);

    FdSystem& m_system;
    mscab_decompressor* m_decompressor = nullptr;
    std::vector<mscabd_cabinet*> m_cabinets;
    // libmspack keeps pointers to these names; a deque never moves them.
    std::deque<std::string> m_paths;
};

// libmspack's error codes as words.
const char* MspackErrorText(int code);

} // namespace quorvane::extract
