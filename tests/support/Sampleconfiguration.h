#pragma once

#include "model/Configuration.h"

#include <vector>

class C_ConfigurationPanes;
class C_EEPROMFormat;

// The value of that configuration, made from value (a new configuration's) by the window's edits.
C_Configuration SampleConfiguration(const C_EEPROMFormat& format, C_Configuration value,
                                    const std::vector<int>& cycleSteps, int programs);

// Fills the panes of a new configuration with one that passes every check:
// motor modes 1 to 3, a cycle of each given step count (categories in turn, the
// steps using every kind of row: outputs, the three special functions, the three
// end conditions, motor mode and drum speed) and programs linking the cycles in turn.
void FillSampleConfiguration(C_ConfigurationPanes& panes, C_EEPROMFormat& format, const std::vector<int>& cycleSteps,
                             int programs);
