#include "ui/main/AboutDialog.h"

#include "ui/main/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

namespace quorvane::ui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle(tr("About Quorvane"));
    setFixedSize(FromDialogUnits(0, 0, 235, 65).size());
    auto* label = new QLabel(tr("Quorvane Version %1").arg(QStringLiteral(QUORVANE_RELEASE)), this);
    label->setGeometry(FromDialogUnits(40, 10, 119, 8));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("ok");
    ok->setGeometry(FromDialogUnits(178, 8, 50, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace quorvane::ui
