#include "app/Translations.h"

#include "platform/SystemFolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace quorvane {

Translations::~Translations() {
    for (const auto& translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
}

void Translations::InstallForSystem() {
    Install(QLocale::system(), Folder(QString::fromStdString(ProgramDataFolder())));
}

QString Translations::Folder(const QString& dataFolder) {
    return dataFolder + QStringLiteral("/translations");
}

void Translations::Add(std::unique_ptr<QTranslator> translator) {
    // The translator installed last is asked first.
    if (QCoreApplication::installTranslator(translator.get()))
        m_installed.push_back(std::move(translator));
}

void Translations::Install(const QLocale& locale, const QString& folder) {
    auto english = std::make_unique<QTranslator>();
    if (english->load(QStringLiteral("quorvane_en"), folder))
        Add(std::move(english));
    // Qt's own, for the buttons of the message boxes and the folder dialog.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        Add(std::move(qt));
    // The first of the user's languages that has a translation; English has
    // been installed already.
    auto own = std::make_unique<QTranslator>();
    if (own->load(locale, QStringLiteral("quorvane"), QStringLiteral("_"), folder) &&
        QLocale(own->language()).language() != QLocale::English)
        Add(std::move(own));
}

} // namespace quorvane
