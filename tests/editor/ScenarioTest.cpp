// A configuration built from an empty window with the editing commands alone,
// saved, read back into a new window and by kw3tool.
#include "desktop/Updown.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Rowproperties.h"
#include "editor/Selectmotor.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "support/ModalDriver.h"
#include "support/Toolpath.h"
#include "support/Windowfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>

#include <functional>

namespace {

using R = StepRole;

class ScenarioTest : public WindowTest
{
protected:
    QTreeWidgetItem* NewCycle(int category, int steps)
    {
        SelectCategory(category);
        Press(Window().m_CyclesTree, Qt::Key_Insert);
        QTreeWidgetItem* cycle = SelectCycle(category, Window().m_CategoryNodes[size_t(category)]->childCount() - 1);
        for (int k = 0; k < steps; ++k)
            Press(Window().m_StepsGrid, Qt::Key_Insert);
        return cycle;
    }
    // Enter on the cell of the step and row, the dialog it opens answered.
    void EditCell(int step, StepRole role, const std::function<void()>& answer = {})
    {
        if (answer)
            answer();
        SetStepCursor(step, GridRow(role));
        Press(Window().m_StepsGrid, Qt::Key_Return);
    }
    void LinkTo(QTreeWidgetItem* cycle, QTreeWidgetItem* onto)
    {
        Window().m_CyclesTree->setCurrentItem(cycle);
        Window().ProgramTreeDragDrop(Window().m_ProgramsTree->visualItemRect(onto).center());
    }
};

void Time(int minutes, int seconds)
{
    WhenShown<TFormEditTime>([=](TFormEditTime& dialog) {
        dialog.m_UpDownMinutes->SetPosition(minutes);
        dialog.m_UpDownSeconds->SetPosition(seconds);
        dialog.m_ButtonOK->click();
    });
}

void Number(int value)
{
    WhenShown<TFormEditNumber>([=](TFormEditNumber& dialog) {
        TypeInto(dialog.m_EditField, QString::number(value));
        dialog.m_OKButton->click();
    });
}

void Motor(int mode)
{
    WhenShown<TSelectMotorForm>([=](TSelectMotorForm& dialog) {
        dialog.m_MotorModes->button(mode - 1)->click();
        dialog.m_OKButton->click();
    });
}

// The programs with their references, and the cycles with every step value, as text.
QStringList Contents(const TFormMDIChild& window)
{
    QStringList lines;
    for (int i = 0; i < window.m_ProgramsTree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* program = window.m_ProgramsTree->topLevelItem(i);
        QString line = program->text(0) + QLatin1Char(':');
        for (int k = 0; k < program->childCount(); ++k)
            line += QLatin1Char(' ') + program->child(k)->text(0) +
                    (NodeData(program->child(k))->m_Link != nullptr ? QString() : QStringLiteral("(unlinked)"));
        lines << line;
    }
    for (int code = 1; code <= NodeKind::CategoryCount; ++code)
        for (int c = 0; c < window.m_CategoryNodes[size_t(code)]->childCount(); ++c) {
            const QTreeWidgetItem* cycle = window.m_CategoryNodes[size_t(code)]->child(c);
            lines << cycle->text(0);
            const C_CycleContent& content = *NodeData(cycle)->m_Content;
            for (int k = 0; k + 1 < content.StepCount(); ++k) {
                QStringList values;
                for (size_t v = 0; v < window.Format()->Rows().size(); ++v) {
                    // A lamp or output reads back as its bit: on is on.
                    const std::int32_t value = content.GetStep(k)->m_Values[v];
                    const RowClass kind = window.Format()->Rows()[v].m_Class;
                    const bool lamp = kind == RowClass::Boolean || kind == RowClass::Out;
                    values << QString::number(lamp ? int(value != 0) : value);
                }
                lines << values.join(QLatin1Char(' '));
            }
        }
    return lines;
}

} // namespace

