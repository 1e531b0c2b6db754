#include "model/Configurationdiff.h"

#include "editor/Configurationpanes.h"
#include "editor/Rowproperties.h"
#include "editor/Utilities.h"
#include "model/Configurationvalues.h"
#include "model/Cyclecontent.h"
#include "model/Eepromformat.h"

#include <QTreeWidgetItem>

#include <algorithm>
#include <map>
#include <utility>

namespace {

const QString Missing = QStringLiteral("-");

// The items of both sides paired by key, in key order; an item whose key comes
// k times on one side pairs with the k-th of the other side (a file may hold
// two programs of one number). An item without a partner pairs with null.
template <typename Key, typename Item>
class C_Pairing
{
public:
    using Pair = std::pair<const Item*, const Item*>;

    void AddA(const Key& key, const Item* item) { Add(key, item, &Pair::first); }
    void AddB(const Key& key, const Item* item) { Add(key, item, &Pair::second); }
    const std::map<std::pair<Key, int>, Pair>& Pairs() const { return m_Pairs; }

private:
    void Add(const Key& key, const Item* item, const Item* Pair::*side)
    {
        m_Pairs[{key, m_Seen[std::make_pair(key, side == &Pair::first)]++}].*side = item;
    }

    std::map<std::pair<Key, int>, Pair> m_Pairs;
    std::map<std::pair<Key, bool>, int> m_Seen;
};

using CycleKey = std::pair<int, int>;

QString CyclePlace(const CycleKey& key)
{
    return QStringLiteral("cycle %1/%2").arg(key.first).arg(key.second);
}

class C_Comparison
{
public:
    C_Comparison(const S_ComparedConfiguration& a, const S_ComparedConfiguration& b)
        : m_A(a)
        , m_B(b)
    {
        MatchRows();
    }

    std::vector<S_Difference> Run(const std::function<QString(std::uint16_t)>& formatName)
    {
        CompareFormats(formatName);
        CompareService();
        CompareMotors();
        ComparePrograms();
        CompareCycles();
        return std::move(m_Differences);
    }

private:
    S_Difference& Add(S_Difference::Kind kind, const QString& place, const QString& a, const QString& b)
    {
        S_Difference& difference = m_Differences.emplace_back();
        difference.m_Kind = kind;
        difference.m_Place = place;
        difference.m_A = a;
        difference.m_B = b;
        return difference;
    }

    // Each of A's rows with the row of B that has its caption (the k-th of that
    // caption in A with the k-th in B); rows only one side has are not compared.
    void MatchRows()
    {
        std::map<std::pair<QString, int>, int> rowsB;
        std::map<QString, int> seen;
        const auto& b = m_B.m_Format.Rows();
        for (size_t r = 0; r < b.size(); ++r)
            rowsB[{b[r]->m_Caption, seen[b[r]->m_Caption]++}] = int(r);
        seen.clear();
        const auto& a = m_A.m_Format.Rows();
        for (size_t r = 0; r < a.size(); ++r) {
            const auto match = rowsB.find({a[r]->m_Caption, seen[a[r]->m_Caption]++});
            if (match != rowsB.end())
                m_RowPairs.emplace_back(int(r), match->second);
        }
    }

    void CompareFormats(const std::function<QString(std::uint16_t)>& formatName)
    {
        const auto shown = [&formatName](const C_EEPROMFormat& format) {
            return QStringLiteral("%1, %2 outputs").arg(formatName(format.FormatCode())).arg(format.GetOutputs());
        };
        const QString a = shown(m_A.m_Format);
        const QString b = shown(m_B.m_Format);
        if (a != b)
            Add(S_Difference::Kind::Format, QStringLiteral("format"), a, b);
    }

    void CompareService()
    {
        for (const S_ServiceKey& key : ServiceKeys()) {
            const S_DumpValue a = ServiceValue(key.m_Parameter, m_A.m_Panes);
            const S_DumpValue b = ServiceValue(key.m_Parameter, m_B.m_Panes);
            if (a == b)
                continue;
            S_Difference& difference =
                Add(S_Difference::Kind::Service, QStringLiteral("service ") + QLatin1String(key.m_Key), a.Text(),
                    b.Text());
            difference.m_Service = key.m_Parameter;
            difference.m_Flags = a.m_IsFlag;
        }
    }

    void CompareMotors()
    {
        for (int mode = 1; mode <= C_ConfigurationPanes::MotorModes; ++mode)
            for (int column = 1; column <= C_ConfigurationPanes::MotorTimes; ++column) {
                const int a = m_A.m_Panes.MotorCell(mode, column);
                const int b = m_B.m_Panes.MotorCell(mode, column);
                if (a == b)
                    continue;
                S_Difference& difference =
                    Add(S_Difference::Kind::Motor, QStringLiteral("motor %1 column %2").arg(mode).arg(column),
                        QString::number(a), QString::number(b));
                difference.m_MotorMode = mode;
                difference.m_MotorColumn = column;
            }
    }

