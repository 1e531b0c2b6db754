// What a screen reader reads of a configuration window, walked in-process through
// QAccessible, and the link of a cycle made with the keyboard alone.
#include "app/Appearance.h"
#include "desktop/Dialoglook.h"
#include "dialogs/Comsetup.h"
#include "dialogs/Printersetup.h"
#include "document/Fragmentlibrary.h"
#include "editor/Cellcolours.h"
#include "editor/Cellimages.h"
#include "editor/Compareform.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Formatselector.h"
#include "editor/Libraryform.h"
#include "editor/Librarysave.h"
#include "editor/Linkdialog.h"
#include "editor/Newconfiguration.h"
#include "editor/Rowproperties.h"
#include "editor/Selectmotor.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Eepromformat.h"
#include "model/Labels.h"
#include "print/Timeline.h"
#include "support/Sampleconfiguration.h"
#include "support/Standinports.h"
#include "support/Windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

// Every cell of a full cycle's steps, in every format, has a name and (but for
// the headings) a value; the cell under the cursor is the focused one.
TEST_F(WindowTest, EveryStepCellHasANameAndAValueAndTheCursorCellIsFocused)
{
    for (const std::uint16_t code : {FormatCode::Standard, FormatCode::Inverter, FormatCode::Varnholt}) {
        TFormMDIChild window(m_Context);
        window.BindFormat(C_EEPROMFormat::Create(code, 24));
        FillSampleConfiguration(window, {12}, 1);
        window.show();
        window.m_CyclesTree->setCurrentItem(window.m_CategoryNodes[1]->child(0));
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window.m_StepsGrid);
        ASSERT_NE(grid, nullptr);
        QAccessibleTableInterface* table = grid->tableInterface();
        ASSERT_NE(table, nullptr);
        const std::vector<C_StepRow>& rows = window.Format()->Rows();
        const C_Configuration::Steps& steps = *window.Current().m_Cycles[0].m_Steps;
        ASSERT_EQ(steps.size(), 12u);
        int values = 0;
        for (int column = 1; column <= int(steps.size()); ++column)
            for (int row = 1; row <= int(rows.size()); ++row) {
                QAccessibleInterface* cell = table->cellAt(row, column);
                ASSERT_NE(cell, nullptr);
                const QString caption = rows[size_t(row - 1)].m_Caption;
                ASSERT_EQ(cell->text(QAccessible::Name), QStringLiteral("Step %1, ").arg(column) + caption);
                const QString value = cell->text(QAccessible::Description);
                ASSERT_EQ(value.isEmpty(), rows[size_t(row - 1)].m_Class == RowClass::Separator)
                    << code << " " << caption.toStdString();
                values += !value.isEmpty();
            }
        EXPECT_GT(values, 0);
        // A time as the cell shows it.
        const int time = window.Format()->RowOf(StepRole::Time);
        const std::int32_t seconds = steps[4][size_t(time)];
        EXPECT_EQ(table->cellAt(time + 1, 5)->text(QAccessible::Description),
                  seconds == rows[size_t(time)].m_DisabledValue ? Text(Msg::NotUsed)
                                                                : FormatStepTime(std::uint32_t(seconds)));

        QApplication::setActiveWindow(&window);
        window.m_StepsGrid->setFocus();
        window.m_StepsGrid->setCurrentCell(time + 1, 3);
        EXPECT_TRUE(table->cellAt(time + 1, 3)->state().focused);
        EXPECT_FALSE(table->cellAt(time + 1, 4)->state().focused);

        QAccessibleTableInterface* motors = QAccessible::queryAccessibleInterface(window.m_MotorGrid)->tableInterface();
        QAccessibleInterface* motor = motors->cellAt(1, 1);
        EXPECT_EQ(motor->text(QAccessible::Name),
                  Text(Msg::MotorRow) + QStringLiteral(" 1, ") + Text(std::int16_t(Msg::MotorColumn + 1)));
        // Its row and column are announced by name.
        EXPECT_EQ(motors->columnDescription(1), Text(std::int16_t(Msg::MotorColumn + 1)));
        EXPECT_EQ(motors->rowDescription(1), Text(Msg::MotorRow) + QStringLiteral(" 1"));
        EXPECT_FALSE(motor->text(QAccessible::Description).isEmpty());
    }
}

