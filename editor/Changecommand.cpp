#include "editor/Changecommand.h"

namespace {

constexpr int MergingId = 1;

} // namespace

C_ChangeCommand::C_ChangeCommand(const QString& name, C_Configuration before, C_Configuration after, Apply apply,
                                 const QObject* control, bool followsDirectly)
    : QUndoCommand(name)
    , m_Before(std::move(before))
    , m_After(std::move(after))
    , m_Apply(std::move(apply))
    , m_Control(control)
    , m_FollowsDirectly(followsDirectly)
{
    m_Since.start();
}

int C_ChangeCommand::id() const
{
    return m_Control != nullptr ? MergingId : -1;
}

bool C_ChangeCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const C_ChangeCommand*>(other);
    if (next->m_Control != m_Control || !next->m_FollowsDirectly || m_Since.elapsed() >= MergeWithinMs)
        return false;
    m_After = next->m_After;
    m_Since.restart();
    // Up and back down again: no change is left to undo.
    setObsolete(m_After == m_Before);
    return true;
}

void C_ChangeCommand::undo()
{
    m_Apply(m_Before);
}

void C_ChangeCommand::redo()
{
    if (m_Done)
        m_Apply(m_After);
    m_Done = true;
}
