#pragma once

#include "comm/Serialport.h"
#include "comm/Transferlistener.h"
#include "tools/Simulator.h"

#include <QString>
#include <QTreeWidgetItem>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// A simulated controller serving on its own thread while a test runs the link.
class RunningController
{
public:
    explicit RunningController(S_SimulatorOptions options);
    ~RunningController();
    RunningController(const RunningController&) = delete;
    RunningController& operator=(const RunningController&) = delete;

    const QString& Device() const { return m_Simulator.DevicePath(); }
    // Ends serving (after the bytes on the line are taken) and returns every report.
    std::vector<S_TransferReport> Stop();
    const std::vector<std::uint8_t>& ReceivedImage() const { return m_Simulator.ReceivedImage(); }

private:
    C_ControllerSimulator m_Simulator;
    std::atomic<bool> m_Stop{false};
    std::mutex m_Mutex;
    std::vector<S_TransferReport> m_Reports;
    std::thread m_Thread;
};

// A controller of the test's making at the far end of a pseudo-terminal: it
// answers each handshake letter with the ready byte and then does as told,
// as fast as the line takes it, until the line is gone or the test ends.
class StandIn
{
public:
    explicit StandIn(std::function<void(C_PseudoTerminal&)> afterReady);
    ~StandIn();
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    const QString& Device() const { return m_Line.DevicePath(); }

private:
    C_PseudoTerminal m_Line;
    std::atomic<bool> m_Stop{false};
    std::thread m_Thread;
};

// Writes the bytes until the line refuses one.
void WriteBytes(C_PseudoTerminal& line, const std::vector<std::uint8_t>& bytes);

S_SimulatorOptions ControllerWithImage(std::vector<std::uint8_t> image);
// Bytes 0, 1, 2, ... 255, 0, ...: every byte value, and a shift shows.
std::vector<std::uint8_t> CountingImage(std::size_t size);

// A link's lines as children of a tree entry.
class ItemLines : public C_TransferListener
{
public:
    explicit ItemLines(QTreeWidgetItem& parent)
        : m_Parent(parent)
    {
    }
    void Reported(std::int16_t id, int icon, const QString& detail) override;

private:
    QTreeWidgetItem& m_Parent;
};

// The lines under a diagnostic entry, as text and icon.
std::vector<std::pair<QString, int>> Lines(const QTreeWidgetItem& parent);
// The line a link writes for a message id.
std::pair<QString, int> Line(std::int16_t id, int icon);

double Milliseconds(std::int64_t ticks);
