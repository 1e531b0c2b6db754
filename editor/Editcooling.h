#pragma once

#include "editor/Phasedialog.h"

#include <cstdint>

// Enters the cooling of a step: minimum and maximum level, temperature and
// timeout. OK is accepted only with every value in its range and the minimum
// level below the maximum level.
class TEditCoolingForm : public TPhaseDialog
{
    Q_OBJECT

public:
    TEditCoolingForm(QWidget* owner, bool showTimeout, std::uint32_t* timeout, std::int32_t* temperature,
                     std::int32_t* maxLevel, std::int32_t* minLevel);

    const C_TrackLine m_MinLevel;
    const C_TrackLine m_MaxLevel;
    const C_TrackLine m_Temperature;

protected:
    bool CloseQuery() override;

private:
    std::int32_t* m_TemperatureValue;
    std::int32_t* m_MaxLevelValue;
    std::int32_t* m_MinLevelValue;
};
