// How fast a large account lists: 5,000 records in a packaged category
// (Winks, where listing also writes one stamp file per record and clearing
// removes them) and 5,000 in each picture category, one per catalogue
// layout. Each iteration is one ListObjects and one Clear, through the real
// protected files, Wine data protection and the system clock.
//
// Only the pointer and catalogue files are written: listing never opens the
// objects' own files, and leaving out 20,000 pictures keeps the setup short.

#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

using namespace quorvane;
using quorvane::test::AccountObject;
using quorvane::test::MessengerAccountBuilder;

namespace {

constexpr int kRecords = 5000;
constexpr std::string_view kPassport = "bench.user@example.com";
constexpr std::array kCategories = {ContentCategory::Winks, ContentCategory::CustomEmoticons,
                                    ContentCategory::RegularDisplayPictures,
                                    ContentCategory::RegularBackgrounds};

struct Account {
    test::TempFolder folder;
    WineDataProtection protection{"benchuser"};
    SystemClock clock;
    ProfileServices services{protection, clock, CodePage::Ansi(), folder.Path(), folder / "cache"};

    Account() {
        MessengerAccountBuilder builder(folder.Path(), std::string(kPassport), protection);
        for (ContentCategory category : kCategories) {
            for (int n = 0; n < kRecords; ++n) {
                AccountObject object = MessengerAccountBuilder::SampleObject(category, n);
                object.writeFile = false;
                builder.Add(category, std::move(object));
            }
        }
        builder.Write(false);
    }
};

Account& GetAccount() {
    static Account account;
    return account;
}

std::unique_ptr<ObjectList> MakeList(const ProfileServices& services, ContentCategory category) {
    if (IsPackaged(category))
        return std::make_unique<PackagedObjectList>(services, category);
    return std::make_unique<PictureObjectList>(services, category);
}

void BM_ListObjects(benchmark::State& state) {
    const auto category = static_cast<ContentCategory>(state.range(0));
    state.SetLabel(std::string(CategoryLabel(category)));
    Account& account = GetAccount();
    std::unique_ptr<ObjectList> list = MakeList(account.services, category);
    std::size_t listed = 0;
    for (auto _ : state) {
        if (!list->ListObjects(kPassport)) {
            state.SkipWithError("ListObjects failed");
            break;
        }
        listed = list->objects.size();
        list->Clear();
    }
    if (listed != static_cast<std::size_t>(kRecords) && !state.error_occurred())
        state.SkipWithError("the listing did not give every record");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(listed));
}
BENCHMARK(BM_ListObjects)
    ->ArgName("category")
    ->Arg(static_cast<int>(ContentCategory::Winks))
    ->Arg(static_cast<int>(ContentCategory::CustomEmoticons))
    ->Arg(static_cast<int>(ContentCategory::RegularDisplayPictures))
    ->Arg(static_cast<int>(ContentCategory::RegularBackgrounds))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
