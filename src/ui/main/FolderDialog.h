#pragma once

#include <QString>

class QWidget;

namespace quorvane::ui {

// The folder (and file) browser, with a seam for tests: a test sets the answer (an
// empty string cancels), so no test waits on a dialog.
class FolderDialog {
public:
    static QString Choose(QWidget* parent, const QString& title, const QString& startFolder);
    // The same for a file to open; filters as QFileDialog takes them.
    static QString ChooseFile(QWidget* parent, const QString& title, const QString& startFolder,
                              const QString& filters);
    static void SetNextAnswer(const QString& folder);
    // The folder the last browser started at (or would have).
    static QString LastStartFolder();
};

} // namespace quorvane::ui
