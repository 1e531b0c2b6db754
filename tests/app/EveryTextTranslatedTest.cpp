// Every text Kw3Win shows comes from its language file: the same tour through every
// window and dialog, in English and in German, shows no English text in the German
// run but the few that are the same in both languages.
#include "app/Mainform.h"
#include "app/Recoveryform.h"
#include "dialogs/Filetansfer.h"
#include "dialogs/Printersetup.h"
#include "dialogs/Printitems.h"
#include "editor/Rowproperties.h"
#include "editor/Runningtransfer.h"
#include "editor/Treenodes.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "support/Layoutcheck.h"
#include "support/Mainformfixture.h"
#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidgetItemIterator>

namespace {

// Texts the product keeps in every language, and why.
const QStringList Fixed = {
    // The product's and its maker's names, version and the designed captions; addresses are data.
    "KW3 Win 2", "Version: 2.00.24", "Orvex Laundry Controls", "Support:", "Sales:", "www.orvex.example",
    "COMSetupForm", "Kw3Win",
    // Buttons, ports, units and menus the product's description fixes.
    "OK", "Ok", "COM", "[msec]", "sec", "&File", "&Help", "Cu&t", "&Copy", "&Paste", "Com Setup",
    "Cannot open language file", "Language manager"};
// Message ids whose German is the English: names (formats, units, the machine's display
// languages in their own words, "Motor" and "Pause" are German too) and signs.
const std::int16_t SameInBoth[] = {26, 27, 41, 107, 111, 112, 137, 139, 141, 165, 167, 171, 172, 261};

// The words of a text, without numbers, signs and accelerators.
QString Letters(QString text)
{
    text.remove(QLatin1Char('&'));
    return text.replace(QRegularExpression(QStringLiteral("[^\\p{L}]+")), QStringLiteral(" ")).trimmed();
}

void Collect(const QWidget& root, QStringList& texts)
{
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* widget : widgets) {
        if (widget->isWindow())
            texts << widget->windowTitle();
        texts << widget->toolTip() << widget->statusTip();
        for (const QAction* action : widget->actions())
            texts << action->text() << action->toolTip() << action->statusTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            texts << group->title();
        if (const auto* box = qobject_cast<const QComboBox*>(widget))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        if (const auto* table = qobject_cast<const QTableWidget*>(widget))
            for (int r = -1; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (const QTableWidgetItem* item = r < 0 ? table->horizontalHeaderItem(c) : table->item(r, c))
                        texts << item->text();
        if (const auto* list = qobject_cast<const QListWidget*>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        if (const auto* tree = qobject_cast<const QTreeWidget*>(widget))
            for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it != nullptr; ++it)
                texts << (*it)->text(0);
    }
}

class EveryTextTranslatedTest : public MainFormTest
{
protected:
    // Collects the modal dialog the action opens, then closes it; its texts fit in either language.
    void Dialog(const std::function<void()>& open)
    {
        QTimer::singleShot(0, [this] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                Collect(*dialog, m_Texts);
                if (dialog->inherits("TEditorDialog"))
                    ExpectNothingClipped(*dialog);
                dialog->close();
            }
        });
        open();
    }

    QStringList Tour(const QString& language)
    {
        {
            C_Context first;
            first.SetLanguageFile(SourceFile(QStringLiteral("resources/") + language));
            first.SetComNumber(5);
            first.SetReceiveTimeout(100);
        }
        m_Texts.clear();
        m_Boxes.Clear();
        const size_t filesBefore = m_Files.Asked().size();
        StartRun();
        Collect(m_Session->m_Splash, m_Texts);
        TFormMDIChild* window = NewValid();
        NewValid();
        window->m_CyclesTree->setCurrentItem(window->m_CategoryNodes[1]->child(0));
        Main().Frame().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        for (const auto& row : window->Format()->Rows())
            m_Texts << row.GetCaption();
        for (QAction* command : {Main().m_ComSetupAction, Main().m_HelpAboutAction, Main().m_FileNewAction})
            Dialog([command] { command->trigger(); });
        Dialog([this] { Import(WriteOld(QStringLiteral("Old.KW3"))); });
        WhenShown<TPrintItemsForm>([this](TPrintItemsForm& print) {
            Collect(print, m_Texts);
            Dialog([&print] { print.m_SetupPrinterButton->click(); });
        });
        Main().m_FilePrint->trigger();
        // The recovery dialog with a copy of each kind; the reason of a damaged one is the reader's.
        std::vector<S_FoundCopy> copies(2);
        copies[0].m_Copy.emplace().m_Origin.m_Caption = QStringLiteral("Configuration1.KWC");
        copies[0].m_Copy->m_Configuration.m_FormatCode = FormatCode::Standard;
        copies[1].m_Damage = m_Folder.Path(QStringLiteral("1-gone-2.recovery"));
        Dialog([this, &copies] { TRecoveryForm(copies, &Main()).exec(); });
        // The value dialogs of the panes and of every kind of step field.
        window->m_MotorGrid->setCurrentCell(1, 1);
        for (QAction* command : {window->m_MotorEditAction, window->m_RenameProgramAction, window->m_RenameCycleAction})
            Dialog([command] { command->trigger(); });
        for (const StepRole role :
             {StepRole::Level, StepRole::Time, StepRole::MotorMode, StepRole::Cooling, StepRole::BalancedFeed}) {
            window->m_StepsGrid->setCurrentCell(window->Format()->RowOf(role) + 1, 1);
            Dialog([window] { window->m_EditCellAction->trigger(); });
        }
        Main().m_WindowCompareAction->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->inherits("TCompareForm")) {
                Collect(*top, m_Texts);
                top->close();
            }
        // A download to a silent line: the transfer window, its question, its lines.
        C_PseudoTerminal silent;
        silent.Open();
        qputenv("KW3_COM5", silent.DevicePath().toLocal8Bit());
        Main().m_DownloadAction->trigger();
        if (C_RunningTransfer* transfer = C_RunningTransfer::Current()) {
            transfer->AskBeforeExit();
            Collect(transfer->Window(), m_Texts);
            ExpectNothingClipped(transfer->Window());
            transfer->Window().m_CancelTransferButton->click();
            EXPECT_TRUE(QTest::qWaitFor([] { return C_RunningTransfer::Current() == nullptr; }, 10000));
        }
        Collect(Main(), m_Texts);
        Main().m_FileCloseAction->trigger();
        for (const C_MessageBox::Request& box : m_Boxes.Shown())
            m_Texts << box.text << box.caption;
        for (size_t i = filesBefore; i < m_Files.Asked().size(); ++i)
            m_Texts << m_Files.Asked()[i].caption << m_Files.Asked()[i].filter;
        EndRun();
        return m_Texts;
    }

    QStringList m_Texts;
};

} // namespace

TEST_F(EveryTextTranslatedTest, TheGermanTourShowsNoEnglish)
{
    const QStringList english = Tour(QStringLiteral("English.lng"));
    const QStringList german = Tour(QStringLiteral("Deutsch.lng"));
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    QStringList allowed = Fixed;
    for (const std::int16_t id : SameInBoth)
        allowed << Text(id);
    QSet<QString> allowedLetters;
    for (const QString& text : allowed)
        allowedLetters << Letters(text);
    // A text of the English run that the German run shows as well, words and all.
    const QSet<QString> shownInGerman(german.begin(), german.end());
    QStringList untranslated;
    for (const QString& text : english) {
        const QString letters = Letters(text);
        // Paths, addresses, and the ports the machine has, named as they name themselves.
        const bool data = text.contains(m_Folder.Path(QString())) || text.contains(QLatin1Char('@')) ||
                          text.contains(QStringLiteral("://")) || text.contains(QString::fromUtf8(" \u2014 "));
        if (shownInGerman.contains(text) && !letters.isEmpty() && !allowedLetters.contains(letters) && !data)
            untranslated << text;
    }
    untranslated.removeDuplicates();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QStringLiteral("\n")).toStdString();
    EXPECT_GT(english.size(), 1000);
}
