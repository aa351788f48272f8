#include "ui/main/PasswordDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <utility>

namespace quorvane::ui {

namespace {

// Set by a test: whether there is a next answer, and the answer.
bool g_answerSet = false;
std::optional<QString> g_nextPassword;

dpapi::UserCredentials Credentials(QString password) {
    QByteArray utf8 = password.toUtf8();
    dpapi::UserCredentials credentials = dpapi::UserCredentials::FromPassword(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    // The copies made here are overwritten before they are let go.
    utf8.fill('\0');
    password.fill(QLatin1Char('\0'));
    return credentials;
}

} // namespace

PasswordDialog::PasswordDialog(QWidget* parent, const QString& userName) : QDialog(parent) {
    setObjectName("password");
    setWindowTitle(QStringLiteral("Quorvane"));
    auto* label = new QLabel(tr("Windows password of %1:").arg(userName), this);
    label->setTextFormat(Qt::PlainText);
    m_field = new QLineEdit(this);
    m_field->setObjectName("passwordField");
    m_field->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void PasswordDialog::done(int result) {
    if (result == QDialog::Accepted)
        m_credentials = Credentials(m_field->text());
    m_field->clear();
    QDialog::done(result);
}

std::optional<dpapi::UserCredentials> PasswordDialog::Ask(QWidget* parent,
                                                          const QString& userName) {
    if (g_answerSet) {
        g_answerSet = false;
        std::optional<QString> answer = std::exchange(g_nextPassword, std::nullopt);
        if (!answer)
            return std::nullopt;
        return Credentials(*answer);
    }
    PasswordDialog dialog(parent, userName);
    dialog.exec();
    return std::move(dialog.m_credentials);
}

void PasswordDialog::SetNextAnswer(std::optional<QString> password) {
    g_nextPassword = std::move(password);
    g_answerSet = true;
}

} // namespace quorvane::ui
