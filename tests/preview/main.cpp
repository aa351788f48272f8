#include "ui/main/PreviewRequest.h"
#include "ui/preview/PreviewDialog.h"
#include "ui/preview/PreviewScheme.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// Chromium inside Qt WebEngine is not built with the sanitizers: it frees
// some objects through a base of another size, and leaves allocations behind
// at exit. Those are its own; what this program and Quorvane's code leak is
// still reported.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n";
}
#endif

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
