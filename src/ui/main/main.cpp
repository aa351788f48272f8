// quorvane: the desktop program. One window per user session; arguments are
// ignored.

#include "app/DemoAccount.h"
#include "app/QtPictureDecoder.h"
#include "app/SettingsStore.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "sources/WineAccount.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MessageBox.h"
#include "ui/main/StartNotice.h"
#ifdef QUORVANE_HAVE_PREVIEW
#include "ui/main/PreviewRequest.h"
#include "ui/preview/PreviewDialog.h"
#include "ui/preview/PreviewScheme.h"
#endif

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace quorvane;
    // Under a file size limit (ulimit -f) a write beyond it must fail with
    // EFBIG and be reported, not kill the program with a pack half-written.
    std::signal(SIGXFSZ, SIG_IGN);
    // A second copy brings the first one's window to the front and ends.
    const SingleInstance instance = SingleInstance::Take();
    if (instance.busy) {
        SingleInstance::CallFirst();
        return 0;
    }

#ifdef QUORVANE_HAVE_PREVIEW
    // Chromium's sandbox cannot run as root; without this the preview of a
    // window started as root would stay blank.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ui::RegisterPreviewScheme();
#endif
    QApplication app(argc, argv);
#ifdef QUORVANE_HAVE_PREVIEW
    ui::SetPreviewRunner(&ui::RunPreview);
#endif
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quorvane"));
    // Every text from here on is in the desktop's language, where there is
    // a translation for it.
    Translations translations;
    translations.InstallForSystem();
    // Every text of an account goes through it: without it nothing can be
    // read, so the program says why and ends.
    if (const Result<> ansi = CodePage::LoadAnsi(); !ansi) {
        std::fprintf(stderr, "quorvane: %s\n", ansi.error().sentence.c_str());
        ui::MessageBox::Show(nullptr, QString::fromStdString(ansi.error().sentence));
        return 1;
    }
    // Checked once; without it the window still opens, and lists nothing.
    QtPictureDecoder::EnsureImageCodec();

    WineAccount wine = WineAccount::Discover();
    // Without any Messenger data in the prefix, the window opens on the demo
    // account, so everything can be tried.
    std::string demoPassport;
    QString notice;
    if (!HasMessengerData(wine)) {
        notice = ui::MissingMessengerDataNotice(wine);
        if (const Result<DemoAccount> demo = EnsureDemoAccount(DemoPrefixPath(), wine)) {
            wine.prefix = demo->prefix;
            demoPassport = demo->passport;
        } else {
            // The window still opens, on the prefix it found.
            notice += QStringLiteral("\n\n") +
                      QObject::tr("Quorvane could not open its demo account either: %1.")
                          .arg(QString::fromStdString(demo.error().sentence));
        }
    }
    const SettingsStore settings(SettingsFolder());
    ui::MainWindow window(wine, ProgramDataFolder(), settings);
    if (!demoPassport.empty()) {
        window.RememberPassport(QString::fromStdString(demoPassport));
        notice += QStringLiteral("\n\n") +
                  QObject::tr("Quorvane opened a demo account instead, so that you can try it: "
                              "its passport is %1.")
                      .arg(QString::fromStdString(demoPassport));
    }
    window.show();
    // Listened for only by the copy that holds the lock.
    const std::unique_ptr<InstanceCalls> calls =
        instance.lock != nullptr ? InstanceCalls::Listen(SingleInstance::CallPath(),
                                                         [&window] { window.BringToFront(); })
                                 : nullptr;
#ifdef QUORVANE_HAVE_PREVIEW
    // The player page loads while the window is used, so Preview finds it
    // ready.
    QTimer::singleShot(0, &window, [] { ui::WarmUpPreview(); });
#endif
    if (!notice.isEmpty()) {
        // Said on the terminal at every start; in a box only at the demo
        // account's first start, or when something went wrong.
        std::fprintf(stderr, "quorvane: %s\n", qPrintable(QString(notice).replace("\n\n", " ")));
        if (demoPassport.empty() || settings.FirstDemoNotice())
            QTimer::singleShot(0, &window,
                               [&window, notice] { ui::MessageBox::Show(&window, notice); });
    }
    return app.exec();
}
