// The window in the user's language: the translations are installed as the
// program installs them, from the .qm files the build puts beside the
// program's other data.

#include "app/Translations.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/MessageBox.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane::ui {
namespace {

class TranslationsTest : public test::WindowAccountTest {
protected:
    void Speak(const char* language) {
        translations.Install(QLocale(QString::fromLatin1(language)),
                             Translations::Folder(QString::fromStdString(ProgramDataFolder())));
    }
    Translations translations;
};

TEST_F(TranslationsTest, TheWindowSpeaksTheDesktopsLanguage) {
    Speak("pt_BR");
    auto window = Open();
    EXPECT_EQ(Find<QPushButton>(*window, "list")->text().toStdString(), "Listar");
    // The names of the content types come from the core, in English.
    EXPECT_EQ(Find<QComboBox>(*window, "backupType")->itemText(0).toStdString(),
              "Piscadelas do MSN");

    Speak("es");
    QTest::mouseClick(Find<QPushButton>(*window, "backupNow"), Qt::LeftButton);
    EXPECT_EQ(MessageBox::Shown().value(0).toStdString(),
              "Liste y seleccione los elementos que desea copiar.");
}

TEST_F(TranslationsTest, EnglishCountsOneAndTwoAsEnglishDoes) {
    Speak("en_US");
    auto window = Open();
    emit window->Controller().BackupFinished(CancelledBackup(3, 2));
    emit window->Controller().BackupFinished(CancelledBackup(4, 2));
    EXPECT_EQ(MessageBox::Shown().value(0).toStdString(),
              "The backup was cancelled. 2 of 3 items were written; 1 was not.");
    EXPECT_EQ(MessageBox::Shown().value(1).toStdString(),
              "The backup was cancelled. 2 of 4 items were written; 2 were not.");
}

} // namespace
} // namespace quorvane::ui
