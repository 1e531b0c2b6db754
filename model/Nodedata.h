#pragma once

#include <cstdint>
#include <memory>

class C_CycleContent;
class QTreeWidgetItem;

// Kind-word bits of the programs-tree and cycles-tree nodes.
namespace NodeKind {
constexpr std::uint32_t CategoryRoot = 0x80000000u;
constexpr std::uint32_t Group = 0x400;
constexpr std::uint32_t CycleReference = 0x200;
constexpr std::uint32_t Program = 0x100;
constexpr std::uint32_t Cycle = 0x20;
constexpr std::uint32_t Deletable = 0x2;
constexpr std::uint32_t CategoryMask = 0x3E000;

// The kind words the editor creates.
constexpr std::uint32_t ProgramWord = 0x116;
constexpr std::uint32_t CycleWord = 0x37;
constexpr std::uint32_t CycleReferenceWord = 0x202;
constexpr std::uint32_t CategoryRootWord = 0x80000408u;

constexpr int CategoryCount = 5;

// Category code 0 to 5 (as stored in an image) to its bit; 0 for any other code.
std::uint32_t CategoryBits(int code);
// The code of the first category bit set in the word, 0 when none is.
int CategoryCode(std::uint32_t kind);
} // namespace NodeKind

// What a programs-tree or cycles-tree node stands for. A cycle owns its steps.
class C_NodeData
{
public:
    C_NodeData(std::uint32_t kind, std::int32_t number);
    ~C_NodeData();
    C_NodeData(const C_NodeData&) = delete;
    C_NodeData& operator=(const C_NodeData&) = delete;

    std::uint32_t m_Kind;
    // A cycle reference's node in the cycles tree; null while that cycle does not exist.
    QTreeWidgetItem* m_Link = nullptr;
    // Present exactly for cycles.
    const std::unique_ptr<C_CycleContent> m_Content;
    std::int32_t m_Number;

    bool IsCycle() const { return (m_Kind & ~NodeKind::CategoryMask) == NodeKind::CycleWord; }
};
