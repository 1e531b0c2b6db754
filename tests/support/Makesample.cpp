// Writes a sample configuration for trying Kw3Win by hand:
//   make_sample OUT.KWC [standard|inverter|varnholt] [16|24] [full]
// full: the benchmarks' largest, 399 steps in cycles of 25 to 60 steps and 30 programs.
#include "desktop/Messagebox.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "platform/Datafiles.h"
#include "support/Sampleconfiguration.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: make_sample OUT.KWC [standard|inverter|varnholt] [16|24] [full]\n");
        return 2;
    }
    const QString kind = arguments.value(2, QStringLiteral("standard"));
    const std::uint16_t code = kind == QLatin1String("inverter")   ? FormatCode::Inverter
                               : kind == QLatin1String("varnholt") ? FormatCode::Varnholt
                                                                   : FormatCode::Standard;
    // Nobody is there to answer a box: say it and go on.
    C_MessageBox::SetHandler([](const C_MessageBox::Request& request) {
        std::fprintf(stderr, "make_sample: %s\n", qPrintable(request.text));
        return C_MessageBox::EscapeAnswer(request.buttons);
    });
    const C_LanguageManager language(ResolveDataFile(QStringLiteral("English.lng")));
    const auto format = C_EEPROMFormat::Create(code, arguments.value(3, QStringLiteral("16")).toInt());
    const bool full = arguments.value(4) == QLatin1String("full");
    if (!SaveSample(*format, full ? std::vector<int>{60, 55, 50, 45, 40, 35, 30, 25, 59} : std::vector<int>{30, 12, 8, 25, 6, 40},
                    full ? 30 : 9, arguments.at(1))) {
        std::fprintf(stderr, "make_sample: the configuration did not pass its checks or could not be written\n");
        return 1;
    }
    return 0;
}
