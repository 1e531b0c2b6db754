#pragma once

#include "model/Configuration.h"

#include <vector>

class C_EEPROMFormat;
class QString;
class TFormMDIChild;

// The sample below made from value (a new configuration's) by the window's edits.
C_Configuration SampleConfiguration(const C_EEPROMFormat& format, C_Configuration value,
                                    const std::vector<int>& cycleSteps, int programs);

// A configuration that passes every check, made in a new configuration of the format
// (whose budget it takes): motor modes 1 to 3, a cycle of each given step count
// (categories in turn, the steps using every kind of row: outputs, the three special
// functions, the three end conditions, motor mode and drum speed) and programs
// linking the cycles in turn.
C_Configuration SampleConfiguration(C_EEPROMFormat& format, const std::vector<int>& cycleSteps, int programs);
// That configuration saved to the path.
bool SaveSample(C_EEPROMFormat& format, const std::vector<int>& cycleSteps, int programs, const QString& path);
// A new window filled with it, with nothing to save yet.
void FillSampleConfiguration(TFormMDIChild& window, const std::vector<int>& cycleSteps, int programs);
