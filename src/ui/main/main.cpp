// quorvane: the desktop program. One window per user session; arguments are
// ignored.

#include "app/QtPictureDecoder.h"
#include "app/SingleInstance.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "platform/WineAccount.h"
#include "ui/main/CDlgMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    using namespace quorvane;
    // A second copy ends at once and silently; the first is not disturbed.
    const SingleInstance instance = SingleInstance::Take();
    if (instance.busy)
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quorvane"));
    // Checked once; without it the window still opens, and lists nothing.
    QtPictureDecoder::EnsureImageCodec();

    // The data folder lies beside the program's folder, in the build tree as
    // in an installed tree.
    const std::string dataFolder = JoinPath(ExecutableFolder(), "../share/quorvane");
    ui::CDlgMain window(WineAccount::Discover(), dataFolder);
    window.show();
    return app.exec();
}
