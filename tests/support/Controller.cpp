#include "support/Controller.h"

#include "comm/Protocol.h"
#include "comm/Serialport.h"
#include "editor/Treenodes.h"
#include "language/Language.h"

#include <gtest/gtest.h>

StandIn::StandIn(std::function<void(C_PseudoTerminal&)> afterReady)
{
    EXPECT_TRUE(m_Line.Open()) << m_Line.ErrorText().toStdString();
    m_Thread = std::thread([this, afterReady] {
        while (!m_Stop) {
            std::uint8_t byte = 0;
            const C_PseudoTerminal::ReadResult result = m_Line.ReadByte(50, byte);
            if (result == C_PseudoTerminal::ReadResult::Failed)
                return;
            if (result == C_PseudoTerminal::ReadResult::Byte &&
                (byte == Protocol::UploadLetter || byte == Protocol::DownloadLetter) &&
                m_Line.WriteByte(Protocol::ReadyByte))
                afterReady(m_Line);
        }
    });
}

StandIn::~StandIn()
{
    m_Stop = true;
    m_Thread.join();
}

void WriteBytes(C_PseudoTerminal& line, const std::vector<std::uint8_t>& bytes)
{
    for (const std::uint8_t byte : bytes)
        if (!line.WriteByte(byte))
            return;
}

RunningController::RunningController(S_SimulatorOptions options)
    : m_Simulator(std::move(options))
{
    EXPECT_TRUE(m_Simulator.Open()) << m_Simulator.ErrorText().toStdString();
    m_Thread = std::thread([this] {
        m_Simulator.Run(m_Stop, [this](const S_TransferReport& report) {
            const std::lock_guard<std::mutex> lock(m_Mutex);
            m_Reports.push_back(report);
        });
    });
}

RunningController::~RunningController()
{
    Stop();
}

std::vector<S_TransferReport> RunningController::Stop()
{
    m_Stop = true;
    if (m_Thread.joinable())
        m_Thread.join();
    const std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Reports;
}

S_SimulatorOptions ControllerWithImage(std::vector<std::uint8_t> image)
{
    S_SimulatorOptions options;
    options.m_FormatCode = 0xCAFE;
    options.m_Image = std::move(image);
    return options;
}

std::vector<std::uint8_t> CountingImage(std::size_t size)
{
    std::vector<std::uint8_t> image(size);
    for (std::size_t index = 0; index < size; ++index)
        image[index] = std::uint8_t(index);
    return image;
}

void ItemLines::Reported(std::int16_t id, int icon, const QString& detail)
{
    AddTextNode(&m_Parent, Text(id) + detail, icon);
}

std::vector<std::pair<QString, int>> Lines(const QTreeWidgetItem& parent)
{
    std::vector<std::pair<QString, int>> lines;
    for (int index = 0; index < parent.childCount(); ++index)
        lines.emplace_back(parent.child(index)->text(0), NodeImage(parent.child(index)));
    return lines;
}

std::pair<QString, int> Line(std::int16_t id, int icon)
{
    return {Text(id), icon};
}

double Milliseconds(std::int64_t ticks)
{
    return double(ticks) * 1000.0 / double(CounterFrequency());
}
