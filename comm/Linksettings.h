#pragma once

#include "model/Eepromformat.h"

class C_Context;

// The port and time-outs of the settings store, as every transfer uses them.
S_LinkSettings LinkSettingsFromContext(const C_Context& context);
