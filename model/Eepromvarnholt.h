#pragma once

#include "model/Eepromformat.h"

// The Varnholt machine's format, 0xF954: 8185 bytes, the inverter's step area with
// its own captions, service block and step checks.
class C_FormatVarnholt : public C_EEPROMFormat
{
public:
    explicit C_FormatVarnholt(int outputs);

    static const S_FormatDescription& Description();
};
