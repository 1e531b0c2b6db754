#pragma once

#include "model/Configuration.h"

#include <QElapsedTimer>
#include <QUndoCommand>

#include <functional>

class QObject;

// One change of a configuration, undone and redone by showing the configuration
// before or after it. Changes of one control (an up-down held down, a
// value typed digit by digit) less than a second apart and with no other
// command between make one step.
class C_ChangeCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const C_Configuration&)>;

    static constexpr int MergeWithinMs = 1000;

    // control names the control of the change, or is null for a change that stands alone;
    // followsDirectly tells that nothing happened since the change before it.
    C_ChangeCommand(const QString& name, C_Configuration before, C_Configuration after, Apply apply,
                    const QObject* control = nullptr, bool followsDirectly = false);

    void undo() override;
    // The change was made before the command was pushed: its first redo has nothing to do.
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const C_Configuration& Before() const { return m_Before; }
    const C_Configuration& After() const { return m_After; }

private:
    C_Configuration m_Before;
    C_Configuration m_After;
    Apply m_Apply;
    const QObject* m_Control;
    bool m_FollowsDirectly;
    // Since the last change it holds.
    QElapsedTimer m_Since;
    bool m_Done = false;
};
