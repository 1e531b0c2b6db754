#pragma once

#include "tools/Simulator.h"

#include <atomic>
#include <cstdio>
#include <thread>

// A simulated standard controller holding an image of the given length, answering
// on its pseudo-terminal from a thread of its own while the object lives.
class C_ServedController
{
public:
    explicit C_ServedController(std::size_t imageLength)
        : m_Controller(Options(imageLength))
    {
    }

    ~C_ServedController()
    {
        m_Stop = true;
        if (m_Serving.joinable())
            m_Serving.join();
    }

    // Opens the line and starts serving; says why on standard error when it cannot.
    bool Start()
    {
        if (!m_Controller.Open()) {
            std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(m_Controller.ErrorText()));
            return false;
        }
        m_Serving = std::thread([this] { m_Controller.Run(m_Stop, [](const S_TransferReport&) {}); });
        return true;
    }

    const QString& DevicePath() const { return m_Controller.DevicePath(); }

private:
    static S_SimulatorOptions Options(std::size_t imageLength)
    {
        S_SimulatorOptions options;
        options.m_FormatCode = 0xCAFE;
        options.m_Image.assign(imageLength, 0);
        return options;
    }

    C_ControllerSimulator m_Controller;
    std::atomic<bool> m_Stop{false};
    std::thread m_Serving;
};
