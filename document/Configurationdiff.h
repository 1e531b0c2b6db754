#pragma once

#include "model/Serviceblock.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class C_Configuration;
class C_StepRow;

// One way in which configuration B differs from configuration A.
struct S_Difference
{
    enum class Kind { Format, Service, Motor, Program, Cycle, Step, StepField };

    Kind m_Kind = Kind::Format;
    // Where: "service totalWashes", "motor 3 column 2", "program 4", "cycle 2/7",
    // "cycle 2/7 step 3", "cycle 2/7 step 3 <row caption>".
    QString m_Place;
    // Both values as dump shows them; "-" for the side that lacks the place.
    QString m_A;
    QString m_B;

    // What the place points at, so that a window can select it and name it.
    ServiceParameter m_Service = ServiceParameter::TotalWashes;
    // The values are flags, shown true and false.
    bool m_Flags = false;
    int m_Program = 0;
    int m_MotorMode = 0;
    int m_MotorColumn = 0;
    int m_Category = 0;
    int m_Cycle = 0;
    // The step's position in its cycle, from 0; -1 for no step.
    int m_Step = -1;
    // The field's position in A's and in B's rows; -1 for no field.
    int m_RowA = -1;
    int m_RowB = -1;

    // "PLACE: A -> B"
    QString Line() const;
};

// One configuration of a comparison, with the step rows of its format.
struct S_ComparedConfiguration
{
    const C_Configuration& m_Configuration;
    const std::vector<C_StepRow>& m_Rows;
};

// The differences in the order service, motors, programs by number, cycles by
// category then number, each cycle's steps in order and their fields in row
// order. Programs are matched by number and cycles by category and number; a
// program, cycle or step that only one side has is one difference. When the
// formats or output counts differ the first difference says so (formatName
// names a format code) and step fields are matched by row caption.
std::vector<S_Difference> CompareConfigurations(const S_ComparedConfiguration& a, const S_ComparedConfiguration& b,
                                                const std::function<QString(std::uint16_t)>& formatName);
