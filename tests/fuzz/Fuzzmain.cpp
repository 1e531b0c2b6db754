// libFuzzer entry shared by the fuzz targets: KW3_FUZZ_PROPERTY names the property
// (see Fuzzproperties.h) that each input goes through.
#include "desktop/Messagebox.h"
#include "fuzz/Formatproperty.h"
#include "fuzz/Fuzzproperties.h"
#include "language/Language.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir* g_Folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    // A message box would wait for a user who is not there.
    C_MessageBox::SetHandler([](const C_MessageBox::Request& request) {
        return C_MessageBox::EscapeAnswer(request.buttons);
    });
    static QTemporaryDir folder;
    g_Folder = &folder;
    // Texts that name their ids, so that every diagnostic line differs.
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
        KW3_FUZZ_PROPERTY(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), g_Folder->path());
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
