#pragma once

#include "model/Serviceblock.h"

#include <QString>

#include <cstddef>
#include <vector>

class C_ConfigurationPanes;
class C_CycleContent;
class C_NodeData;
class C_Step;
class QTreeWidgetItem;

// A configuration's values as kw3tool's dump names and writes them, read from
// the panes; dump and the comparison of two configurations share them, so a
// difference shows a value the way dump shows it.

struct S_ServiceKey
{
    const char* m_Key;
    ServiceParameter m_Parameter;
};

// The service fields in dump's order, with dump's keys.
const std::vector<S_ServiceKey>& ServiceKeys();

// A value as dump writes it: a number, or a flag written true or false.
struct S_DumpValue
{
    int m_Number;
    bool m_IsFlag;

    QString Text() const;
    bool operator==(const S_DumpValue& other) const
    {
        return m_Number == other.m_Number && m_IsFlag == other.m_IsFlag;
    }
};

S_DumpValue ServiceValue(ServiceParameter parameter, const C_ConfigurationPanes& panes);

// The keys of a program's cycle reference.
namespace ReferenceKey {
constexpr const char* Category = "category";
constexpr const char* Number = "number";
constexpr const char* Linked = "linked";
} // namespace ReferenceKey

struct S_CycleReference
{
    int m_Category;
    int m_Number;
    bool m_Linked;

    bool operator==(const S_CycleReference& other) const
    {
        return m_Category == other.m_Category && m_Number == other.m_Number && m_Linked == other.m_Linked;
    }
};

// A program's cycle list in its order.
std::vector<S_CycleReference> CycleReferences(const QTreeWidgetItem& program);
// The list on one line, as dump writes a list of compact objects.
QString CycleReferencesText(const std::vector<S_CycleReference>& references);

// The cycles of the cycles tree in the tree's order.
std::vector<const C_NodeData*> CycleNodes(const C_ConfigurationPanes& panes);
// A cycle's steps, without its closing entry.
int StoredSteps(const C_CycleContent& content);
// A step's first rows values, and a cycle's steps, on one line as dump writes them.
QString StepText(const C_Step& step, std::size_t rows);
QString StepsText(const C_CycleContent& content, std::size_t rows);
