#pragma once

#include "model/Configuration.h"
#include "model/Steprow.h"
#include "print/Timeline.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QScrollArea;
class TFormMDIChild;

// The timeline of what a configuration window has selected: its program, or its
// cycle. It follows the window's selection and every change, undo included; a
// hover shows a step's values, a click (or Left and Right) selects the step in
// the window's grid.
class C_TimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit C_TimelineView(QWidget* parent = nullptr);
    ~C_TimelineView() override;

    // The window to follow, or null for none.
    void Follow(TFormMDIChild* window);
    // Null while nothing is shown.
    const C_TimelineLayout* Layout() const { return m_Layout.get(); }
    int SelectedStep() const { return m_Selected; }
    // Selects the step of the layout in the window, as a click does.
    void ChooseStep(int step);
    // The timeline as an SVG, PNG or PDF file the user names; false when nothing was written.
    bool Export();

    // The toolbar button's picture: three lanes of bars.
    static QIcon Icon();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The window's configuration and selection laid out again.
    void Rebuild();
    // The step of the layout that the window's grid has current, when one is.
    void FollowSelection();

    QPointer<TFormMDIChild> m_Window;
    // What the layout refers to: copies, so that a window that changes or goes
    // leaves the layout whole until it is rebuilt.
    C_Configuration m_Configuration;
    std::vector<C_StepRow> m_Rows;
    std::vector<S_StepRow> m_RowLayout;
    std::unique_ptr<C_TimelineLayout> m_Layout;
    int m_Selected = -1;
};

// The timeline window's content: an Export button over the scrolled timeline.
class C_TimelinePanel : public QWidget
{
    Q_OBJECT

public:
    explicit C_TimelinePanel(QWidget* parent = nullptr);

    C_TimelineView& View() const { return *m_View; }

private:
    QScrollArea* m_Scroller;
    C_TimelineView* m_View;
};
