#pragma once

#include <QAccessibleWidget>

#include <vector>

class C_TimelineView;

// What a screen reader finds in the timeline: a list with one item per step,
// named by its cycle and number ("Wash 1, Step 3"), described by when it starts,
// how long it lasts and what it does; the selected step is the focused item.
class C_TimelineAccess : public QAccessibleWidget
{
public:
    explicit C_TimelineAccess(C_TimelineView* view);
    ~C_TimelineAccess() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Makes the toolkit ask for this interface for every timeline view.
    static void Install();
    // Tells a listener that the step is now the selected one.
    static void StepChosen(C_TimelineView* view, int step);

private:
    C_TimelineView* View() const;

    // One item per step index asked for, kept while the view lives; an item past
    // the steps of a rebuilt layout reads as invalid.
    mutable std::vector<QAccessible::Id> m_Steps;
};