TEST_F(ScenarioTest, AConfigurationBuiltWithTheCommandsSavesAndReadsBackWhole)
{
    Window().m_MotorGrid->setCurrentCell(1, 1);
    Number(12);
    Window().m_MotorEditAction->trigger();

    Press(Window().m_ProgramsTree, Qt::Key_Insert);
    Press(Window().m_ProgramsTree, Qt::Key_Insert);

    QTreeWidgetItem* prewash = NewCycle(1, 2);
    EditCell(1, R::Time, [] { Time(1, 30); });
    EditCell(1, R::MotorMode, [] { Motor(1); });
    EditCell(1, R::None);
    SetStepCursor(1, 2);
    Press(Window().m_StepsGrid, Qt::Key_Return);
    EditCell(2, R::Cooling, [] {
        WhenShown<TEditCoolingForm>([](TEditCoolingForm& dialog) {
            TypeInto(dialog.m_MaxLevel.m_Edit, QStringLiteral("80"));
            TypeInto(dialog.m_MinLevel.m_Edit, QStringLiteral("20"));
            TypeInto(dialog.m_Temperature.m_Edit, QStringLiteral("40"));
            dialog.m_MinutesUpDown->SetPosition(5);
            dialog.m_OKButton->click();
        });
    });

    QTreeWidgetItem* wash = NewCycle(2, 2);
    EditCell(1, R::BalancedFeed, [] {
        WhenShown<TEditBalancedFeedForm>([](TEditBalancedFeedForm& dialog) {
            TypeInto(dialog.m_Level.m_Edit, QStringLiteral("50"));
            TypeInto(dialog.m_Temperature.m_Edit, QStringLiteral("60"));
            dialog.m_MinutesUpDown->SetPosition(4);
            dialog.m_OKButton->click();
        });
    });
    EditCell(2, R::TemperatureFunction, [] { Number(70); });
    EditCell(2, R::Time, [] { Time(2, 0); });

    QTreeWidgetItem* hot = NewCycle(2, 1);
    EditCell(1, R::Temperature, [] { Number(40); });
    EditCell(1, R::TimeLimit, [] { Time(10, 0); });

    QTreeWidgetItem* one = Window().m_ProgramsTree->topLevelItem(0);
    QTreeWidgetItem* two = Window().m_ProgramsTree->topLevelItem(1);
    LinkTo(wash, one);
    LinkTo(prewash, one);
    LinkTo(hot, two);
    ASSERT_EQ(two->childCount(), 1);
    LinkTo(prewash, two->child(0));
    EXPECT_TRUE(m_Boxes.Shown().empty());
    EXPECT_EQ(Free(), 400 - 5);
    EXPECT_TRUE(Window().IsModified());

    ASSERT_TRUE(Window().Save()) << "the configuration passes its checks";
    EXPECT_FALSE(Window().IsModified());

    TFormMDIChild reread(m_Context);
    reread.SetPath(Window().Path());
    ASSERT_TRUE(reread.LoadConfiguration(Window().Path(), FormatCode::Standard));
    EXPECT_EQ(Contents(reread), Contents(Window()));
    EXPECT_EQ(reread.m_StepCountEdit->text(), QString::number(400 - 5));

    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(KW3TOOL),
               {QStringLiteral("--language"), SourceFile(QStringLiteral("resources/English.lng")),
                QStringLiteral("dump"), Window().Path()});
    ASSERT_TRUE(tool.waitForFinished(20000));
    const QJsonObject dump = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    const auto references = [&](int program) {
        QList<int> pairs;
        for (const QJsonValue& cycle :
             dump[QStringLiteral("programs")].toArray()[program][QStringLiteral("cycles")].toArray())
            pairs << cycle[QStringLiteral("category")].toInt() * 100 + cycle[QStringLiteral("number")].toInt();
        return pairs;
    };
    EXPECT_EQ(references(0), QList<int>({101, 201}));
    EXPECT_EQ(references(1), QList<int>({202, 101}));
    EXPECT_EQ(dump[QStringLiteral("freeSteps")].toInt(), 400 - 5);
    const QJsonArray cycles = dump[QStringLiteral("cycles")].toArray();
    ASSERT_EQ(cycles.size(), 3);
    const QJsonArray cooledStep = cycles[0][QStringLiteral("steps")].toArray()[1].toArray();
    EXPECT_EQ(cooledStep[Row(R::Cooling)].toInt() != 0, true);
    EXPECT_EQ(cooledStep[Row(R::Level)].toInt(), 80);
    EXPECT_EQ(cooledStep[Row(R::SecondLevel)].toInt(), 20);
    EXPECT_EQ(cooledStep[Row(R::TimeLimit)].toInt(), 300);
}
