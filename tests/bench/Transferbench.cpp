// A full Download from a configuration window, with its backup and verify,
// against the simulated controller: how late the user-interface thread answers
// meanwhile, and the time against the protocol's floors. Run by hand:
//   build/bin/bench_transfer
#include "Servedcontroller.h"
#include "comm/Protocol.h"
#include "editor/Mdichild.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "settings/Context.h"
#include "support/Sampleconfiguration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int TickMs = 10;

double ProcessCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", folder.filePath(QStringLiteral("state")).toLocal8Bit());
    const C_LanguageManager language(QStringLiteral(KW3_ENGLISH));
    C_Context context(C_Context::Persistence::ReadOnly);
    constexpr std::size_t Length = 8182;
    C_ServedController controller(Length);
    if (!controller.Start())
        return 1;
    qputenv("KW3_COM1", controller.DevicePath().toLocal8Bit());
    context.SetComNumber(1);

    TFormMDIChild window(context);
    window.BindFormat(C_EEPROMFormat::Create(FormatCode::Standard, 24));
    FillSampleConfiguration(window, {60, 55, 50, 45, 40, 35, 30, 25, 59}, 30);
    window.show();

    // A timer that should fire every 10 ms: how much later it does is how long the thread did not answer.
    QElapsedTimer sinceTick;
    qint64 worstDelay = 0;
    qint64 ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        worstDelay = std::max(worstDelay, sinceTick.elapsed() - TickMs);
        ++ticks;
        sinceTick.restart();
    });
    bool succeeded = false;
    QObject::connect(&window, &TFormMDIChild::TransferEnded, [&](bool ok) {
        succeeded = ok;
        QCoreApplication::exit(0);
    });
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer total;
    total.start();
    if (!window.StartDownload()) {
        std::fprintf(stderr, "the download did not start\n");
        return 1;
    }
    sinceTick.start();
    ticker.start(TickMs);
    application.exec();
    const double seconds = double(total.elapsed()) / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuBefore;

    // Each transfer drains the line first. An upload's bytes start with the ready byte, at the
    // line's pace, and wait in the line during the pause; a download's follow it, 3 ms apart.
    const double drain = double(context.ReceiveTimeout()) / 1000.0;
    const double pause = Protocol::PauseAfterHandshakeMs / 1000.0;
    const double upload = drain + std::max(pause, double(Length) * Protocol::LineBitsPerByte / Protocol::BaudRate);
    const double download = drain + pause + double(Length) * Protocol::DownloadByteIntervalMs / 1000.0;
    const double floor = 2 * upload + download;
    std::printf("download with backup and verify: %s, %.3f s; floors %.3f + %.3f + %.3f = %.3f s, ratio %.4f\n",
                succeeded ? "verified" : "NOT verified", seconds, upload, download, upload, floor, seconds / floor);
    std::printf("user-interface thread: %lld ticks of %d ms, largest delay %lld ms\n", static_cast<long long>(ticks),
                TickMs, static_cast<long long>(worstDelay));
    std::printf("CPU time of the whole process %.3f s (%.1f %% of the wall time)\n", cpu, 100.0 * cpu / seconds);
    return succeeded ? 0 : 1;
}
