#include "glosser/Searchwindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSearchWindow::TSearchWindow(Kind kind, QWidget* parent)
    : QDialog(parent)
    , m_FindEdit(new QLineEdit(this))
    , m_FindNextButton(new QPushButton(QStringLiteral("&Find Next"), this))
{
    setModal(false);
    setWindowTitle(kind == Kind::Find ? QStringLiteral("Find") : QStringLiteral("Replace"));
    m_FindEdit->setObjectName(QStringLiteral("m_FindEdit"));
    m_FindEdit->setMinimumWidth(220);
    m_FindNextButton->setObjectName(QStringLiteral("m_FindNextButton"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Fi&nd what:"), m_FindEdit);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_FindNextButton);
    if (kind == Kind::Find) {
        m_FindNextButton->setDefault(true);
        connect(m_FindNextButton, &QPushButton::clicked, this, &TSearchWindow::FindNextRequested);
    } else {
        m_ReplaceEdit = new QLineEdit(this);
        m_ReplaceEdit->setObjectName(QStringLiteral("m_ReplaceEdit"));
        fields->addRow(QStringLiteral("Re&place with:"), m_ReplaceEdit);
        // A replacement always takes the next occurrence from the search position, so
        // there is nothing for a find-next of the replace window to do.
        m_FindNextButton->setEnabled(false);
        m_ReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
        m_ReplaceButton->setObjectName(QStringLiteral("m_ReplaceButton"));
        m_ReplaceButton->setDefault(true);
        m_ReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
        m_ReplaceAllButton->setObjectName(QStringLiteral("m_ReplaceAllButton"));
        buttons->addWidget(m_ReplaceButton);
        buttons->addWidget(m_ReplaceAllButton);
        connect(m_ReplaceButton, &QPushButton::clicked, this, &TSearchWindow::ReplaceRequested);
        connect(m_ReplaceAllButton, &QPushButton::clicked, this,
                &TSearchWindow::ReplaceAllRequested);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_FindEdit, &QLineEdit::textChanged, this, &TSearchWindow::UpdateButtons);
    UpdateButtons();
}

QString TSearchWindow::FindText() const
{
    return m_FindEdit->text();
}

QString TSearchWindow::ReplaceText() const
{
    return m_ReplaceEdit != nullptr ? m_ReplaceEdit->text() : QString();
}

void TSearchWindow::Open()
{
    show();
    raise();
    activateWindow();
    m_FindEdit->setFocus();
    m_FindEdit->selectAll();
}

void TSearchWindow::UpdateButtons()
{
    // An empty search text is found everywhere; replacing it would never end.
    const bool hasText = !m_FindEdit->text().isEmpty();
    if (m_ReplaceButton == nullptr) {
        m_FindNextButton->setEnabled(hasText);
        return;
    }
    m_ReplaceButton->setEnabled(hasText);
    m_ReplaceAllButton->setEnabled(hasText);
}
