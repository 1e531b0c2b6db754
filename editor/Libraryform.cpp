#include "editor/Libraryform.h"

#include "desktop/Messagebox.h"
#include "editor/Mdichild.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Labels.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, FormatColumn, TimeColumn, DescriptionColumn };

QTreeWidgetItem* EntryItem(const S_LibraryEntry& entry, const QStyle& style)
{
    auto* item = new QTreeWidgetItem;
    if (!entry.m_Fragment) {
        item->setText(NameColumn, QFileInfo(entry.m_Path).fileName());
        item->setIcon(NameColumn, style.standardIcon(QStyle::SP_MessageBoxWarning));
        item->setText(DescriptionColumn, Text(Msg::LibraryDamaged) + QLatin1Char(' ') + entry.m_Damage);
        item->setToolTip(DescriptionColumn, item->text(DescriptionColumn));
        return item;
    }
    const S_Fragment& fragment = *entry.m_Fragment;
    item->setText(NameColumn, fragment.m_Name);
    item->setText(FormatColumn, FormatWithOutputs(fragment.m_Parts.m_FormatCode, fragment.m_Parts.m_Outputs));
    item->setText(TimeColumn, DurationText(entry.RunningTime()));
    item->setTextAlignment(TimeColumn, Qt::AlignRight | Qt::AlignVCenter);
    // One line in the list; all of it in the tip.
    item->setText(DescriptionColumn, fragment.m_Description.section(QLatin1Char('\n'), 0, 0));
    item->setToolTip(DescriptionColumn, fragment.m_Description);
    item->setToolTip(NameColumn, entry.m_Path);
    return item;
}

} // namespace

TLibraryForm::TLibraryForm(C_FragmentLibrary library, std::function<TFormMDIChild*()> target, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_Search(new QLineEdit(this))
    , m_List(new QTreeWidget(this))
    , m_InsertButton(new QPushButton(Text(Msg::LibraryInsert), this))
    , m_Library(std::move(library))
    , m_Target(std::move(target))
    , m_Watcher(new QFileSystemWatcher(this))
    , m_FolderLabel(new QLabel(this))
{
    setWindowTitle(Text(Msg::LibraryCaption));
    resize(760, 420);

    auto* search = new QHBoxLayout;
    auto* searchLabel = new QLabel(Text(Msg::LibrarySearch) + QLatin1Char(':'), this);
    searchLabel->setBuddy(m_Search);
    search->addWidget(searchLabel);
    search->addWidget(m_Search, 1);
    m_Search->setClearButtonEnabled(true);
    m_Search->setPlaceholderText(CommandTitle(Msg::LibraryName) + QStringLiteral(", ") +
                                 CommandTitle(Msg::LibraryDescription));

    m_List->setAccessibleName(Text(Msg::LibraryCaption));
    m_List->setColumnCount(4);
    m_List->setHeaderLabels(
        {Text(Msg::LibraryName), Text(Msg::RecoveryFormat), Text(Msg::RunningTime), Text(Msg::LibraryDescription)});
    m_List->setRootIsDecorated(false);
    m_List->setUniformRowHeights(true);
    m_List->setAllColumnsShowFocus(true);
    m_List->header()->setStretchLastSection(true);
    m_List->header()->setSectionResizeMode(NameColumn, QHeaderView::Interactive);
    m_List->setColumnWidth(NameColumn, 220);
    m_List->setColumnWidth(FormatColumn, 150);
    m_List->setColumnWidth(TimeColumn, 90);

    m_FolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_FolderLabel->setText(QDir::toNativeSeparators(m_Library.Folder()));
    m_FolderLabel->setToolTip(m_FolderLabel->text());
    auto* close = new QPushButton(Text(Msg::FileClose), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_FolderLabel, 1);
    buttons->addWidget(m_InsertButton);
    buttons->addWidget(close);
    m_InsertButton->setDefault(true);
    m_InsertButton->setToolTip(Text(Msg::ShowLibraryHint).section(QLatin1Char('|'), 1));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(m_List, 1);
    layout->addLayout(buttons);

    connect(m_Search, &QLineEdit::textChanged, this, &TLibraryForm::Filter);
    // Type, then Enter: the first fragment found goes in.
    connect(m_Search, &QLineEdit::returnPressed, this, &TLibraryForm::InsertSelected);
    connect(m_List, &QTreeWidget::currentItemChanged, this, &TLibraryForm::UpdateInsertButton);
    connect(m_List, &QTreeWidget::itemActivated, this, &TLibraryForm::InsertSelected);
    connect(m_InsertButton, &QPushButton::clicked, this, &TLibraryForm::InsertSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // A fragment saved from any window, or a file put there by hand, shows at once.
    QDir().mkpath(m_Library.Folder());
    m_Watcher->addPath(m_Library.Folder());
    connect(m_Watcher, &QFileSystemWatcher::directoryChanged, this, &TLibraryForm::Reload);
    Reload();
}

void TLibraryForm::Reload()
{
    const S_LibraryEntry* current = SelectedEntry();
    const QString selected = current != nullptr ? current->m_Path : QString();
    m_Entries = m_Library.Entries();
    const QSignalBlocker blocker(m_List);
    m_List->clear();
    for (const S_LibraryEntry& entry : m_Entries) {
        m_List->addTopLevelItem(EntryItem(entry, *style()));
        if (entry.m_Path == selected)
            m_List->setCurrentItem(m_List->topLevelItem(m_List->topLevelItemCount() - 1));
    }
    Filter(m_Search->text());
    UpdateInsertButton();
}

bool TLibraryForm::InsertSelected()
{
    const S_LibraryEntry* entry = SelectedEntry();
    if (entry == nullptr || !entry->m_Fragment)
        return false;
    TFormMDIChild* window = m_Target ? m_Target() : nullptr;
    if (window == nullptr) {
        C_MessageBox::Show(Text(Msg::LibraryNoWindow), windowTitle(), C_MessageBox::Icon::Information,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    // A copy: the folder may change, and the list with it, while the paste asks its questions.
    const S_Fragment fragment = *entry->m_Fragment;
    return window->PasteFragment(CommandTitle(Msg::LibraryInsert) + QLatin1Char(' ') + fragment.m_Name, windowTitle(),
                                 fragment, this);
}

void TLibraryForm::Filter(const QString& text)
{
    const QString wanted = text.trimmed();
    for (int i = 0; i < m_List->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_List->topLevelItem(i);
        bool found = wanted.isEmpty();
        for (int column = 0; column < m_List->columnCount() && !found; ++column)
            found = item->text(column).contains(wanted, Qt::CaseInsensitive) ||
                    item->toolTip(column).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!found);
    }
    // The first fragment shown is selected, so Enter inserts what the search found.
    const S_LibraryEntry* selected = SelectedEntry();
    if (selected == nullptr || !selected->m_Fragment)
        for (int i = 0; i < m_List->topLevelItemCount(); ++i)
            if (!m_List->topLevelItem(i)->isHidden() && m_Entries[size_t(i)].m_Fragment) {
                m_List->setCurrentItem(m_List->topLevelItem(i));
                break;
            }
    UpdateInsertButton();
}

const S_LibraryEntry* TLibraryForm::SelectedEntry() const
{
    QTreeWidgetItem* item = m_List->currentItem();
    if (item == nullptr || item->isHidden())
        return nullptr;
    return &m_Entries[size_t(m_List->indexOfTopLevelItem(item))];
}

void TLibraryForm::UpdateInsertButton()
{
    const S_LibraryEntry* entry = SelectedEntry();
    m_InsertButton->setEnabled(entry != nullptr && entry->m_Fragment.has_value());
}
