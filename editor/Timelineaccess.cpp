#include "editor/Timelineaccess.h"

#include "editor/Timelineview.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Programtime.h"

#include <QPointer>
#include <QWindow>

namespace {

class C_TimelineStepAccess : public QAccessibleInterface
{
public:
    C_TimelineStepAccess(C_TimelineView* view, int step)
        : m_View(view)
        , m_Step(step)
    {
    }

    bool isValid() const override { return Layout() != nullptr && size_t(m_Step) < Layout()->Steps().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_View ? m_View->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_View.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return QString();
        if (kind == QAccessible::Name)
            return Layout()->StepName(m_Step);
        if (kind != QAccessible::Description)
            return QString();
        const S_TimelineStep& step = Layout()->Steps()[size_t(m_Step)];
        const QString when = Text(Msg::StepStartsAt) + QLatin1Char(' ') + DurationText(step.m_Start) +
                             QStringLiteral(", ") + Text(Msg::StepLasts) + QLatin1Char(' ') +
                             DurationText(step.m_Duration);
        return (QStringList{when} + Layout()->StepFields(m_Step)).join(QStringLiteral("; "));
    }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect column = Layout()->Steps()[size_t(m_Step)].m_Column.toAlignedRect();
        return QRect(m_View->mapToGlobal(column.topLeft()), column.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        const bool selected = isValid() && m_View->SelectedStep() == m_Step;
        state.selected = selected;
        state.focused = selected && m_View->hasFocus();
        state.invalid = !isValid();
        return state;
    }

private:
    const C_TimelineLayout* Layout() const { return m_View ? m_View->Layout() : nullptr; }

    QPointer<C_TimelineView> m_View;
    int m_Step;
};

QAccessibleInterface* TimelineFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<C_TimelineView*>(object))
        return new C_TimelineAccess(view);
    return nullptr;
}

} // namespace

C_TimelineAccess::C_TimelineAccess(C_TimelineView* view)
    : QAccessibleWidget(view, QAccessible::List)
{
}

C_TimelineAccess::~C_TimelineAccess()
{
    for (const QAccessible::Id id : m_Steps)
        QAccessible::deleteAccessibleInterface(id);
}

C_TimelineView* C_TimelineAccess::View() const
{
    return static_cast<C_TimelineView*>(widget());
}

int C_TimelineAccess::childCount() const
{
    const C_TimelineLayout* layout = View()->Layout();
    return layout != nullptr ? int(layout->Steps().size()) : 0;
}

QAccessibleInterface* C_TimelineAccess::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (m_Steps.size() <= size_t(index))
        m_Steps.push_back(
            QAccessible::registerAccessibleInterface(new C_TimelineStepAccess(View(), int(m_Steps.size()))));
    return QAccessible::accessibleInterface(m_Steps[size_t(index)]);
}

int C_TimelineAccess::indexOfChild(const QAccessibleInterface* child) const
{
    for (size_t i = 0; i < m_Steps.size(); ++i)
        if (QAccessible::accessibleInterface(m_Steps[i]) == child)
            return int(i) < childCount() ? int(i) : -1;
    return -1;
}

QAccessibleInterface* C_TimelineAccess::childAt(int x, int y) const
{
    const C_TimelineLayout* layout = View()->Layout();
    return layout != nullptr ? child(layout->StepAt(View()->mapFromGlobal(QPoint(x, y)))) : nullptr;
}

void C_TimelineAccess::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(TimelineFactory);
        return true;
    }();
    (void)installed;
}

void C_TimelineAccess::StepChosen(C_TimelineView* view, int step)
{
    if (step < 0)
        return;
    QAccessibleEvent selection(view, QAccessible::SelectionAdd);
    selection.setChild(step);
    QAccessible::updateAccessibility(&selection);
    if (view->hasFocus()) {
        QAccessibleEvent focus(view, QAccessible::Focus);
        focus.setChild(step);
        QAccessible::updateAccessibility(&focus);
    }
}
