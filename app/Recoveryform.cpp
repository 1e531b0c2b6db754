#include "app/Recoveryform.h"

#include "desktop/Messagebox.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int CopyRole = Qt::UserRole;
constexpr int WidestColumn = 360;

} // namespace

QString RecoveredName(const S_FoundCopy& copy)
{
    if (!copy.m_Copy)
        return QFileInfo(copy.m_File).fileName();
    const S_RecoveryOrigin& origin = copy.m_Copy->m_Origin;
    if (!origin.m_Path.isEmpty())
        return QDir::toNativeSeparators(origin.m_Path);
    return origin.m_Caption + QStringLiteral(" (") + Text(Msg::RecoveryUntitled) + QLatin1Char(')');
}

TRecoveryForm::TRecoveryForm(const std::vector<S_FoundCopy>& copies, QWidget* owner)
    : QDialog(owner)
    , m_Copies(copies)
    , m_Fates(copies.size(), Fate::Keep)
{
    setWindowTitle(CommandTitle(Msg::RecoveryTitle));
    m_IntroLabel = new QLabel(Text(Msg::RecoveryIntro), this);
    m_IntroLabel->setWordWrap(true);

    m_CopiesList = new QTreeWidget(this);
    m_CopiesList->setRootIsDecorated(false);
    m_CopiesList->setHeaderLabels({Text(Msg::RecoveryFile), Text(Msg::RecoveryFormat), Text(Msg::RecoveryTaken)});
    const QIcon damaged = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (size_t i = 0; i < copies.size(); ++i) {
        const S_FoundCopy& found = copies[i];
        auto* row = new QTreeWidgetItem(m_CopiesList);
        row->setData(0, CopyRole, qulonglong(i));
        row->setText(0, RecoveredName(found));
        row->setToolTip(0, found.m_File);
        // A readable copy is chosen at first; a damaged one only on purpose, to discard it.
        row->setCheckState(0, found.m_Copy ? Qt::Checked : Qt::Unchecked);
        if (found.m_Copy) {
            const S_TextConfiguration& configuration = found.m_Copy->m_Configuration;
            row->setText(1, FormatWithOutputs(configuration.m_FormatCode, configuration.m_Outputs));
            row->setText(2, QLocale().toString(found.m_Copy->m_Origin.m_Taken.toLocalTime(), QLocale::ShortFormat));
        } else {
            row->setIcon(0, damaged);
            row->setText(1, Text(Msg::RecoveryDamaged));
            row->setText(2, found.m_Damage);
            row->setToolTip(2, found.m_Damage);
        }
    }
    // Every column as wide as it needs, within reason: a long reason is elided, its tip says it whole.
    m_CopiesList->header()->setStretchLastSection(true);
    m_CopiesList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < m_CopiesList->columnCount(); ++column) {
        m_CopiesList->resizeColumnToContents(column);
        m_CopiesList->setColumnWidth(column, std::min(m_CopiesList->columnWidth(column), WidestColumn));
    }
    connect(m_CopiesList, &QTreeWidget::itemChanged, this, &TRecoveryForm::UpdateButtons);

    m_RestoreButton = new QPushButton(Text(Msg::RecoveryRestore), this);
    m_RestoreButton->setDefault(true);
    m_DiscardButton = new QPushButton(Text(Msg::RecoveryDiscard), this);
    m_LaterButton = new QPushButton(Text(Msg::RecoveryLater), this);
    connect(m_RestoreButton, &QPushButton::clicked, this, &TRecoveryForm::RestoreChosen);
    connect(m_DiscardButton, &QPushButton::clicked, this, &TRecoveryForm::DiscardChosen);
    // Later, the close button and Escape keep every copy not discarded.
    connect(m_LaterButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_DiscardButton);
    buttons->addStretch();
    buttons->addWidget(m_LaterButton);
    buttons->addWidget(m_RestoreButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_IntroLabel);
    layout->addWidget(m_CopiesList);
    layout->addLayout(buttons);

    const int listWidth = m_CopiesList->header()->length() + 2 * m_CopiesList->frameWidth() + 32;
    resize(std::clamp(listWidth, 560, 1000), 320);
    UpdateButtons();
}

void TRecoveryForm::showEvent(QShowEvent* event)
{
    // Over the main window, which is shown but may not be placed yet.
    if (parentWidget() != nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

std::vector<size_t> TRecoveryForm::Chosen() const
{
    std::vector<size_t> chosen;
    for (int i = 0; i < m_CopiesList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_CopiesList->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            chosen.push_back(size_t(row->data(0, CopyRole).toULongLong()));
    }
    return chosen;
}

void TRecoveryForm::UpdateButtons()
{
    const std::vector<size_t> chosen = Chosen();
    m_DiscardButton->setEnabled(!chosen.empty());
    m_RestoreButton->setEnabled(
        std::any_of(chosen.begin(), chosen.end(), [this](size_t i) { return m_Copies[i].m_Copy.has_value(); }));
}

void TRecoveryForm::RestoreChosen()
{
    for (const size_t i : Chosen())
        if (m_Copies[i].m_Copy)
            m_Fates[i] = Fate::Restore;
    accept();
}

void TRecoveryForm::DiscardChosen()
{
    if (C_MessageBox::Show(Text(Msg::DiscardCopiesQuestion), CommandTitle(Msg::RecoveryTitle),
                           C_MessageBox::Icon::Question, C_MessageBox::Buttons::YesNo,
                           this) != C_MessageBox::Answer::Yes)
        return;
    for (int i = m_CopiesList->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* row = m_CopiesList->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) {
            m_Fates[size_t(row->data(0, CopyRole).toULongLong())] = Fate::Discard;
            delete row;
        }
    }
    if (m_CopiesList->topLevelItemCount() == 0)
        accept();
    UpdateButtons();
}
