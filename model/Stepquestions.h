#pragma once

#include <QString>

#include <cstdint>

// What the step editing rules ask of the person editing: the configuration
// window answers with its message boxes and value dialogs, a test with a script.
class C_StepQuestions
{
public:
    enum class Notice { Information, Warning };

    virtual ~C_StepQuestions() = default;

    // A message (text and caption ids); with offerCancel, false when it is cancelled.
    virtual bool Tell(std::int16_t text, std::int16_t caption, Notice notice, bool offerCancel = false) = 0;
    // The field of the row edited as its kind is (a lamp toggled, a number, time or motor mode entered).
    virtual void EditField(std::int32_t row, std::int32_t* value) = 0;
    // The values cooling and balanced feed set; false when the dialog is cancelled. The
    // time limit is shown only where the format lets it be edited.
    virtual bool EditCooling(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& temperature,
                             std::int32_t& level, std::int32_t& secondLevel) = 0;
    virtual bool EditBalancedFeed(bool showTimeLimit, std::int32_t& timeLimit, std::int32_t& secondTemperature,
                                  std::int32_t& level) = 0;
    // A number between min and max with its unit, under a title and prompt (ids).
    virtual bool EditNumber(std::int32_t& value, const QString& unit, std::int32_t min, std::int32_t max,
                            std::int16_t prompt, std::int16_t title) = 0;
};
