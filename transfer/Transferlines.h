#pragma once

#include "comm/Transferlistener.h"

class C_DiagnosticSink;

// Writes a transfer's lines under its heading; the lines of a backup and of a
// verify go under a line of their own.
class C_TransferLines : public C_TransferListener
{
public:
    C_TransferLines(C_DiagnosticSink& lines, int heading);

    void Reported(std::int16_t id, int icon, const QString& detail) override;
    void StageChanged(TransferStage stage) override;

private:
    C_DiagnosticSink& m_Lines;
    int m_Heading;
    int m_Parent;
};
