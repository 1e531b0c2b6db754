#pragma once

#include "editor/Phasedialog.h"

#include <cstdint>

// Enters the balanced feed of a step: level, temperature and timeout. OK is
// accepted only with every value in its range.
class TEditBalancedFeedForm : public TPhaseDialog
{
    Q_OBJECT

public:
    TEditBalancedFeedForm(QWidget* owner, bool showTimeout, std::uint32_t* timeout, std::int32_t* temperature,
                          std::int32_t* level);

    const C_TrackLine m_Level;
    const C_TrackLine m_Temperature;

protected:
    bool CloseQuery() override;

private:
    std::int32_t* m_TemperatureValue;
    std::int32_t* m_LevelValue;
};
