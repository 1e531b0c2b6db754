#pragma once

#include "model/Eepromformat.h"

// The format of the machine whose drum motor an inverter drives, 0xCB90: 8184
// bytes, 350 step records of 18 bytes, each with a drum speed.
class C_FormatInverter : public C_EEPROMFormat
{
public:
    explicit C_FormatInverter(int outputs);

    static const S_FormatDescription& Description();
};
