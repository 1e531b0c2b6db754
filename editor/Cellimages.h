#pragma once

#include <QImage>

// The five pictures of the step grid cells (54 by 17 pixels each), shared by
// every row of every configuration window.
struct C_CellImages
{
    QImage m_LedOn;
    QImage m_LedOff;
    QImage m_SwitchOn;
    QImage m_LastColumn;
    QImage m_RowSeparator;

    // The one set, loaded when it is first asked for.
    static const C_CellImages& Shared();
};
