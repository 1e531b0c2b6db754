#include "editor/Changecommand.h"

C_ChangeCommand::C_ChangeCommand(const QString& name, C_ConfigurationSnapshot before, C_ConfigurationSnapshot after,
                                 Apply apply)
    : QUndoCommand(name)
    , m_Before(std::move(before))
    , m_After(std::move(after))
    , m_Apply(std::move(apply))
{
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
