#pragma once

#include "editor/Configurationsnapshot.h"

#include <QElapsedTimer>
#include <QUndoCommand>

#include <functional>

class QObject;

// One change of a configuration, undone and redone by restoring the snapshot
// taken before or after it. Changes of one control (an up-down held down, a
// value typed digit by digit) less than a second apart and with no other
// command between make one step.
class C_ChangeCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const C_ConfigurationSnapshot&)>;

    static constexpr int MergeWithinMs = 1000;

    // control names the control of the change, or is null for a change that stands alone;
    // followsDirectly tells that nothing happened since the change before it.
    C_ChangeCommand(const QString& name, C_ConfigurationSnapshot before, C_ConfigurationSnapshot after, Apply apply,
                    const QObject* control = nullptr, bool followsDirectly = false);

    void undo() override;
    // The change was made before the command was pushed: its first redo has nothing to do.
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const C_ConfigurationSnapshot& Before() const { return m_Before; }
    const C_ConfigurationSnapshot& After() const { return m_After; }

private:
    C_ConfigurationSnapshot m_Before;
    C_ConfigurationSnapshot m_After;
    Apply m_Apply;
    const QObject* m_Control;
    bool m_FollowsDirectly;
    // Since the last change it holds.
    QElapsedTimer m_Since;
    bool m_Done = false;
};
