#pragma once

#include <QDialog>

namespace quorvane::ui {

// "About Quorvane": the program's name and version, and OK.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace quorvane::ui
