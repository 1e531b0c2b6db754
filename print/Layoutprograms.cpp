#include "print/Layoutprograms.h"

using F = TProgramsLayoutForm;

const S_LayoutControl F::Form{"TProgramsLayoutForm", nullptr, 0, 0, 428, 621, {}};
const S_LayoutControl F::m_PageBorderBevel{"m_PageBorderBevel", &Form, 0, 0, 420, 594, {}};
const S_LayoutControl F::m_PageCaptionLabel{"m_PageCaptionLabel", &Form, 8, 8, 126, 16, HeadingFont(11)};
const S_LayoutControl F::m_ApplicationNameLabel{"m_ApplicationNameLabel", &Form, 328, 8, 70, 20, HeadingFont(13)};
const S_LayoutControl F::m_FontLabel{"m_FontLabel", &Form, 25, 50, 44, 10, ArialFont(8)};
const S_LayoutControl F::m_ColumnBevels[Columns]{
    {"m_Column1Bevel", &Form, 20, 48, 75, 253, {}},  {"m_Column2Bevel", &Form, 115, 48, 75, 253, {}},
    {"m_Column3Bevel", &Form, 210, 48, 75, 253, {}}, {"m_Column4Bevel", &Form, 305, 48, 75, 253, {}},
    {"m_Column5Bevel", &Form, 20, 315, 75, 253, {}}, {"m_Column6Bevel", &Form, 115, 315, 75, 253, {}},
    {"m_Column7Bevel", &Form, 210, 315, 75, 253, {}}, {"m_Column8Bevel", &Form, 305, 315, 75, 253, {}},
};
const S_LayoutControl F::m_IndentBevels[Columns]{
    {"m_Indent1Bevel", &Form, 30, 48, 71, 12, {}},  {"m_Indent2Bevel", &Form, 125, 48, 71, 12, {}},
    {"m_Indent3Bevel", &Form, 220, 48, 71, 12, {}}, {"m_Indent4Bevel", &Form, 315, 48, 71, 12, {}},
    {"m_Indent5Bevel", &Form, 30, 315, 71, 12, {}}, {"m_Indent6Bevel", &Form, 125, 315, 71, 12, {}},
    {"m_Indent7Bevel", &Form, 220, 315, 71, 12, {}}, {"m_Indent8Bevel", &Form, 315, 315, 71, 12, {}},
};
const S_LayoutControl F::m_PageNumberLabel{"m_PageNumberLabel", &Form, 375, 575, 21, 10, ArialFont(8)};
