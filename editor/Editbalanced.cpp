#include "editor/Editbalanced.h"

#include "language/Language.h"
#include "language/Messages.h"

TEditBalancedFeedForm::TEditBalancedFeedForm(QWidget* owner, bool showTimeout, std::uint32_t* timeout,
                                             std::int32_t* temperature, std::int32_t* level)
    : TPhaseDialog(owner, 330, Text(Msg::BalancedFeedTitle), 2, showTimeout, timeout)
    , m_Level(NewTrackLine(0, Text(Msg::LevelWithUnit), 0, 100, *level))
    , m_Temperature(NewTrackLine(1, Text(Msg::TemperatureWithUnit), 2, 93, *temperature))
    , m_TemperatureValue(temperature)
    , m_LevelValue(level)
{
}

bool TEditBalancedFeedForm::CloseQuery()
{
    std::int32_t level = 0;
    std::int32_t temperature = 0;
    if (!ReadInRange(m_Level, level) || !ReadInRange(m_Temperature, temperature))
        return false;
    *m_LevelValue = level;
    *m_TemperatureValue = temperature;
    WriteTimeout();
    return true;
}
