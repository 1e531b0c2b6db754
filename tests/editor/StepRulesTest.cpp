// The rules between the fields of a step, through the step grid's Edit cell,
// Enable field and Disable field commands.
#include "desktop/Updown.h"
#include "editor/Editbalanced.h"
#include "editor/Editcooling.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "model/Configurationedits.h"
#include "support/ModalDriver.h"
#include "support/Windowfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <map>

namespace {

using Values = std::map<StepRole, std::int32_t>;
using R = StepRole;

void Cooling(const char* maxLevel, const char* minLevel, const char* temperature, const char* minutes, bool ok)
{
    WhenShown<TEditCoolingForm>([=](TEditCoolingForm& dialog) {
        TypeInto(dialog.m_MaxLevel.m_Edit, QString::fromLatin1(maxLevel));
        TypeInto(dialog.m_MinLevel.m_Edit, QString::fromLatin1(minLevel));
        TypeInto(dialog.m_Temperature.m_Edit, QString::fromLatin1(temperature));
        dialog.m_MinutesUpDown->SetPosition(QString::fromLatin1(minutes).toInt());
        (ok ? dialog.m_OKButton : dialog.m_CancelButton)->click();
    });
}

void Balanced(const char* level, const char* temperature, const char* minutes)
{
    WhenShown<TEditBalancedFeedForm>([=](TEditBalancedFeedForm& dialog) {
        TypeInto(dialog.m_Level.m_Edit, QString::fromLatin1(level));
        TypeInto(dialog.m_Temperature.m_Edit, QString::fromLatin1(temperature));
        dialog.m_MinutesUpDown->SetPosition(QString::fromLatin1(minutes).toInt());
        dialog.m_OKButton->click();
    });
}

// The number dialog answered; then, when given, the next dialog's answer is made ready.
void Number(const char* value, bool ok = true, const std::function<void()>& next = {})
{
    WhenShown<TFormEditNumber>([=](TFormEditNumber& dialog) {
        TypeInto(dialog.m_EditField, QString::fromLatin1(value));
        if (next)
            next();
        (ok ? dialog.m_OKButton : dialog.m_CancelButton)->click();
    });
}

// While it lives, a dialog that opens fails the test and is closed: the edit must not ask anything.
class NoDialog
{
public:
    NoDialog()
    {
        m_Timer.setSingleShot(true);
        QObject::connect(&m_Timer, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog opened";
                dialog->reject();
            }
        });
        m_Timer.start(0);
    }

private:
    QTimer m_Timer;
};

class StepRulesTest : public WindowTest
{
protected:
    explicit StepRulesTest(std::uint16_t format = FormatCode::Standard)
        : WindowTest(format)
    {
        SelectCategory(1);
        Window().m_NewCycleAction->trigger();
        SelectCycle(1, 0);
        SetStepCursor(1, 1);
        Window().m_InsertStepAction->trigger();
    }

    C_Step& Step() { return *NodeData(Window().DisplayedCycle())->m_Content->GetStep(0); }
    std::int32_t Value(StepRole role) { return Step().m_Values[size_t(Row(role))]; }
    void Set(const Values& values)
    {
        EditValue([&](C_Configuration& configuration) {
            C_Configuration::Steps steps = *configuration.m_Cycles[0].m_Steps;
            for (const auto& [role, value] : values)
                steps[0][size_t(Row(role))] = value;
            ConfigurationEdit::SetSteps(configuration, 0, std::move(steps));
        });
    }
    void Edit(StepRole role)
    {
        SetStepCursor(1, GridRow(role));
        Window().m_EditCellAction->trigger();
    }
    void ExpectValues(const Values& expected, const char* what)
    {
        for (const auto& [role, value] : expected)
            EXPECT_EQ(Value(role), value) << what << ": row " << Row(role);
    }
    void ExpectBox(std::int16_t text, std::int16_t caption, const char* what)
    {
        ASSERT_EQ(m_Boxes.Shown().size(), 1u) << what;
        EXPECT_EQ(m_Boxes.Shown()[0].text, Text(text)) << what;
        EXPECT_EQ(m_Boxes.Shown()[0].caption, Text(caption)) << what;
        m_Boxes.Clear();
    }
};

class VarnholtStepRulesTest : public StepRulesTest
{
protected:
    VarnholtStepRulesTest()
        : StepRulesTest(FormatCode::Varnholt)
    {
    }
};

const Values NothingSet{{R::Cooling, 0},       {R::BalancedFeed, 0},  {R::TemperatureFunction, 0},
                        {R::Level, 255},       {R::Temperature, 255}, {R::Time, 15555},
                        {R::TimeLimit, 15555}, {R::SecondLevel, 255}, {R::SecondTemperature, 255}};

} // namespace

