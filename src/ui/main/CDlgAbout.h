#pragma once

#include <QDialog>

namespace quorvane::ui {

// "About Quorvane": the program's name and version, and OK.
class CDlgAbout : public QDialog {
    Q_OBJECT

public:
    explicit CDlgAbout(QWidget* parent = nullptr);
};

} // namespace quorvane::ui