// Every pane, box and list of a window is named, as its label or heading says.
TEST_F(WindowTest, EveryPaneAndBoxHasAName)
{
    FillSampleConfiguration(Window(), {3}, 1);
    QList<QWidget*> controls{Window().m_ProgramsTree, Window().m_CyclesTree, Window().m_DiagnosticTree,
                             Window().m_StepsGrid, Window().m_MotorGrid};
    for (QLineEdit* box : Window().findChildren<QLineEdit*>())
        controls << box;
    for (QComboBox* list : Window().findChildren<QComboBox*>())
        controls << list;
    for (QWidget* control : controls)
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Window().m_StepCountEdit)->text(QAccessible::Name),
              Text(Msg::FreeSteps));
}

// Ctrl+L on a cycle asks for the program and the place, and links it as the drop does.
TEST_F(WindowTest, ACycleIsLinkedIntoAProgramWithTheKeyboardAlone)
{
    FillSampleConfiguration(Window(), {2, 3}, 2);
    QTreeWidgetItem* cycle =
        Window().m_CategoryNodes[size_t(Window().Configuration().m_Cycles[1].Category())]->child(0);
    ASSERT_NE(cycle, nullptr);
    S_LinkChoices asked;
    TLinkDialog::SetHandler([&asked](const S_LinkChoices& choices) {
        asked = choices;
        return S_LinkPlace{1, 0};
    });
    Window().m_CyclesTree->setCurrentItem(cycle);
    const C_Configuration before = Window().Configuration();
    Press(Window().m_CyclesTree, Qt::Key_L, Qt::ControlModifier);
    TLinkDialog::SetHandler({});
    ASSERT_EQ(asked.m_Programs.size(), 2u);
    EXPECT_EQ(asked.m_Cycle, cycle->text(0));
    const C_Configuration::S_Program& program = Window().Current().m_Programs[1];
    ASSERT_EQ(program.m_References.size(), before.m_Programs[1].m_References.size() + 1);
    EXPECT_EQ(program.m_References[0].m_Number, Window().Configuration().m_Cycles[1].m_Number);
    Window().History().undo();
    EXPECT_TRUE(Window().Configuration() == before);

    // The dialog by keys: Down takes the next program, its places follow; the last place is offered first.
    TLinkDialog dialog(&Window(), asked);
    EXPECT_EQ(dialog.m_Place->count(), asked.m_Programs[0].m_Cycles.size() + 1);
    QTest::keyClick(dialog.m_Program, Qt::Key_Down);
    EXPECT_EQ(dialog.Choice().m_Program, 1u);
    EXPECT_EQ(dialog.Choice().m_Position, size_t(asked.m_Programs[1].m_Cycles.size()));
    QTest::keyClick(dialog.m_Place, Qt::Key_Home);
    EXPECT_EQ(dialog.Choice().m_Position, 0u);
}

