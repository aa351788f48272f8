#include "ui/main/PasswordDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <deque>
#include <utility>

namespace quorvane::ui {

namespace {

// Set by a test: the answers to give, and what the Asks said meanwhile.
std::deque<std::optional<QString>> g_answers;
QStringList g_answeredNotes;

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

PasswordDialog::PasswordDialog(QWidget* parent, const QString& userName,
                               const QString& wrongPassword)
    : QDialog(parent) {
    setObjectName("password");
    setWindowTitle(QStringLiteral("Quorvane"));
    auto* layout = new QVBoxLayout(this);
    if (!wrongPassword.isEmpty()) {
        auto* problem = new QLabel(wrongPassword + QLatin1Char('.'), this);
        problem->setObjectName("wrongPassword");
        problem->setTextFormat(Qt::PlainText);
        problem->setWordWrap(true);
        layout->addWidget(problem);
    }
    auto* label = new QLabel(tr("Windows password of %1:").arg(userName), this);
    label->setTextFormat(Qt::PlainText);
    m_field = new QLineEdit(this);
    m_field->setObjectName("passwordField");
    m_field->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
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

std::optional<dpapi::UserCredentials> PasswordDialog::Ask(QWidget* parent, const QString& userName,
                                                          const QString& wrongPassword) {
    if (!g_answers.empty()) {
        std::optional<QString> answer = std::move(g_answers.front());
        g_answers.pop_front();
        g_answeredNotes.append(wrongPassword);
        if (!answer)
            return std::nullopt;
        return Credentials(*answer);
    }
    PasswordDialog dialog(parent, userName, wrongPassword);
    dialog.exec();
    return std::move(dialog.m_credentials);
}

void PasswordDialog::SetNextAnswer(std::optional<QString> password) {
    g_answers.push_back(std::move(password));
}

QStringList PasswordDialog::TakeAnswered() {
    g_answers.clear();
    return std::exchange(g_answeredNotes, {});
}

} // namespace quorvane::ui
