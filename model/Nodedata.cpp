#include "model/Nodedata.h"

#include "model/Cyclecontent.h"

namespace NodeKind {

std::uint32_t CategoryBits(int code)
{
    return code >= 1 && code <= CategoryCount ? 0x1000u << code : 0u;
}

int CategoryCode(std::uint32_t kind)
{
    for (int code = 1; code <= CategoryCount; ++code)
        if (kind & CategoryBits(code))
            return code;
    return 0;
}

} // namespace NodeKind

static bool IsCycleWord(std::uint32_t kind)
{
    return (kind & ~NodeKind::CategoryMask) == NodeKind::CycleWord;
}

C_NodeData::C_NodeData(std::uint32_t kind, std::int32_t number)
    : m_Kind(kind)
    , m_Content(IsCycleWord(kind) ? std::make_unique<C_CycleContent>() : nullptr)
    , m_Number(number)
{
}

C_NodeData::~C_NodeData() = default;