// Each kind of cell keeps its text readable (4.5:1) and its cursor and lines
// distinguishable (3:1) in the light, dark and high-contrast palettes; the light one
// keeps the yellow cursor.
TEST(CellColoursTest, EveryCellKindKeepsItsContrastInEveryPalette)
{
    for (const Appearance appearance : {Appearance::Light, Appearance::Dark, Appearance::HighContrast}) {
        const S_CellColours c = CellColoursOf(PaletteOf(appearance, QPalette()));
        // And the timeline as the window paints it.
        const S_TimelineColours t = TimelineColoursOf(PaletteOf(appearance, QPalette()));
        struct S_Pair
        {
            std::string m_Kind;
            QColor m_Front;
            QColor m_Back;
            double m_Least;
        };
        std::vector<S_Pair> pairs = {
            {"text on a cell", c.m_Text, c.m_Cell, 4.5},
            {"text on the fixed cells", c.m_FaceText, c.m_Face, 4.5},
            {"text on the cursor", c.m_CursorText, c.m_Cursor, 4.5},
            {"the cycle's caption", c.m_CornerText, c.m_Corner, 4.5},
            {"the cursor on a cell", c.m_Cursor, c.m_Cell, appearance == Appearance::Light ? 1.0 : 3.0},
            {"a line on a cell", c.m_Line, c.m_Cell, 3.0},
            {"timeline text", t.m_Text, t.m_Page, 4.5},
            {"a motor mode", t.m_MotorLine, t.m_MotorFill, 4.5},
            {"an output's mark", t.m_Switch, t.m_Page, 3},
            {"a target's mark", t.m_Value, t.m_Page, 3},
            {"the selected step", t.m_Selection, t.m_Page, 3},
        };
        for (size_t category = 0; category < t.m_Steps.size(); ++category) {
            pairs.push_back({"step " + std::to_string(category), t.m_Steps[category], t.m_Page, 3});
            pairs.push_back({"band " + std::to_string(category), t.m_Text, t.m_Bands[category], 4.5});
        }
        for (const S_Pair& pair : pairs)
            EXPECT_GE(ContrastRatio(pair.m_Front, pair.m_Back), pair.m_Least) << int(appearance) << ": " << pair.m_Kind;
        if (appearance == Appearance::Light) {
            EXPECT_EQ(c.m_Cursor, QColor(255, 255, 0));
        }
        // The pictures' symbols keep 3:1 against the cell they sit on (a light palette's
        // are as drawn, on their own background); a dark palette's separator is a band
        // that keeps 3:1 against the cells.
        const C_CellImages& images = C_CellImages::For(PaletteOf(appearance, QPalette()));
        const bool light = appearance == Appearance::Light;
        for (const QImage* symbol : {&images.m_LedOn, &images.m_LedOff, &images.m_SwitchOn}) {
            int kept = 0;
            for (int y = 0; y < symbol->height(); ++y)
                for (int x = 0; x < symbol->width(); ++x)
                    kept += ContrastRatio(symbol->pixelColor(x, y), light ? symbol->pixelColor(0, y) : c.m_Cell) >= 3;
            EXPECT_GE(kept, 20) << int(appearance) << ": picture " << symbol - &images.m_LedOn;
            if (!light) {
                EXPECT_EQ(symbol->pixelColor(0, 0), c.m_Cell);
            }
        }
        if (!light) {
            EXPECT_GE(ContrastRatio(images.m_RowSeparator.pixelColor(26, 8), c.m_Cell), 3.0) << int(appearance);
        }
        // A dialog's labels keep 4.5:1 on every point of its background picture.
        TEditorDialog dialog(nullptr, QSize(450, 450));
        dialog.setPalette(PaletteOf(appearance, QPalette()));
        const QImage background = dialog.grab().toImage();
        const QColor label = dialog.palette().color(QPalette::WindowText);
        double least = 21;
        for (int y = 0; y < background.height(); y += 3)
            for (int x = 0; x < background.width(); x += 3)
                least = std::min(least, ContrastRatio(label, background.pixelColor(x, y)));
        EXPECT_GE(least, 4.5) << int(appearance);
    }
}

namespace {

// The controls Tab reaches in the dialog, in the order it reaches them; of a set
// of exclusive radio buttons only the first, as Tab enters the set once.
std::vector<QWidget*> TabChain(QWidget& dialog)
{
    std::vector<QWidget*> chain;
    for (QWidget* widget = dialog.nextInFocusChain(); widget != &dialog; widget = widget->nextInFocusChain()) {
        if (!widget->isVisibleTo(&dialog) || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus) ||
            !dialog.isAncestorOf(widget) || widget->focusProxy() != nullptr)
            continue;
        if (auto* radio = qobject_cast<QRadioButton*>(widget); radio != nullptr && radio->autoExclusive() &&
                                                               !chain.empty() &&
                                                               qobject_cast<QRadioButton*>(chain.back()) != nullptr &&
                                                               chain.back()->parentWidget() == radio->parentWidget())
            continue;
        chain.push_back(widget);
    }
    return chain;
}

QRect PlaceIn(const QWidget& dialog, const QWidget& widget)
{
    return QRect(widget.mapTo(&dialog, QPoint(0, 0)), widget.size());
}

