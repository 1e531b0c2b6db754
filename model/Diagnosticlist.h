#pragma once

#include <QString>

#include <vector>

// A line of what a conversion, a check or a save found: its text and icon, under
// the line it belongs to.
struct S_DiagnosticLine
{
    // The index of the line it belongs under, or Top.
    int m_Parent;
    QString m_Text;
    int m_Icon;

    bool operator==(const S_DiagnosticLine&) const = default;
};

// The lines written, in order, as a window's diagnostic tree or kw3tool shows them.
class C_DiagnosticList
{
public:
    enum Icon { Heading = 0, Information = 1, InProgress = 2, Error = 3 };
    static constexpr int Top = -1;

    // The index of the new line, to put others under it.
    int Add(int parent, const QString& text, int icon)
    {
        m_Lines.push_back({parent, text, icon});
        return int(m_Lines.size()) - 1;
    }
    const std::vector<S_DiagnosticLine>& Lines() const { return m_Lines; }

private:
    std::vector<S_DiagnosticLine> m_Lines;
};
