// Download/upload round trips against the simulated controller through the link
// alone: every image must come back byte for byte, and no descriptor may stay
// open. Each transfer costs the protocol's 2 s pause, so 200 round trips take
// about a quarter of an hour; run by hand, best in a KW3_SANITIZE build:
//   build/bin/bench_soak [ROUND_TRIPS] [IMAGE_BYTES]
#include "Servedcontroller.h"
#include "comm/Rs232handler.h"
#include "comm/Serialport.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

int OpenDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

long ResidentKilobytes()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmRSS: %ld", &kilobytes) == 1)
            break;
    std::fclose(status);
    return kilobytes;
}

double Seconds(std::int64_t ticks)
{
    return double(ticks) / double(CounterFrequency());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int roundTrips = argc > 1 ? std::atoi(argv[1]) : 200;
    const std::size_t length = argc > 2 ? std::size_t(std::atoi(argv[2])) : 64;

    C_ServedController controller(length);
    if (!controller.Start())
        return 1;

    std::mt19937 random(14);
    const int descriptorsBefore = OpenDescriptors();
    const long residentBefore = ResidentKilobytes();
    int failures = 0;
    int descriptorsMost = descriptorsBefore;
    const std::int64_t start = CounterValue();
    for (int trip = 0; trip < roundTrips; ++trip) {
        std::vector<std::uint8_t> sent(length);
        for (std::uint8_t& byte : sent)
            byte = std::uint8_t(random());
        std::vector<std::uint8_t> received(length, 0xAA);
        bool downloaded = false;
        bool uploaded = false;
        {
            C_KW3Communication link(nullptr, controller.DevicePath(), 500, 500);
            downloaded = link.SendImage(sent.data(), std::uint16_t(length));
        }
        {
            C_KW3Communication link(nullptr, controller.DevicePath(), 500, 500);
            uploaded = link.ReceiveImage(received.data(), std::uint16_t(length));
        }
        const int descriptors = OpenDescriptors();
        descriptorsMost = std::max(descriptorsMost, descriptors);
        if (!downloaded || !uploaded || received != sent || descriptors != descriptorsBefore) {
            ++failures;
            std::printf("round trip %d: download %s, upload %s, image %s, %d descriptors\n", trip,
                        downloaded ? "ok" : "FAILED", uploaded ? "ok" : "FAILED",
                        received == sent ? "exact" : "DIFFERS", descriptors);
        }
        if ((trip + 1) % 20 == 0) {
            std::printf("%d round trips, %.1f s, %d descriptors, %ld kB resident\n", trip + 1,
                        Seconds(CounterValue() - start), descriptors, ResidentKilobytes());
            std::fflush(stdout);
        }
    }
    const double elapsed = Seconds(CounterValue() - start);
    std::printf("%d round trips of %zu bytes in %.1f s (%.2f s each), %d failed\n", roundTrips, length, elapsed,
                elapsed / roundTrips, failures);
    std::printf("descriptors: %d before, %d after, %d at most; resident %ld kB before, %ld kB after\n",
                descriptorsBefore, OpenDescriptors(), descriptorsMost, residentBefore, ResidentKilobytes());
    return failures == 0 ? 0 : 1;
}
