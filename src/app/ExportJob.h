#pragma once

#include "app/Job.h"
#include "app/ListJob.h"
#include "export/ExportOperation.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class AccountSession;

// The items of one listing to export: the listing's handle, its entries as
// listed, and the item data of the chosen ones, in that order.
struct ExportChoice {
    std::shared_ptr<AccountSession> listing;
    std::vector<ListedEntry> entries;
    std::vector<std::size_t> itemData;
};

// What an export gave, and whether the account could be locked.
struct ExportReport : LockReport, ExportOutcome {};

// Exports the chosen items of one or more listings of one account into a
// folder: each item's original and renders in a subfolder per type, and the
// gallery beside them.
class ExportJob : public Job {
public:
    ExportJob(std::vector<ExportChoice> choices, std::string folder);

    // The sources as the core takes them, in the order chosen.
    std::vector<ExportSource> Sources() const;
    ExportReport Run();

private:
    std::vector<ExportChoice> m_choices;
    std::string m_folder;
};

} // namespace quorvane
