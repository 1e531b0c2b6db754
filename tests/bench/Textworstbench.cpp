// The text form's reader on the worst documents of a size, 0.5 MiB and 4 MiB, read
// or refused: when the work grows with the text alone, 4 MiB takes at most 16 times
// as long. Run by hand on a release build; FOLDER keeps the 4 MiB documents for kw3tool:
//   build/bin/bench_textworst [FOLDER]
#include "document/Configurationtext.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

// head, then the part made of its number as often as it fits, then tail.
QByteArray Document(qsizetype size, const char* head, QByteArray (*part)(int), const char* tail)
{
    QByteArray text = head;
    for (int i = 0; text.size() + part(i).size() + 16 < size; ++i)
        text += part(i);
    return text + tail;
}

struct S_Case
{
    const char* m_Name;
    const char* m_Head;
    QByteArray (*m_Part)(int);
    const char* m_Tail;
};

const S_Case Cases[] = {
    {"object-of-many-keys", "{", [](int i) { return "\"k" + QByteArray::number(i) + "\": 0,"; }, "\"end\": 0}"},
    {"array-of-zeros", "[", [](int) { return QByteArray("0,"); }, "0]"},
    {"long-string", "[\"", [](int) { return QByteArray("a"); }, "\"]"},
    {"long-accented-string", "[\"", [](int) { return QByteArray("\xC3\xA9"); }, "\"]"},
    {"white-space", "", [](int) { return QByteArray(" "); }, "{}"},
    {"nesting-at-the-limit", "[", [](int) { return QByteArray(63, '[') + QByteArray(63, ']') + ','; }, "0]"},
};

double MedianMs(const QByteArray& text)
{
    double runs[5];
    for (double& run : runs) {
        QElapsedTimer clock;
        clock.start();
        S_JsonError error;
        ReadConfigurationText(text, error);
        run = double(clock.nsecsElapsed()) / 1e6;
    }
    std::sort(std::begin(runs), std::end(runs));
    return runs[2];
}

} // namespace

int main(int argc, char* argv[])
{
    std::printf("%-22s %10s %10s %6s\n", "document", "0.5 MiB", "4 MiB", "ratio");
    for (const S_Case& c : Cases) {
        const QByteArray large = Document(4 * 1024 * 1024 - 64, c.m_Head, c.m_Part, c.m_Tail);
        const double small = MedianMs(Document(512 * 1024, c.m_Head, c.m_Part, c.m_Tail));
        const double big = MedianMs(large);
        std::printf("%-22s %7.2f ms %7.2f ms %6.1f\n", c.m_Name, small, big, big / std::max(small, 1e-3));
        QFile file(QString::fromLocal8Bit(argc > 1 ? argv[1] : "") + QLatin1Char('/') + QLatin1String(c.m_Name) +
                   QStringLiteral(".json"));
        if (argc > 1 && file.open(QIODevice::WriteOnly))
            file.write(large);
    }
    return 0;
}
