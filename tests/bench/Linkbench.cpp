// The full download of a standard image against the simulated controller, next to
// the protocol's floor: the quiet line (500 ms), a 2000 ms pause and 3 ms per byte. Run by hand:
//   build/bin/bench_link
#include "Servedcontroller.h"
#include "comm/Rs232handler.h"
#include "comm/Serialport.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Seconds(std::int64_t ticks)
{
    return double(ticks) / double(CounterFrequency());
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    constexpr std::uint16_t Length = 8182;
    C_ServedController controller(Length);
    if (!controller.Start())
        return 1;

    std::vector<std::uint8_t> image(Length);
    for (std::size_t index = 0; index < image.size(); ++index)
        image[index] = std::uint8_t(index);
    std::vector<std::int64_t> writes;
    writes.reserve(Length);
    bool sent = false;
    double cpu = 0;
    std::int64_t elapsed = 0;
    {
        C_KW3Communication link(nullptr, controller.DevicePath(), 500, 500);
        link.SetByteWriteObserver([&writes](std::int64_t tick) { writes.push_back(tick); });
        const double cpuBefore = CpuSeconds();
        const std::int64_t start = CounterValue();
        sent = link.SendImage(image.data(), Length);
        elapsed = CounterValue() - start;
        cpu = CpuSeconds() - cpuBefore;
    }

    std::vector<double> gapsMs;
    for (std::size_t index = 1; index < writes.size(); ++index)
        gapsMs.push_back(Seconds(writes[index] - writes[index - 1]) * 1000.0);
    std::sort(gapsMs.begin(), gapsMs.end());
    // Gaps stretched by the thread being kept from the processor: the pacing never catches up on them.
    const auto stretched = std::count_if(gapsMs.begin(), gapsMs.end(), [](double gap) { return gap > 3.1; });
    // The line is drained for one receive time-out before the handshake.
    const double floor = 0.5 + 2.0 + Length * 0.003;
    std::printf("sent %s, %zu byte writes\n", sent ? "yes" : "NO", writes.size());
    std::printf("total %.3f s, floor %.3f s, ratio %.4f\n", Seconds(elapsed), floor, Seconds(elapsed) / floor);
    if (!gapsMs.empty())
        std::printf("gaps between writes: smallest %.3f ms, median %.3f ms, largest %.3f ms, %ld over 3.1 ms\n",
                    gapsMs.front(), gapsMs[gapsMs.size() / 2], gapsMs.back(), long(stretched));
    std::printf("CPU time of the sending thread %.3f s\n", cpu);
    return sent ? 0 : 1;
}
