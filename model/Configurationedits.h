#pragma once

#include "model/Configuration.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The changes a configuration window makes, each on a value: the window works out
// the value after a command, keeps both for undo and shows the new one. Programs
// and cycles are named by their place in the value; the step budget is counted
// as a load counts it (records is the format's number of step records), so the
// free steps shown after an edit are those a reload would show.
namespace ConfigurationEdit {

using References = std::vector<C_Configuration::S_Reference>;

// A program appended with the references given; its place.
std::size_t AddProgram(C_Configuration& value, int number, References references = {});
void RemoveProgram(C_Configuration& value, std::size_t program);
void RemoveReference(C_Configuration& value, std::size_t program, std::size_t reference);
void RenumberProgram(C_Configuration& value, std::size_t program, int number);
// A reference to the cycle inserted at the position in the program's list.
void LinkCycle(C_Configuration& value, std::size_t program, std::size_t position, std::size_t cycle);

// An empty cycle after the last of its category; its place.
std::size_t AddCycle(C_Configuration& value, int category, int number);
// A new cycle of the category holding the steps; false, and nothing changed, when
// the budget has no room for them and the closing entry.
bool AddCycleWithSteps(C_Configuration& value, int category, int number,
                       std::shared_ptr<const C_Configuration::Steps> steps);
// The steps of the source in a new cycle of the category, as AddCycleWithSteps.
bool CopyCycle(C_Configuration& value, std::size_t source, int category, int number);
// The cycle goes; references to it stay, no longer linked, and its steps are free again.
void RemoveCycle(C_Configuration& value, std::size_t cycle, std::int32_t records);
// References to the cycle follow its new number.
void RenumberCycle(C_Configuration& value, std::size_t cycle, int number);

// A step inserted before the position (past the last: appended); false, and
// nothing changed, when the budget has no step left.
bool InsertStep(C_Configuration& value, std::size_t cycle, std::size_t position,
                const C_Configuration::StepValues& step);
void RemoveStep(C_Configuration& value, std::size_t cycle, std::size_t position, std::int32_t records);
// The cycle's steps with their number unchanged: the budget is not touched.
void SetSteps(C_Configuration& value, std::size_t cycle, C_Configuration::Steps steps);

// A cycle's steps as the format's step editing takes them, and back.
C_CycleContent ContentOf(const C_Configuration::Steps& steps);
C_Configuration::Steps StepsOf(const C_CycleContent& content);

void SetMotorTime(C_Configuration& value, int mode, int column, int time);
void SetService(C_Configuration& value, ServiceParameter parameter, int setting);

} // namespace ConfigurationEdit
