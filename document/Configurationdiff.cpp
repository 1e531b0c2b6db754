#include "document/Configurationdiff.h"

#include "document/Configurationvalues.h"
#include "model/Steprow.h"

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
        const auto& b = m_B.m_Rows;
        for (size_t r = 0; r < b.size(); ++r)
            rowsB[{b[r].m_Caption, seen[b[r].m_Caption]++}] = int(r);
        seen.clear();
        const auto& a = m_A.m_Rows;
        for (size_t r = 0; r < a.size(); ++r) {
            const auto match = rowsB.find({a[r].m_Caption, seen[a[r].m_Caption]++});
            if (match != rowsB.end())
                m_RowPairs.emplace_back(int(r), match->second);
        }
    }

    void CompareFormats(const std::function<QString(std::uint16_t)>& formatName)
    {
        const auto shown = [&formatName](const C_Configuration& configuration) {
            return QStringLiteral("%1, %2 outputs")
                .arg(formatName(configuration.m_FormatCode))
                .arg(configuration.m_Outputs);
        };
        const QString a = shown(A());
        const QString b = shown(B());
        if (a != b)
            Add(S_Difference::Kind::Format, QStringLiteral("format"), a, b);
    }

    void CompareService()
    {
        for (const S_ServiceParameter& key : ServiceParameters()) {
            const S_DumpValue a = ServiceValue(key.m_Parameter, A());
            const S_DumpValue b = ServiceValue(key.m_Parameter, B());
            if (a == b)
                continue;
            S_Difference& difference = Add(S_Difference::Kind::Service,
                                           QStringLiteral("service ") + QLatin1String(key.m_Key), a.Text(), b.Text());
            difference.m_Service = key.m_Parameter;
            difference.m_Flags = a.m_IsFlag;
        }
    }

    void CompareMotors()
    {
        for (size_t m = 0; m < A().m_Motors.size() && m < B().m_Motors.size(); ++m)
            for (size_t c = 0; c < A().m_Motors[m].size(); ++c) {
                const int a = A().m_Motors[m][c];
                const int b = B().m_Motors[m][c];
                if (a == b)
                    continue;
                const int mode = int(m + 1);
                const int column = int(c + 1);
                S_Difference& difference =
                    Add(S_Difference::Kind::Motor, QStringLiteral("motor %1 column %2").arg(mode).arg(column),
                        QString::number(a), QString::number(b));
                difference.m_MotorMode = mode;
                difference.m_MotorColumn = column;
            }
    }

    void ComparePrograms()
    {
        C_Pairing<int, C_Configuration::S_Program> programs;
        for (const C_Configuration::S_Program& program : A().m_Programs)
            programs.AddA(program.m_Number, &program);
        for (const C_Configuration::S_Program& program : B().m_Programs)
            programs.AddB(program.m_Number, &program);
        for (const auto& [key, pair] : programs.Pairs()) {
            const auto cycles = [](const C_Configuration::S_Program* program) {
                return program != nullptr ? CycleReferencesText(program->m_References) : Missing;
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
        C_Pairing<CycleKey, C_Configuration::S_Cycle> cycles;
        for (const C_Configuration::S_Cycle& cycle : A().m_Cycles)
            cycles.AddA({cycle.Category(), cycle.m_Number}, &cycle);
        for (const C_Configuration::S_Cycle& cycle : B().m_Cycles)
            cycles.AddB({cycle.Category(), cycle.m_Number}, &cycle);
        for (const auto& [key, pair] : cycles.Pairs()) {
            if (pair.first != nullptr && pair.second != nullptr) {
                CompareSteps(key.first, *pair.first->m_Steps, *pair.second->m_Steps);
                continue;
            }
            const QString a = pair.first != nullptr ? StepsText(*pair.first->m_Steps, m_A.m_Rows.size()) : Missing;
            const QString b = pair.second != nullptr ? StepsText(*pair.second->m_Steps, m_B.m_Rows.size()) : Missing;
            PointAt(Add(S_Difference::Kind::Cycle, CyclePlace(key.first), a, b), key.first);
        }
    }

    void CompareSteps(const CycleKey& cycle, const C_Configuration::Steps& a, const C_Configuration::Steps& b)
    {
        const QString cyclePlace = CyclePlace(cycle);
        for (size_t s = 0; s < std::max(a.size(), b.size()); ++s) {
            const QString place = cyclePlace + QStringLiteral(" step %1").arg(s + 1);
            const C_Configuration::StepValues* stepA = s < a.size() ? &a[s] : nullptr;
            const C_Configuration::StepValues* stepB = s < b.size() ? &b[s] : nullptr;
            if (stepA == nullptr || stepB == nullptr) {
                const QString valueA = stepA != nullptr ? StepText(*stepA, m_A.m_Rows.size()) : Missing;
                const QString valueB = stepB != nullptr ? StepText(*stepB, m_B.m_Rows.size()) : Missing;
                PointAt(Add(S_Difference::Kind::Step, place, valueA, valueB), cycle).m_Step = int(s);
                continue;
            }
            for (const auto& [rowA, rowB] : m_RowPairs) {
                const std::int32_t valueA = (*stepA)[size_t(rowA)];
                const std::int32_t valueB = (*stepB)[size_t(rowB)];
                if (valueA == valueB)
                    continue;
                S_Difference& difference = PointAt(Add(S_Difference::Kind::StepField,
                                                       place + QLatin1Char(' ') + m_A.m_Rows[size_t(rowA)].m_Caption,
                                                       QString::number(valueA), QString::number(valueB)),
                                                   cycle);
                difference.m_Step = int(s);
                difference.m_RowA = rowA;
                difference.m_RowB = rowB;
            }
        }
    }

    const C_Configuration& A() const { return m_A.m_Configuration; }
    const C_Configuration& B() const { return m_B.m_Configuration; }

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