// Each control a screen reader names, and Tab never goes back up a column or back
// left along a row.
void ExpectNamedAndInReadingOrder(QWidget& dialog, const char* name)
{
    dialog.show();
    const std::vector<QWidget*> chain = TabChain(dialog);
    EXPECT_GE(chain.size(), 2u) << name;
    for (size_t i = 0; i < chain.size(); ++i) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(chain[i]);
        QString said = control != nullptr ? control->text(QAccessible::Name) : QString();
        // Here a combo box's name is its entry; its label comes as the one it is labelled by.
        if (qobject_cast<QComboBox*>(chain[i]) != nullptr) {
            const auto labelled = control->relations(QAccessible::Label);
            said = labelled.isEmpty() ? QString() : labelled.front().first->text(QAccessible::Name);
        }
        EXPECT_FALSE(said.trimmed().isEmpty())
            << name << ": control " << i << " " << chain[i]->metaObject()->className();
        if (i == 0)
            continue;
        const QRect from = PlaceIn(dialog, *chain[i - 1]);
        const QRect to = PlaceIn(dialog, *chain[i]);
        const bool sameColumn = to.left() < from.right() && from.left() < to.right();
        const bool sameRow = to.top() < from.bottom() && from.top() < to.bottom();
        EXPECT_FALSE(sameColumn && to.bottom() < from.top()) << name << ": up from " << i - 1 << " to " << i;
        EXPECT_FALSE(sameRow && to.right() < from.left()) << name << ": left from " << i - 1 << " to " << i;
    }
    dialog.hide();
}

} // namespace

TEST_F(WindowTest, EveryDialogNamesItsControlsAndTabsInReadingOrder)
{
    std::int32_t number = 5;
    TFormEditNumber editNumber(&Window(), &number, QStringLiteral("°C"), 90, 0, QStringLiteral("Temperature"),
                               QStringLiteral("Temperature"));
    ExpectNamedAndInReadingOrder(editNumber, "number");
    std::uint32_t seconds = 60;
    TFormEditTime editTime(&Window(), &seconds, QStringLiteral("Time"));
    ExpectNamedAndInReadingOrder(editTime, "time");
    std::uint32_t timeout = 60;
    std::int32_t temperature = 40, maxLevel = 50, minLevel = 10;
    TEditCoolingForm cooling(&Window(), true, &timeout, &temperature, &maxLevel, &minLevel);
    ExpectNamedAndInReadingOrder(cooling, "cooling");
    TEditBalancedFeedForm balanced(&Window(), true, &timeout, &temperature, &maxLevel);
    ExpectNamedAndInReadingOrder(balanced, "balanced");
    std::int32_t motor = 1;
    TSelectMotorForm selectMotor(&Window(), &motor, Window());
    ExpectNamedAndInReadingOrder(selectMotor, "motor");
    std::unique_ptr<C_EEPROMFormat> format;
    TNewConfigurationForm newConfiguration(&Window(), format, m_Context);
    ExpectNamedAndInReadingOrder(newConfiguration, "new");
    TEEPROMFormatDialog formatDialog(&Window());
    ExpectNamedAndInReadingOrder(formatDialog, "format");
    TLibrarySaveDialog librarySave(&Window(), {QStringLiteral("Wash"), QString()});
    ExpectNamedAndInReadingOrder(librarySave, "library");
    TLinkDialog link(&Window(),
                     {QStringLiteral("Wash 1"), {{QStringLiteral("Program 1"), {QStringLiteral("Wash 1")}}}});
    ExpectNamedAndInReadingOrder(link, "link");
    S_PortSettings port;
    C_StandInPorts ports;
    TCOMSetupForm comSetup(port, ports, &Window());
    ExpectNamedAndInReadingOrder(comSetup, "com");
    QPrinter printer;
    TPrinterSetupForm printerSetup(&Window(), printer);
    ExpectNamedAndInReadingOrder(printerSetup, "printer");

    // And the windows that the toolkit lays out.
    TFormMDIChild other(m_Context);
    other.BindFormat(C_EEPROMFormat::Create(FormatCode::Standard, 16));
    FillSampleConfiguration(Window(), {2}, 1);
    FillSampleConfiguration(other, {3}, 1);
    const auto compare = std::make_unique<TCompareForm>(Window(), QList<TFormMDIChild*>{&Window(), &other});
    ExpectNamedAndInReadingOrder(*compare, "compare");
    TLibraryForm library(C_FragmentLibrary(C_FragmentLibrary::DefaultFolder()), [this] { return &Window(); });
    ExpectNamedAndInReadingOrder(library, "library window");
}
