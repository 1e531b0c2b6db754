#pragma once

#include "editor/Configurationsnapshot.h"

#include <QUndoCommand>

#include <functional>

// One change of a configuration, undone and redone by restoring the snapshot
// taken before or after it.
class C_ChangeCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const C_ConfigurationSnapshot&)>;

    C_ChangeCommand(const QString& name, C_ConfigurationSnapshot before, C_ConfigurationSnapshot after, Apply apply);

    void undo() override;
    // The change was made before the command was pushed: its first redo has nothing to do.
    void redo() override;

    const C_ConfigurationSnapshot& Before() const { return m_Before; }
    const C_ConfigurationSnapshot& After() const { return m_After; }

private:
    C_ConfigurationSnapshot m_Before;
    C_ConfigurationSnapshot m_After;
    Apply m_Apply;
    bool m_Done = false;
};
