#pragma once

#include "protection/UserCredentials.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;

namespace quorvane::ui {

// Asks for a Windows user's password, to open the keys of that user's
// folder. The password goes no further than the hashes made from it: it is
// neither kept nor written anywhere, and the field is emptied as the dialog
// closes. A test sets the answers (nothing cancels), so no test waits on a
// dialog.
class PasswordDialog : public QDialog {
    Q_OBJECT

public:
    // userName: the Windows user the folder belongs to, as its folder is
    // named; wrongPassword: why the last password was not taken, shown above
    // the field. Nothing when the user cancels; an empty password is a
    // password.
    static std::optional<dpapi::UserCredentials> Ask(QWidget* parent, const QString& userName,
                                                     const QString& wrongPassword = {});
    // Queues the answer to the next Ask that has none yet.
    static void SetNextAnswer(std::optional<QString> password);
    // The wrongPassword texts of the Asks answered that way, oldest first;
    // taken by the call, which also drops the answers no Ask took.
    static QStringList TakeAnswered();

    void done(int result) override;

private:
    PasswordDialog(QWidget* parent, const QString& userName, const QString& wrongPassword);

    QLineEdit* m_field = nullptr;
    std::optional<dpapi::UserCredentials> m_credentials;
};

} // namespace quorvane::ui
