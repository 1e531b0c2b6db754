// How late this machine wakes a thread that sleeps until a deadline 2.75 ms ahead,
// the sleep the download pacing takes before each byte; without a spin margin
// longer than the late wake-ups, each one stretches a gap. Run by hand:
//   build/bin/bench_wakeup [SLEEPS]
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::int64_t Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

int main(int argc, char* argv[])
{
    const int sleeps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3000;
    std::vector<std::int64_t> lateness;
    for (int i = 0; i < sleeps; ++i) {
        const std::int64_t deadline = Now() + 2'750'000;
        const timespec until{time_t(deadline / 1'000'000'000), long(deadline % 1'000'000'000)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        lateness.push_back(Now() - deadline);
    }
    std::sort(lateness.begin(), lateness.end());
    const auto at = [&](double share) { return double(lateness[size_t(share * double(sleeps - 1))]) / 1000.0; };
    const auto late = std::count_if(lateness.begin(), lateness.end(), [](std::int64_t ns) { return ns > 250'000; });
    std::printf("%d sleeps: woken late by median %.0f us, 99th percentile %.0f us, most %.0f us; %.1f %% over 250 us\n",
                sleeps, at(0.5), at(0.99), at(1.0), 100.0 * double(late) / sleeps);
    return 0;
}
