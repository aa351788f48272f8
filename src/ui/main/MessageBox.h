#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quorvane::ui {

// Every message the window shows: captioned "Quorvane", the information icon
// and one OK button. Tests switch the boxes off and read what would have
// been shown instead, so no test waits on a dialog.
class MessageBox {
public:
    static void Show(QWidget* parent, const QString& text);
    // A short text with a long detail (one line per item) the user may
    // unfold and scroll: the box stays the size of the text, whatever the
    // detail's length, so its OK stays on the screen.
    static void Show(QWidget* parent, const QString& text, const QString& details);
    // The same with a button that does something besides OK; whether it
    // was pressed (never while recording).
    static bool Ask(QWidget* parent, const QString& text, const QString& details,
                    const QString& action);

    // While recording, Show() only appends the text (not the detail) to
    // Shown().
    static void SetRecording(bool recording);
    static QStringList& Shown();
};

} // namespace quorvane::ui
