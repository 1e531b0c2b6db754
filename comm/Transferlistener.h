#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The parts of a download or upload as the user sees them.
enum class TransferStage { Backup, Download, Verify, Upload };

// Where one link operation stands: draining late bytes off the line, calling the
// controller, the pause after its answer, sending, waiting for the first byte of
// an image, receiving.
enum class LinkPhase { Draining, Calling, Pause, Sending, Waiting, Receiving };

// Told what a transfer does while it runs, on the thread that runs it, and asked
// whether it should stop. A transfer reports nothing to a listener of its own
// choosing: whoever starts it decides where the lines go.
class C_TransferListener
{
public:
    virtual ~C_TransferListener() = default;

    // A diagnostic line: the message id's text with detail appended, and its icon.
    virtual void Reported(std::int16_t id, int icon, const QString& detail) = 0;
    virtual void StageChanged(TransferStage) {}
    // attempt counts the handshake letters sent, from 1; 0 for the other phases.
    virtual void PhaseChanged(LinkPhase, int /*attempt*/) {}
    // Image bytes moved so far in this phase.
    virtual void Progressed(std::size_t /*done*/, std::size_t /*total*/) {}
    // Polled between handshake letters, during the pause and between image bytes:
    // a stop asked for before any image byte went out.
    virtual bool CancelRequested() const { return false; }
    // A stop that stands also once image bytes of a download go out, leaving the
    // controller with part of an image: the user has confirmed it.
    virtual bool CancelConfirmed() const { return CancelRequested(); }
};
