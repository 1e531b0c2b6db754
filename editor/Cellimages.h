#pragma once

#include <QImage>

class QPalette;

// The five pictures of the step grid cells (54 by 17 pixels each), shared by
// every row of every configuration window.
struct C_CellImages
{
    QImage m_LedOn;
    QImage m_LedOff;
    QImage m_SwitchOn;
    QImage m_LastColumn;
    QImage m_RowSeparator;

    // The pictures as drawn, for light cells; loaded when first asked for.
    static const C_CellImages& Shared();

    // The pictures for the palette's cells. A dark or high-contrast palette gets
    // them on its own colours (the legend column on the face, the separator a band
    // that keeps 3:1 against the cells) with each symbol lightened until it keeps
    // 3:1 against its cell; a light one gets them as drawn.
    static const C_CellImages& For(const QPalette& palette);
};
