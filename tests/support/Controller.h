#pragma once

#include "comm/Transferlistener.h"
#include "tools/Simulator.h"

#include <QString>
#include <QTreeWidgetItem>

#include <atomic>
#include <cstdint>
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
