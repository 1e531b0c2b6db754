#pragma once

#include "print/Layoutadapter.h"

// The design of a programs page (portrait): eight program columns, four above
// and four below. Column n gives the left edge and top of program n; its indent
// gives the left edge of the program's cycle lines and, by its height, their pitch.
// The bevels are not printed.
class TProgramsLayoutForm
{
public:
    static constexpr int Columns = 8;

    static const S_LayoutControl Form;
    static const S_LayoutControl m_PageBorderBevel;
    static const S_LayoutControl m_PageCaptionLabel;
    static const S_LayoutControl m_ApplicationNameLabel;
    // The font of the program texts.
    static const S_LayoutControl m_FontLabel;
    // m_Column1Bevel to m_Column8Bevel, and m_Indent1Bevel to m_Indent8Bevel.
    static const S_LayoutControl m_ColumnBevels[Columns];
    static const S_LayoutControl m_IndentBevels[Columns];
    static const S_LayoutControl m_PageNumberLabel;
};
