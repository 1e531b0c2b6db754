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

// Where lines are written: a list, or a window's diagnostic tree as they come.
class C_DiagnosticSink
{
public:
    enum Icon { Heading = 0, Information = 1, InProgress = 2, Error = 3 };
    static constexpr int Top = -1;

    virtual ~C_DiagnosticSink() = default;
    // A line under the parent line (at the top for Top); what names it, to put others under it.
    virtual int Add(int parent, const QString& text, int icon) = 0;
};

// The lines written, in order, as a window's diagnostic tree or kw3tool shows them.
class C_DiagnosticList : public C_DiagnosticSink
{
public:
    // The index of the new line.
    int Add(int parent, const QString& text, int icon) override
    {
        m_Lines.push_back({parent, text, icon});
        return int(m_Lines.size()) - 1;
    }
    const std::vector<S_DiagnosticLine>& Lines() const { return m_Lines; }

private:
    std::vector<S_DiagnosticLine> m_Lines;
};
