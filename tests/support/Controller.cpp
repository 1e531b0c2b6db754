#include "support/Controller.h"

#include "comm/Serialport.h"
#include "language/Language.h"
#include "model/Utilities.h"

#include <gtest/gtest.h>

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
