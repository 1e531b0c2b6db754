#pragma once

#include "comm/Transferlistener.h"

class C_ConfigurationPanes;
class QTreeWidgetItem;

// Writes a transfer's lines into the diagnostic tree under its heading; the
// lines of a backup and of a verify go under a line of their own.
class C_TransferLines : public C_TransferListener
{
public:
    C_TransferLines(C_ConfigurationPanes& window, QTreeWidgetItem* heading);

    void Reported(std::int16_t id, int icon, const QString& detail) override;
    void StageChanged(TransferStage stage) override;

    QTreeWidgetItem* Heading() const { return m_Heading; }

private:
    C_ConfigurationPanes& m_Window;
    QTreeWidgetItem* m_Heading;
    QTreeWidgetItem* m_Parent;
};
