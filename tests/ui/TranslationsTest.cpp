// The window in the user's language: the translations are installed as the
// program installs them, from the .qm files the build puts beside the
// program's other data.

#include "ui/main/Translations.h"
#include "backup/Backup.h"
#include "platform/Paths.h"
#include "support/MessengerAccountBuilder.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/CDlgMain.h"
#include "ui/main/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace quorvane::ui {
namespace {

using test::MessengerAccountBuilder;

class TranslationsTest : public test::WindowAccountTest {
protected:
    void Speak(const char* language) {
        translations.Install(QLocale(QString::fromLatin1(language)),
                             Translations::Folder(QString::fromStdString(DataFolder())));
    }
    // Lists the account's Winks and waits for the listing to end.
    static void ListWinks(CDlgMain& window) {
        Find<QComboBox>(window, "passport")->setEditText(test::kWindowPassport);
        Find<QComboBox>(window, "backupType")->setCurrentIndex(0);
        QSignalSpy finished(&window.Controller(), &MainController::ListFinished);
        QTest::mouseClick(Find<QPushButton>(window, "list"), Qt::LeftButton);
        if (!Find<QPushButton>(window, "list")->isEnabled()) {
            ASSERT_TRUE(finished.wait(60000));
        }
    }

    Translations translations;
};

TEST_F(TranslationsTest, TheWindowSpeaksBrazilianPortuguese) {
    Speak("pt_BR");
    auto window = Open();
    EXPECT_EQ(Find<QPushButton>(*window, "list")->text().toStdString(), "Listar");
    // The names of the content types come from the core, in English.
    EXPECT_EQ(Find<QComboBox>(*window, "backupType")->itemText(0).toStdString(),
              "Piscadelas do MSN");
}

TEST_F(TranslationsTest, TheWindowSpeaksSpanish) {
    Speak("es");
    auto window = Open();
    QTest::mouseClick(Find<QPushButton>(*window, "backupNow"), Qt::LeftButton);
    EXPECT_EQ(MessageBox::Shown().value(0).toStdString(),
              "Liste y seleccione los elementos que desea copiar.");
}

TEST_F(TranslationsTest, EnglishCountsOneItemAndTwoItems) {
    Speak("en_US");
    for (int n = 0; n < 2; ++n)
        builder.Add(ContentCategory::Winks,
                    MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    builder.Write();
    auto window = Open();
    ListWinks(*window);
    auto* installed = Find<QListWidget>(*window, "installed");
    ASSERT_EQ(installed->count(), 2);
    // A listing cancelled after two items, then after one.
    ListReport cancelled;
    cancelled.interrupted = true;
    emit window->Controller().ListFinished(cancelled);
    QTest::mouseClick(installed->viewport(), Qt::LeftButton, {},
                      installed->visualItemRect(installed->item(0)).center());
    QApplication::processEvents();
    QTest::mouseClick(Find<QPushButton>(*window, "add"), Qt::LeftButton);
    ASSERT_EQ(installed->count(), 1);
    emit window->Controller().ListFinished(cancelled);
    EXPECT_EQ(MessageBox::Shown().value(0).toStdString(), "Listing was cancelled: 2 items listed.");
    EXPECT_EQ(MessageBox::Shown().value(1).toStdString(), "Listing was cancelled: 1 item listed.");
}

TEST_F(TranslationsTest, ACancelledBackupSaysOneWasNotWritten) {
    Speak("en_US");
    auto window = Open();
    emit window->Controller().BackupFinished(CancelledBackup(3, 2));
    EXPECT_EQ(MessageBox::Shown().value(0).toStdString(),
              "The backup was cancelled. 2 of 3 items were written; 1 was not.");
}

} // namespace
} // namespace quorvane::ui
