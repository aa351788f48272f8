// The List and backup jobs as the front ends run them, without a window:
// each job has its own Cancel, and its report says what became of each item.

#include "app/BackupJob.h"
#include "app/ListJob.h"
#include "ui/WindowAccountTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quorvane {
namespace {

using test::MessengerAccountBuilder;

// The sentence of an item that was not written; "" for one that was.
std::string Why(const BackupItemOutcome& item) {
    return item.failure ? item.failure->sentence : std::string();
}

class JobsTest : public test::WindowAccountTest {
protected:
    ListReport List(ContentCategory category, bool cancelled = false) {
        ListJob job(AccountSelection::Make(WineAccount{root / "wine", test::kWindowWineUser},
                                           test::kWindowPassport),
                    category);
        if (cancelled)
            job.Cancel();
        return job.Run();
    }
    void AddPictures(int count) {
        for (int n = 0; n < count; ++n)
            builder.Add(
                ContentCategory::RegularDisplayPictures,
                MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, n));
        builder.Write();
    }
    const std::string backupFolder = root / "backups";
};

TEST_F(JobsTest, ACancelledListLeavesTheNextBackupUncancelled) {
    AddPictures(2);
    ListReport listed = List(ContentCategory::RegularDisplayPictures);
    ASSERT_EQ(listed.items.size(), 2u);

    const ListReport cancelled = List(ContentCategory::RegularDisplayPictures, true);
    EXPECT_TRUE(cancelled.interrupted || cancelled.Lock() == AccountLock::Outcome::Cancelled);
    EXPECT_TRUE(cancelled.items.empty());

    BackupJob backup(listed.listing, {1, 0}, backupFolder);
    const BackupReport report = backup.Run();
    EXPECT_FALSE(report.interrupted);
    ASSERT_EQ(report.items.size(), 2u);
    EXPECT_TRUE(report.items[0].Written()) << Why(report.items[0]);
    EXPECT_TRUE(report.items[1].Written()) << Why(report.items[1]);
    EXPECT_EQ(report.items[0].itemData, 1u);
}

TEST_F(JobsTest, ABackupSaysWhichItemsFailedAndWhy) {
    AddPictures(3);
    ListReport listed = List(ContentCategory::RegularDisplayPictures);
    ASSERT_EQ(listed.items.size(), 3u);
    // The middle picture goes between List and Backup Now.
    std::filesystem::remove(JoinPath(builder.ObjectFolder(ContentCategory::RegularDisplayPictures),
                                     listed.items[1].locationUtf8));

    BackupJob backup(listed.listing, {0, 1, 2}, backupFolder);
    const BackupReport report = backup.Run();
    EXPECT_FALSE(report.AllWritten());
    ASSERT_EQ(report.items.size(), 3u);
    EXPECT_TRUE(report.items[0].Written());
    EXPECT_FALSE(report.items[1].Written());
    EXPECT_TRUE(report.items[1].failure.has_value());
    EXPECT_EQ(report.items[1].displayNameUtf8, listed.items[1].displayNameUtf8);
    EXPECT_TRUE(report.items[2].Written());
}

} // namespace
} // namespace quorvane
