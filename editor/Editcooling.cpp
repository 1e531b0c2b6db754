#include "editor/Editcooling.h"

#include "desktop/Messagebox.h"
#include "language/Language.h"
#include "language/Messages.h"

TEditCoolingForm::TEditCoolingForm(QWidget* owner, bool showTimeout, std::uint32_t* timeout, std::int32_t* temperature,
                                   std::int32_t* maxLevel, std::int32_t* minLevel)
    : TPhaseDialog(owner, 333, Text(Msg::CoolingTitle), 3, showTimeout, timeout)
    , m_MinLevel(NewTrackLine(0, Text(Msg::MinimumLevelWithUnit), 0, 100, *minLevel))
    , m_MaxLevel(NewTrackLine(1, Text(Msg::MaximumLevelWithUnit), 0, 100, *maxLevel))
    , m_Temperature(NewTrackLine(2, Text(Msg::TemperatureWithUnit), 2, 93, *temperature))
    , m_TemperatureValue(temperature)
    , m_MaxLevelValue(maxLevel)
    , m_MinLevelValue(minLevel)
{
}

bool TEditCoolingForm::CloseQuery()
{
    std::int32_t minLevel = 0;
    std::int32_t maxLevel = 0;
    std::int32_t temperature = 0;
    if (!ReadInRange(m_MinLevel, minLevel) || !ReadInRange(m_MaxLevel, maxLevel) ||
        !ReadInRange(m_Temperature, temperature))
        return false;
    if (minLevel >= maxLevel) {
        C_MessageBox::Show(Text(Msg::MinimumAboveMaximum), Text(Msg::InvalidLevelsTitle), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
        return false;
    }
    *m_MinLevelValue = minLevel;
    *m_MaxLevelValue = maxLevel;
    *m_TemperatureValue = temperature;
    WriteTimeout();
    return true;
}
