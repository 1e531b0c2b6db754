#pragma once

#include "print/Layoutadapter.h"

// The design of a cycles page (landscape). The two cell bevels fix the step grid:
// the caption column and the first step column, both one row high; the first
// (header) row starts at their top.
class TCyclesLayoutForm
{
public:
    static const S_LayoutControl Form;
    // Fills the client area; printed as the page frame.
    static const S_LayoutControl m_PageBorderBevel;
    static const S_LayoutControl m_PageCaptionLabel;
    static const S_LayoutControl m_CycleNameLabel;
    static const S_LayoutControl m_ApplicationNameLabel;
    static const S_LayoutControl m_PageNumberLabel;
    static const S_LayoutControl m_RowNameBevel;
    static const S_LayoutControl m_CellContentBevel;
};
