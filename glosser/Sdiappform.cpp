#include "glosser/Sdiappform.h"

#include "desktop/Messagebox.h"
#include "glosser/Aboutbox.h"
#include "glosser/Glosserpictures.h"
#include "glosser/Languagefile.h"
#include "glosser/Searchwindow.h"
#include "glosser/Stringsgrid.h"
#include "platform/Datafiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

#include <limits>

const QString TSDIAppForm::Caption = QStringLiteral("KW3 Win 2 - Language Manager");

namespace {

// Language files are read whole: how many lines they hold is theirs to say.
constexpr int AllLines = std::numeric_limits<int>::max();

QString ChooseWithFileDialog(QWidget* parent, TSDIAppForm::FileDialog kind, const QString& current)
{
    const bool opening = kind == TSDIAppForm::FileDialog::Open;
    QFileDialog dialog(parent);
    dialog.setAcceptMode(opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // Open may name a file that does not exist yet: Save will create it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(opening ? QStringLiteral("All Files (*.lng)") : QStringLiteral("Language Files (*.lng)"));
    dialog.setDefaultSuffix(QStringLiteral("lng"));
    // Save As asks about replacing a file itself, through the program's message boxes.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo info(current);
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString DescribeCharacter(QChar c)
{
    const QString code = QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    if (!c.isPrint())
        return code;
    return QLatin1Char('"') + QString(c) + QStringLiteral("\" (") + code + QLatin1Char(')');
}

} // namespace

std::unique_ptr<TSDIAppForm> TSDIAppForm::Create(const QString& referencePath)
{
    QStringList reference;
    QString error;
    if (!C_LanguageFile::Read(referencePath, AllLines, reference, error)) {
        C_MessageBox::Show(QStringLiteral("Cannot read the reference texts \"") +
                               QDir::toNativeSeparators(referencePath) + QStringLiteral("\": ") + error +
                               QStringLiteral("\nGlosser cannot start without them."),
                           Caption, C_MessageBox::Icon::Error);
        return nullptr;
    }
    return std::unique_ptr<TSDIAppForm>(new TSDIAppForm(reference));
}

QString TSDIAppForm::ReferenceFile()
{
    return ResolveDataFile(QStringLiteral("languages/english.lng"));
}

TSDIAppForm::TSDIAppForm(const QStringList& reference)
    : m_ChooseFile(
          [this](FileDialog dialog, const QString& current) { return ChooseWithFileDialog(this, dialog, current); })
{
    setWindowTitle(Caption);
    setWindowIcon(QIcon(AboutPicture()));
    CreateGrid(reference);
    CreateCommands();

    m_FindDialog = new TSearchWindow(TSearchWindow::Kind::Find, this);
    m_FindDialog->setObjectName(QStringLiteral("m_FindDialog"));
    connect(m_FindDialog, &TSearchWindow::FindNextRequested, this, &TSDIAppForm::FindNext);
    m_ReplaceDialog = new TSearchWindow(TSearchWindow::Kind::Replace, this);
    m_ReplaceDialog->setObjectName(QStringLiteral("m_ReplaceDialog"));
    connect(m_ReplaceDialog, &TSearchWindow::ReplaceRequested, this, &TSDIAppForm::Replace);
    connect(m_ReplaceDialog, &TSearchWindow::ReplaceAllRequested, this, &TSDIAppForm::ReplaceAll);
    m_AboutBox = new TAboutBox(this);
    m_AboutBox->setObjectName(QStringLiteral("m_AboutBox"));

    resize(600, 780);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSDIAppForm::~TSDIAppForm()
{
    // Hiding the window while it is destroyed moves the focus; by then the commands
    // that follow the focus are gone.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void TSDIAppForm::CreateGrid(const QStringList& reference)
{
    m_StringsGrid = new TStringsGrid(0, 3, this);
    m_StringsGrid->setObjectName(QStringLiteral("m_StringsGrid"));
    m_StringsGrid->horizontalHeader()->hide();
    m_StringsGrid->verticalHeader()->hide();
    m_StringsGrid->setShowGrid(true);
    m_StringsGrid->setWordWrap(false);
    m_StringsGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_StringsGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    m_StringsGrid->setFont(font);

    QHeaderView* rows = m_StringsGrid->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(18);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = m_StringsGrid->horizontalHeader();
    columns->setMinimumSectionSize(0);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    m_StringsGrid->setColumnWidth(NumberColumn, 30);

    m_ReferenceRows = std::max<int>(RequiredMessages, int(reference.size()));
    SetRowCount(m_ReferenceRows);
    FillColumn(ReferenceColumn, reference);
    m_StringsGrid->setCurrentCell(0, EditColumn);

    connect(m_StringsGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == EditColumn)
            m_Modified = true;
    });
    m_StringsGrid->viewport()->installEventFilter(this);
    setCentralWidget(m_StringsGrid);
}

void TSDIAppForm::SetRowCount(int rows)
{
    // New rows are no edit.
    const QSignalBlocker blocker(m_StringsGrid);
    const int first = m_StringsGrid->rowCount();
    m_StringsGrid->setRowCount(rows);
    // The number and reference columns are fixed: shaded, neither selected nor edited.
    const QBrush fixedShade = palette().button();
    for (int row = first; row < rows; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setBackground(fixedShade);
        m_StringsGrid->setItem(row, NumberColumn, number);
        auto* text = new QTableWidgetItem;
        text->setFlags(Qt::ItemIsEnabled);
        text->setBackground(fixedShade);
        m_StringsGrid->setItem(row, ReferenceColumn, text);
        auto* edited = new QTableWidgetItem;
        edited->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        m_StringsGrid->setItem(row, EditColumn, edited);
    }
}

void TSDIAppForm::CreateCommands()
{
    struct Design
    {
        const char* name;
        const char* text;
        QKeySequence shortcut;
        // The tooltip before the bar, the status bar text after it.
        const char* hint;
        void (TSDIAppForm::*handler)();
        std::optional<CommandPicture> picture;
    };
    const Design designs[] = {
        {"FileNewAction", "&New", Qt::CTRL | Qt::Key_N, "New|Create a new file", &TSDIAppForm::FileNewActionExecute,
         CommandPicture::New},
        {"FileOpenAction", "&Open", Qt::CTRL | Qt::Key_O, "Open|Open a file", &TSDIAppForm::FileOpenActionExecute,
         CommandPicture::Open},
        {"FileSaveAction", "&Save", Qt::CTRL | Qt::Key_S, "Save|Save current file", &TSDIAppForm::FileSaveActionExecute,
         CommandPicture::Save},
        {"FileSaveAsAction",
         "Save &As...",
         {},
         "Save As|Save current file with different name",
         &TSDIAppForm::FileSaveAsActionExecute,
         std::nullopt},
        {"FileExitAction", "E&xit", {}, "Exit|Exit application", &TSDIAppForm::FileExitActionExecute, std::nullopt},
        {"EditCutAction", "Cu&t", Qt::CTRL | Qt::Key_X, "Cut|Cuts the selection and puts it on the Clipboard",
         &TSDIAppForm::EditCutActionExecute, CommandPicture::Cut},
        {"EditCopyAction", "&Copy", Qt::CTRL | Qt::Key_C, "Copy|Copies the selection and puts it on the Clipboard",
         &TSDIAppForm::EditCopyActionExecute, CommandPicture::Copy},
        {"EditPasteAction", "&Paste", Qt::CTRL | Qt::Key_V, "Paste|Inserts Clipboard contents",
         &TSDIAppForm::EditPasteActionExecute, CommandPicture::Paste},
        {"SearchAction", "Search", Qt::CTRL | Qt::Key_F, "Search|Search the translations for a text",
         &TSDIAppForm::SearchActionExecute, CommandPicture::Search},
        {"ReplaceAction", "Replace", Qt::CTRL | Qt::Key_R, "Replace|Replace a text in the translations",
         &TSDIAppForm::ReplaceActionExecute, CommandPicture::Replace},
        {"HelpAboutAction",
         "&About...",
         {},
         "About|Version and contact",
         &TSDIAppForm::HelpAboutActionExecute,
         std::nullopt},
    };
    QHash<QByteArray, QAction*> commands;
    for (const Design& design : designs) {
        auto* action = new QAction(QString::fromLatin1(design.text), this);
        action->setObjectName(QString::fromLatin1(design.name));
        action->setShortcut(design.shortcut);
        const QStringList hint = QString::fromLatin1(design.hint).split(QLatin1Char('|'));
        action->setToolTip(hint.constFirst());
        action->setStatusTip(hint.constLast());
        if (design.picture)
            action->setIcon(CommandIcon(*design.picture));
        connect(action, &QAction::triggered, this, design.handler);
        commands.insert(design.name, action);
    }
    const auto addCommands = [&commands](QWidget* target, const QList<QByteArray>& names) {
        for (const QByteArray& name : names) {
            if (name.isEmpty()) {
                auto* separator = new QAction(target);
                separator->setSeparator(true);
                target->addAction(separator);
            } else {
                target->addAction(commands.value(name));
            }
        }
    };
    m_CutAction = commands.value("EditCutAction");
    m_CopyAction = commands.value("EditCopyAction");
    m_PasteAction = commands.value("EditPasteAction");

    addCommands(menuBar()->addMenu(QStringLiteral("&File")),
                {"FileNewAction", "FileOpenAction", "FileSaveAction", "FileSaveAsAction", "", "FileExitAction"});
    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommands(editMenu, {"EditCutAction", "EditCopyAction", "EditPasteAction", "", "SearchAction", "ReplaceAction"});
    connect(editMenu, &QMenu::aboutToShow, this, &TSDIAppForm::UpdateClipboardCommands);
    addCommands(menuBar()->addMenu(QStringLiteral("&Help")), {"HelpAboutAction"});

    QToolBar* toolBar = addToolBar(QStringLiteral("Commands"));
    toolBar->setObjectName(QStringLiteral("m_ToolBar"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(20, 20));
    toolBar->toggleViewAction()->setVisible(false);
    addCommands(toolBar, {"FileNewAction", "FileOpenAction", "FileSaveAction", "", "SearchAction", "ReplaceAction", "",
                          "EditCutAction", "EditCopyAction", "EditPasteAction"});
    setContextMenuPolicy(Qt::NoContextMenu);
    statusBar();

    // The clipboard commands follow the text box of the cell being edited.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        auto* editor = qobject_cast<QLineEdit*>(now);
        if (editor != nullptr && m_StringsGrid->isAncestorOf(editor))
            connect(editor, &QLineEdit::selectionChanged, this, &TSDIAppForm::UpdateClipboardCommands,
                    Qt::UniqueConnection);
        UpdateClipboardCommands();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TSDIAppForm::UpdateClipboardCommands);
    UpdateClipboardCommands();
}

void TSDIAppForm::FileNewActionExecute()
{
    if (!MayDiscardChanges())
        return;
    SetRowCount(m_ReferenceRows);
    FillColumn(EditColumn, QStringList());
    statusBar()->clearMessage();
    m_FileName = QStringLiteral("New.lng");
    m_Modified = false;
    m_StringsGrid->setCurrentCell(0, EditColumn);
}

void TSDIAppForm::FileOpenActionExecute()
{
    if (!MayDiscardChanges())
        return;
    const QString path = m_ChooseFile(FileDialog::Open, m_FileName);
    if (!path.isEmpty())
        OpenFile(path);
}

bool TSDIAppForm::OpenFile(const QString& path)
{
    if (QFileInfo::exists(path)) {
        QStringList lines;
        QString error;
        if (!C_LanguageFile::Read(path, AllLines, lines, error)) {
            C_MessageBox::Show(QStringLiteral("Cannot open \"") + QDir::toNativeSeparators(path) +
                                   QStringLiteral("\": ") + error,
                               Caption, C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok, this);
            return false;
        }
        // Lines past the reference have nothing beside them, but they are a translator's
        // work (perhaps against a newer reference): kept, not dropped.
        SetRowCount(std::max<int>(m_ReferenceRows, int(lines.size())));
        FillColumn(EditColumn, lines);
        // The column now holds exactly what the file holds.
        m_Modified = false;
        const qsizetype extra = EditedTexts().size() - m_ReferenceRows;
        if (extra > 0)
            statusBar()->showMessage(QStringLiteral("%1 lines past the reference texts are kept").arg(extra));
        else
            statusBar()->clearMessage();
    }
    m_FileName = path;
    return true;
}

void TSDIAppForm::FileSaveActionExecute()
{
    SaveTo(m_FileName);
}

void TSDIAppForm::FileSaveAsActionExecute()
{
    m_StringsGrid->CommitEdit();
    const QString path = m_ChooseFile(FileDialog::SaveAs, m_FileName);
    if (path.isEmpty() || !CheckTexts())
        return;
    if (QFileInfo::exists(path) &&
        C_MessageBox::Show(QLatin1Char('"') + QDir::toNativeSeparators(path) +
                               QStringLiteral("\" already exists. Do you want to replace it?"),
                           Caption, C_MessageBox::Icon::Question, C_MessageBox::Buttons::YesNo,
                           this) != C_MessageBox::Answer::Yes)
        return;
    // The name Save uses stays the one chosen with Open.
    SaveTo(path);
}

void TSDIAppForm::FileExitActionExecute()
{
    close();
}

void TSDIAppForm::EditCutActionExecute()
{
    if (QLineEdit* editor = m_StringsGrid->CellEditor())
        editor->cut();
}

void TSDIAppForm::EditCopyActionExecute()
{
    if (QLineEdit* editor = m_StringsGrid->CellEditor())
        editor->copy();
}

void TSDIAppForm::EditPasteActionExecute()
{
    if (QLineEdit* editor = m_StringsGrid->CellEditor())
        editor->paste();
}

void TSDIAppForm::SearchActionExecute()
{
    m_SearchPosition = 0;
    m_SearchOffset = 0;
    m_FindDialog->Open();
}

void TSDIAppForm::ReplaceActionExecute()
{
    m_SearchPosition = 0;
    m_SearchOffset = 0;
    m_ReplaceDialog->Open();
}

void TSDIAppForm::HelpAboutActionExecute()
{
    m_AboutBox->exec();
}

void TSDIAppForm::FindNext()
{
    m_StringsGrid->CommitEdit();
    const QString wanted = m_FindDialog->FindText();
    for (; m_SearchPosition < m_StringsGrid->rowCount(); ++m_SearchPosition) {
        if (Text(m_SearchPosition).contains(wanted, Qt::CaseSensitive)) {
            ShowCell(m_SearchPosition);
            ++m_SearchPosition;
            return;
        }
    }
    m_FindDialog->hide();
    C_MessageBox::Show(QStringLiteral("No more instances"), QStringLiteral("String search"),
                       C_MessageBox::Icon::Information, C_MessageBox::Buttons::Ok, this);
}

void TSDIAppForm::Replace()
{
    m_StringsGrid->CommitEdit();
    if (!ReplaceNextOccurrence())
        ReportNoMoreReplacements();
}

void TSDIAppForm::ReplaceAll()
{
    m_StringsGrid->CommitEdit();
    while (ReplaceNextOccurrence()) {
    }
    ReportNoMoreReplacements();
}

bool TSDIAppForm::ReplaceNextOccurrence()
{
    const QString wanted = m_ReplaceDialog->FindText();
    const QString replacement = m_ReplaceDialog->ReplaceText();
    if (wanted.isEmpty())
        return false;
    for (; m_SearchPosition < m_StringsGrid->rowCount(); ++m_SearchPosition, m_SearchOffset = 0) {
        QString text = Text(m_SearchPosition);
        const qsizetype at = text.indexOf(wanted, m_SearchOffset, Qt::CaseSensitive);
        if (at < 0)
            continue;
        text.replace(at, wanted.size(), replacement);
        m_StringsGrid->item(m_SearchPosition, EditColumn)->setText(text);
        m_Modified = true;
        ShowCell(m_SearchPosition);
        m_SearchOffset = static_cast<int>(at + replacement.size());
        return true;
    }
    return false;
}

void TSDIAppForm::ReportNoMoreReplacements()
{
    m_ReplaceDialog->hide();
    C_MessageBox::Show(QStringLiteral("No more instances"), QStringLiteral("String replace"),
                       C_MessageBox::Icon::Information, C_MessageBox::Buttons::Ok, this);
}

void TSDIAppForm::FillColumn(int column, const QStringList& lines)
{
    // Loading is not an edit: it leaves the modified flag alone.
    const QSignalBlocker blocker(m_StringsGrid);
    for (int row = 0; row < m_StringsGrid->rowCount(); ++row) {
        QString text;
        if (row < lines.size())
            text = lines.at(row);
        // An empty required text would be refused at saving; one blank keeps its row and
        // passes. A later one stays empty, so that Kw3Win shows its own English for it.
        if (row < lines.size() && row < RequiredMessages && text.isEmpty())
            text = QStringLiteral(" ");
        m_StringsGrid->item(row, column)->setText(text);
    }
}

QString TSDIAppForm::Text(int row) const
{
    return m_StringsGrid->item(row, EditColumn)->text();
}

QStringList TSDIAppForm::EditedTexts() const
{
    QStringList texts;
    for (int row = 0; row < m_StringsGrid->rowCount(); ++row)
        texts << Text(row);
    // Empty lines past the reference tell Kw3Win nothing a missing line does not.
    while (texts.size() > m_ReferenceRows && texts.constLast().isEmpty())
        texts.removeLast();
    return texts;
}

void TSDIAppForm::ShowCell(int row)
{
    m_StringsGrid->setCurrentCell(row, EditColumn);
    m_StringsGrid->scrollToItem(m_StringsGrid->item(row, EditColumn));
}

bool TSDIAppForm::CheckTexts()
{
    for (int row = 0; row < m_StringsGrid->rowCount(); ++row) {
        const QString text = Text(row);
        const QString line = QStringLiteral("Message at line ") + QString::number(row + 1) + QLatin1Char(' ');
        QString fault;
        // The texts added later are questions and explanations: only the first ones must be short.
        if (text.size() > LongestText && row < RequiredMessages)
            fault = line + QStringLiteral("is too long");
        else if (text.isEmpty() && row < RequiredMessages)
            fault = line + QStringLiteral(" is empty");
        else if (const std::optional<QChar> c = C_LanguageFile::UnstorableCharacter(text))
            fault = line + QStringLiteral("holds the character ") + DescribeCharacter(*c) +
                    QStringLiteral(", which a language file cannot store");
        if (!fault.isEmpty()) {
            C_MessageBox::Show(fault, QStringLiteral("Error"), C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok,
                               this);
            return false;
        }
    }
    return true;
}

bool TSDIAppForm::SaveTo(const QString& path)
{
    m_StringsGrid->CommitEdit();
    if (!CheckTexts())
        return false;
    QString error;
    if (!C_LanguageFile::Write(path, C_LanguageFile::Encode(EditedTexts()), error)) {
        C_MessageBox::Show(QStringLiteral("Cannot save \"") + QDir::toNativeSeparators(path) + QStringLiteral("\": ") +
                               error,
                           Caption, C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok, this);
        return false;
    }
    m_Modified = false;
    return true;
}

bool TSDIAppForm::MayDiscardChanges()
{
    m_StringsGrid->CommitEdit();
    if (!m_Modified)
        return true;
    switch (C_MessageBox::Show(QStringLiteral("File content was modified, do you want to save it?"), Caption,
                               C_MessageBox::Icon::Question, C_MessageBox::Buttons::YesNoCancel, this)) {
    case C_MessageBox::Answer::Yes: return SaveTo(m_FileName);
    case C_MessageBox::Answer::No: return true;
    case C_MessageBox::Answer::Ok:
    case C_MessageBox::Answer::Cancel: break;
    }
    return false;
}

void TSDIAppForm::closeEvent(QCloseEvent* event)
{
    if (MayDiscardChanges()) {
        m_FindDialog->close();
        m_ReplaceDialog->close();
        event->accept();
    } else {
        event->ignore();
    }
}

bool TSDIAppForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_StringsGrid->viewport() && event->type() == QEvent::Resize)
        ResizeColumns();
    return QMainWindow::eventFilter(watched, event);
}

void TSDIAppForm::ResizeColumns()
{
    // The two text columns share the width beside the numbers; measured inside the grid so
    // that the scroll bar never covers the end of the edited texts.
    const int room = m_StringsGrid->viewport()->width() - m_StringsGrid->columnWidth(NumberColumn);
    const int half = std::max(0, room / 2);
    m_StringsGrid->setColumnWidth(ReferenceColumn, half);
    m_StringsGrid->setColumnWidth(EditColumn, half);
}

void TSDIAppForm::UpdateClipboardCommands()
{
    QLineEdit* editor = m_StringsGrid->CellEditor();
    const bool selected = editor != nullptr && editor->hasSelectedText();
    m_CutAction->setEnabled(selected && !editor->isReadOnly());
    m_CopyAction->setEnabled(selected);
    m_PasteAction->setEnabled(editor != nullptr && !editor->isReadOnly() &&
                              !QApplication::clipboard()->text().isEmpty());
}
