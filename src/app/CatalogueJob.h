#pragma once

#include "app/ListJob.h"

#include <string>
#include <vector>

namespace quorvane {

// One object as the catalogue names it, in UTF-8.
struct CatalogueEntry {
    std::string location;
    std::string tag;
    std::string displayName;
};

// What a catalogue read gave: every object it names, in its order, or why
// it could not be read.
struct CatalogueReport : LockReport {
    std::vector<CatalogueEntry> entries;
    CatalogueState catalogue;
    bool listed = false; // the catalogue could be read
};

// Reads one category's catalogue as Messenger keeps it, without looking
// into the objects: takes the account, reads, lets the account go.
class CatalogueJob : public Job {
public:
    CatalogueJob(AccountSelection selection, ContentCategory category);
    CatalogueReport Run();

private:
    AccountSelection m_selection;
    ContentCategory m_category;
};

} // namespace quorvane
