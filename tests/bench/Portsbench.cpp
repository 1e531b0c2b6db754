// How long finding the serial ports takes on this machine, and how late Com Setup's
// event loop runs while its list refreshes. Run by hand:
//   build/bin/bench_ports [SECONDS]
#include "comm/Portdiscovery.h"
#include "dialogs/Comsetup.h"
#include "language/Language.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const C_LanguageManager language(QStringLiteral(KW3_ENGLISH));
    const C_SystemPortSource system;
    std::vector<double> times;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer clock;
        clock.start();
        ListPorts(system);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("discovery of %zu ports: median %.2f ms, most %.2f ms (50 listings)\n", ListPorts(system).size(),
                times[25], times.back());

    // A 5 ms timer's worst lateness while the dialog is open and refreshes every second.
    S_PortSettings settings;
    TCOMSetupForm dialog(settings, system, nullptr);
    dialog.show();
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.nsecsElapsed() - last);
        last = clock.nsecsElapsed();
        if (last > qint64(seconds) * 1'000'000'000)
            QApplication::quit();
    });
    tick.start(5);
    QApplication::exec();
    std::printf("Com Setup: the event loop %.1f ms late at most over %d s of refreshes\n", double(worst) / 1e6 - 5.0,
                seconds);
    return 0;
}