    void ComparePrograms()
    {
        C_Pairing<int, QTreeWidgetItem> programs;
        for (int p = 0; p < m_A.m_Panes.m_ProgramsTree->topLevelItemCount(); ++p) {
            const QTreeWidgetItem* program = m_A.m_Panes.m_ProgramsTree->topLevelItem(p);
            programs.AddA(NodeData(program)->m_Number, program);
        }
        for (int p = 0; p < m_B.m_Panes.m_ProgramsTree->topLevelItemCount(); ++p) {
            const QTreeWidgetItem* program = m_B.m_Panes.m_ProgramsTree->topLevelItem(p);
            programs.AddB(NodeData(program)->m_Number, program);
        }
        for (const auto& [key, pair] : programs.Pairs()) {
            const auto cycles = [](const QTreeWidgetItem* program) {
                return program != nullptr ? CycleReferencesText(CycleReferences(*program)) : Missing;
            };
            const QString a = cycles(pair.first);
            const QString b = cycles(pair.second);
            if (a != b)
                Add(S_Difference::Kind::Program, QStringLiteral("program %1").arg(key.first), a, b).m_Program =
                    key.first;
        }
    }

    void CompareCycles()
    {
        C_Pairing<CycleKey, C_NodeData> cycles;
        for (const C_NodeData* cycle : CycleNodes(m_A.m_Panes))
            cycles.AddA({NodeKind::CategoryCode(cycle->m_Kind), cycle->m_Number}, cycle);
        for (const C_NodeData* cycle : CycleNodes(m_B.m_Panes))
            cycles.AddB({NodeKind::CategoryCode(cycle->m_Kind), cycle->m_Number}, cycle);
        for (const auto& [key, pair] : cycles.Pairs()) {
            if (pair.first != nullptr && pair.second != nullptr) {
                CompareSteps(key.first, *pair.first->m_Content, *pair.second->m_Content);
                continue;
            }
            const QString a = pair.first != nullptr ? StepsText(*pair.first->m_Content, m_A.m_Format.Rows().size())
                                                    : Missing;
            const QString b = pair.second != nullptr ? StepsText(*pair.second->m_Content, m_B.m_Format.Rows().size())
                                                     : Missing;
            PointAt(Add(S_Difference::Kind::Cycle, CyclePlace(key.first), a, b), key.first);
        }
    }

    void CompareSteps(const CycleKey& cycle, const C_CycleContent& a, const C_CycleContent& b)
    {
        const QString cyclePlace = CyclePlace(cycle);
        for (int s = 0; s < std::max(StoredSteps(a), StoredSteps(b)); ++s) {
            const QString place = cyclePlace + QStringLiteral(" step %1").arg(s + 1);
            const C_Step* stepA = s < StoredSteps(a) ? a.GetStep(s) : nullptr;
            const C_Step* stepB = s < StoredSteps(b) ? b.GetStep(s) : nullptr;
            if (stepA == nullptr || stepB == nullptr) {
                const QString valueA = stepA != nullptr ? StepText(*stepA, m_A.m_Format.Rows().size()) : Missing;
                const QString valueB = stepB != nullptr ? StepText(*stepB, m_B.m_Format.Rows().size()) : Missing;
                PointAt(Add(S_Difference::Kind::Step, place, valueA, valueB), cycle).m_Step = s;
                continue;
            }
            for (const auto& [rowA, rowB] : m_RowPairs) {
                const std::int32_t valueA = stepA->m_Values[size_t(rowA)];
                const std::int32_t valueB = stepB->m_Values[size_t(rowB)];
                if (valueA == valueB)
                    continue;
                S_Difference& difference =
                    PointAt(Add(S_Difference::Kind::StepField,
                                place + QLatin1Char(' ') + m_A.m_Format.Rows()[size_t(rowA)]->m_Caption,
                                QString::number(valueA), QString::number(valueB)),
                            cycle);
                difference.m_Step = s;
                difference.m_RowA = rowA;
                difference.m_RowB = rowB;
            }
        }
    }

    static S_Difference& PointAt(S_Difference& difference, const CycleKey& cycle)
    {
        difference.m_Category = cycle.first;
        difference.m_Cycle = cycle.second;
        return difference;
    }

    const S_ComparedConfiguration& m_A;
    const S_ComparedConfiguration& m_B;
    std::vector<std::pair<int, int>> m_RowPairs;
    std::vector<S_Difference> m_Differences;
};

} // namespace

QString S_Difference::Line() const
{
    return m_Place + QStringLiteral(": ") + m_A + QStringLiteral(" -> ") + m_B;
}

std::vector<S_Difference> CompareConfigurations(const S_ComparedConfiguration& a, const S_ComparedConfiguration& b,
                                                const std::function<QString(std::uint16_t)>& formatName)
{
    return C_Comparison(a, b).Run(formatName);
}
