// The two item lists and the passport box as a user meets them: where a
// moved item lands, when the move buttons wake, how many passports are kept.

#include "app/SettingsStore.h"
#include "profile/ContentCategory.h"
#include "support/MessengerAccountBuilder.h"
#include "ui/WindowAccountTest.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace quorvane::ui {
namespace {

using test::MessengerAccountBuilder;

class ItemListsTest : public test::WindowAccountTest {
protected:
    // The window on four Winks, and those added before.
    void Start() {
        for (int n = 0; n < 4; ++n)
            builder.Add(ContentCategory::Winks,
                        MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
        builder.Write();
        window = Open();
    }
    void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton); }
    // Lists the account's Winks for passport and waits for the listing.
    void List(const QString& passport = test::kWindowPassport) {
        Child<QComboBox>("passport")->setEditText(passport);
        Child<QComboBox>("backupType")->setCurrentIndex(static_cast<int>(ContentCategory::Winks));
        Click("list");
        auto* list = Child<QPushButton>("list");
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->isEnabled(); }, 60000));
    }
    void ClickItem(const char* listName, int row) {
        auto* list = Child<QListWidget>(listName);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QApplication::processEvents();
    }
    std::vector<qulonglong> ItemData(const char* listName) {
        auto* list = Child<QListWidget>(listName);
        std::vector<qulonglong> data;
        for (int row = 0; row < list->count(); ++row)
            data.push_back(list->item(row)->data(Qt::UserRole).toULongLong());
        return data;
    }
    std::vector<std::string> BoxEntries() {
        auto* box = Child<QComboBox>("passport");
        std::vector<std::string> entries;
        for (int i = 0; i < box->count(); ++i)
            entries.push_back(box->itemText(i).toStdString());
        return entries;
    }

    template <typename T> T* Child(const char* name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    std::unique_ptr<QWidget> window;
};

TEST_F(ItemListsTest, MovedItemsKeepTheListingsOrder) {
    Start();
    List();
    ASSERT_EQ(ItemData("installed"), (std::vector<qulonglong>{0, 1, 2, 3}));
    Click("addAll");
    EXPECT_EQ(ItemData("selected"), (std::vector<qulonglong>{0, 1, 2, 3}));
    Click("removeAll");
    EXPECT_EQ(ItemData("installed"), (std::vector<qulonglong>{0, 1, 2, 3}));

    // ">" puts an item at its row in the listing, not after the others.
    ClickItem("installed", 2);
    Click("add");
    ClickItem("installed", 0);
    Click("add");
    EXPECT_EQ(ItemData("selected"), (std::vector<qulonglong>{0, 2}));
    EXPECT_EQ(ItemData("installed"), (std::vector<qulonglong>{1, 3}));
}

TEST_F(ItemListsTest, AListWhoseToolFailedLeavesTheMoveButtonsOff) {
    test::AccountObject big = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 4);
    big.files.emplace_back("sound.bin", std::string(1 << 20, 's'));
    builder.Add(ContentCategory::Winks, big);
    Start();
    {
        // Files may not grow past 64 KiB, in the extract tool as here (the
        // signal that would end a writer is ignored): the big Wink fails it.
        rlimit before{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 64 * 1024;
        const sighandler_t handler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        List();
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handler);
    }
    ASSERT_EQ(Child<QListWidget>("installed")->count(), 0);
    for (const char* name : {"add", "addAll", "remove", "removeAll", "preview"})
        EXPECT_FALSE(Child<QPushButton>(name)->isEnabled()) << name;
}

TEST_F(ItemListsTest, TheBoxKeepsOneHundredPassports) {
    builder.Write();
    const auto name = [](int n) { return "user" + std::to_string(100 + n) + "@example.com"; };
    std::vector<std::string> stored; // most recently used first
    for (int n = 0; n < 99; ++n)
        stored.push_back(name(n));
    const SettingsStore settings(SettingsFolder());
    ASSERT_TRUE(settings.SetRecentPassports(stored));
    window = Open();

    // The hundredth is kept; the hundred-and-first forgets the oldest.
    List("new@example.com");
    EXPECT_EQ(BoxEntries().size(), 100u);
    EXPECT_EQ(BoxEntries().back(), name(98));
    List("newer@example.com");
    const std::vector<std::string> box = BoxEntries();
    EXPECT_EQ(box.size(), 100u);
    EXPECT_EQ(box.back(), name(97));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    const std::vector<std::string> saved = settings.RecentPassports();
    ASSERT_EQ(saved.size(), 100u);
    EXPECT_EQ(saved.front(), "newer@example.com");
    EXPECT_EQ(saved.back(), name(97));
}

} // namespace
} // namespace quorvane::ui
