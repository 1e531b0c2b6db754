#pragma once

#include "model/Stepquestions.h"

#include <memory>
#include <vector>

class C_RowProperty;
class QWidget;

// The step editing rules' questions answered by the configuration window: its
// message boxes, the value dialogs over it, and each row's own way of editing.
class C_WindowQuestions : public C_StepQuestions
{
public:
    C_WindowQuestions(QWidget& owner, const std::vector<std::unique_ptr<C_RowProperty>>& rows);

    bool Tell(std::int16_t text, std::int16_t caption, Notice notice, bool offerCancel) override;
    void EditField(std::int32_t row, std::int32_t* value) override;
    bool EditCooling(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& temperature, std::int32_t& level,
                     std::int32_t& secondLevel) override;
    bool EditBalancedFeed(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& secondTemperature,
                          std::int32_t& level) override;
    bool EditNumber(std::int32_t& value, const QString& unit, std::int32_t min, std::int32_t max, std::int16_t prompt,
                    std::int16_t title) override;

private:
    QWidget& m_Owner;
    const std::vector<std::unique_ptr<C_RowProperty>>& m_Rows;
};
