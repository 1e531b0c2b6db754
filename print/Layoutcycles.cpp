#include "print/Layoutcycles.h"

using F = TCyclesLayoutForm;

const S_LayoutControl F::Form{"TCyclesLayoutForm", nullptr, 0, 0, 602, 447, {}};
const S_LayoutControl F::m_PageBorderBevel{"m_PageBorderBevel", &Form, 0, 0, 594, 420, {}};
const S_LayoutControl F::m_PageCaptionLabel{"m_PageCaptionLabel", &Form, 8, 8, 126, 16, HeadingFont(11)};
const S_LayoutControl F::m_CycleNameLabel{"m_CycleNameLabel", &Form, 8, 28, 84, 11, HeadingFont(8)};
const S_LayoutControl F::m_ApplicationNameLabel{"m_ApplicationNameLabel", &Form, 463, 3, 87, 23, HeadingFont(16)};
const S_LayoutControl F::m_PageNumberLabel{"m_PageNumberLabel", &Form, 463, 33, 73, 10, ArialFont(8)};
const S_LayoutControl F::m_RowNameBevel{"m_RowNameBevel", &Form, 8, 45, 78, 10, {}};
const S_LayoutControl F::m_CellContentBevel{"m_CellContentBevel", &Form, 85, 45, 20, 10, {}};
