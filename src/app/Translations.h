#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace quorvane {

// The program's texts in the user's language: while an object of this class
// lives, the application looks its texts up in the program's translation for
// the locale's languages, and the standard dialogs' in Qt's own. Under both
// lies the English translation, which gives the English texts their plural
// forms ("1 item", "2 items"), so a language without a translation still
// reads right in English.
class Translations {
public:
    Translations() = default;
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // folder holds the program's quorvane_<language>.qm files. Whatever is
    // missing is left out: the texts stay in English.
    void Install(const QLocale& locale, const QString& folder);

    // The desktop's languages, from the translations installed with the
    // program. Needs a QCoreApplication.
    void InstallForSystem();

    // share/quorvane/translations, beside the program's other data.
    static QString Folder(const QString& dataFolder);

private:
    void Add(std::unique_ptr<QTranslator> translator);

    std::vector<std::unique_ptr<QTranslator>> m_installed;
};

} // namespace quorvane
