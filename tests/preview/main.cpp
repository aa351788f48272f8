#include "ui/main/PreviewRequest.h"
#include "ui/preview/CDlgPreviewWinks.h"
#include "ui/preview/PreviewScheme.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <unistd.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // Chromium will not start as root with its sandbox on; CI runs as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // As the program does it: the scheme before the application exists.
    quorvane::ui::RegisterPreviewScheme();
    QApplication app(argc, argv);
    quorvane::ui::SetPreviewRunner(&quorvane::ui::RunPreview);
    return RUN_ALL_TESTS();
}
