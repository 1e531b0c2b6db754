// libFuzzer entry: arbitrary bytes through load, show and build of each format.
#include "fuzz/Formatproperty.h"
#include "language/Language.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QTemporaryDir* g_Folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    static QTemporaryDir folder;
    g_Folder = &folder;
    QByteArray ids;
    for (int i = 0; i < 278; ++i)
        ids += "<" + QByteArray::number(i) + ">\n";
    QFile language(folder.filePath(QStringLiteral("Ids.lng")));
    if (!language.open(QIODevice::WriteOnly) || language.write(ids) != ids.size())
        std::abort();
    language.close();
    static C_LanguageManager manager(language.fileName());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const QString broken =
        CheckFormatProperty(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), g_Folder->path());
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
