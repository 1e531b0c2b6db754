#pragma once

#include "model/Eepromformat.h"
#include "model/Steprows.h"

// The standard machine's format, 0xCAFE: 8182 bytes, 400 step records of 16 bytes.
class C_FormatStandard : public C_EEPROMFormat
{
public:
    explicit C_FormatStandard(int outputs);

    static const S_FormatDescription& Description();

    // The step row captions, which the inverter format shares in part.
    static const S_StepRowCaptions& RowCaptions();
};
