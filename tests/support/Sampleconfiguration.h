#pragma once

#include <vector>

class C_ConfigurationPanes;
class C_EEPROMFormat;

// Fills the panes of a new configuration with one that passes every check:
// motor modes 1 to 3, a cycle of each given step count (categories in turn, the
// steps using every kind of row: outputs, the three special functions, the three
// end conditions, motor mode and drum speed) and programs linking the cycles in turn.
void FillSampleConfiguration(C_ConfigurationPanes& panes, C_EEPROMFormat& format, const std::vector<int>& cycleSteps,
                             int programs);