TEST_F(StepRulesTest, EachSpecialFunctionSetsItsFieldsThroughItsDialogAndClearsThemWhenSwitchedOff)
{
    struct Case
    {
        const char* what;
        StepRole row;
        std::function<void()> answer;
        Values expected;
    };
    const Case cases[] = {
        {"cooling on",
         R::Cooling,
         [] { Cooling("80", "20", "40", "5", true); },
         {{R::Cooling, 1}, {R::Level, 80}, {R::SecondLevel, 20}, {R::Temperature, 40}, {R::TimeLimit, 300}}},
        {"cooling off",
         R::Cooling,
         [] {},
         {{R::Cooling, 0}, {R::Level, 255}, {R::SecondLevel, 255}, {R::Temperature, 255}, {R::TimeLimit, 15555}}},
        {"cooling cancelled", R::Cooling, [] { Cooling("80", "20", "40", "5", false); }, NothingSet},
        {"balanced feed on",
         R::BalancedFeed,
         [] { Balanced("50", "60", "4"); },
         {{R::BalancedFeed, 1}, {R::Level, 50}, {R::SecondTemperature, 60}, {R::TimeLimit, 240}}},
        {"balanced feed off", R::BalancedFeed, [] {}, NothingSet},
        {"temperature function on",
         R::TemperatureFunction,
         [] { Number("70"); },
         {{R::TemperatureFunction, 1}, {R::SecondTemperature, 70}, {R::Level, 255}}},
        {"temperature function off", R::TemperatureFunction, [] {}, NothingSet},
        {"temperature function cancelled", R::TemperatureFunction, [] { Number("70", false); }, NothingSet},
    };
    for (const Case& c : cases) {
        c.answer();
        Edit(c.row);
        ExpectValues(c.expected, c.what);
        EXPECT_TRUE(m_Boxes.Shown().empty()) << c.what;
    }
}

TEST_F(StepRulesTest, AStepHasOneSpecialFunctionOneEndConditionAndNoTemperatureAboveTheSecond)
{
    struct Case
    {
        const char* what;
        Values before;
        StepRole row;
        std::int16_t text;
        std::int16_t caption;
    };
    const Case cases[] = {
        {"balanced feed with cooling on", {{R::Cooling, 1}}, R::BalancedFeed, 14, 15},
        {"temperature function with balanced feed on", {{R::BalancedFeed, 1}}, R::TemperatureFunction, 14, 15},
        {"time with a level set", {{R::Level, 60}}, R::Time, 20, 21},
        {"level with a temperature set", {{R::Temperature, 40}}, R::Level, 20, 21},
        {"temperature with a time set", {{R::Time, 90}}, R::Temperature, 20, 21},
        {"second level", {}, R::SecondLevel, 18, 19},
        {"second temperature", {}, R::SecondTemperature, 18, 17},
    };
    for (const Case& c : cases) {
        Set(NothingSet);
        Set(c.before);
        const NoDialog quiet;
        Edit(c.row);
        Values unchanged = NothingSet;
        for (const auto& [role, value] : c.before)
            unchanged[role] = value;
        ExpectValues(unchanged, c.what);
        ExpectBox(c.text, c.caption, c.what);
    }

    // A temperature above the second one is offered again, or dropped.
    Set(NothingSet);
    Set({{R::SecondTemperature, 40}});
    m_Boxes.Queue(C_MessageBox::Answer::Cancel);
    Number("60");
    Edit(R::Temperature);
    ExpectBox(22, 21, "temperature above the second");
    EXPECT_EQ(Value(R::Temperature), 255);

    m_Boxes.Queue(C_MessageBox::Answer::Ok);
    Number("60", true, [] { Number("30"); });
    Edit(R::Temperature);
    ExpectBox(22, 21, "edited again");
    EXPECT_EQ(Value(R::Temperature), 30);
}

TEST_F(VarnholtStepRulesTest, TheMachineKeepsItsOwnTimeLimit)
{
    Set({{R::TimeLimit, 15555}});
    WhenShown<TEditCoolingForm>([](TEditCoolingForm& dialog) {
        EXPECT_FALSE(dialog.m_MinutesEdit->isVisibleTo(&dialog));
        TypeInto(dialog.m_MaxLevel.m_Edit, QStringLiteral("80"));
        TypeInto(dialog.m_MinLevel.m_Edit, QStringLiteral("20"));
        dialog.m_OKButton->click();
    });
    Edit(R::Cooling);
    ExpectValues({{R::Cooling, 1}, {R::Level, 80}, {R::SecondLevel, 20}, {R::TimeLimit, 15555}}, "cooling on");

    Set({{R::TimeLimit, 90}});
    Edit(R::Cooling);
    ExpectValues({{R::Cooling, 0}, {R::Level, 255}, {R::TimeLimit, 90}}, "cooling off");

    const NoDialog quiet;
    Edit(R::TimeLimit);
    SetStepCursor(1, GridRow(R::TimeLimit));
    Window().m_DisableStepFieldAction->trigger();
    EXPECT_EQ(Value(R::TimeLimit), 90) << "neither edited nor switched off";
    Window().m_DisableStepFieldAction->trigger();
    SetStepCursor(1, GridRow(R::Level));
    Window().m_EnableStepFieldAction->trigger();
    EXPECT_EQ(Value(R::Level), 0) << "any other field switches on at its lowest value";
}
