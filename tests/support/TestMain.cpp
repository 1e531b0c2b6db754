#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[])
{
    // Tests never need a display, and test discovery runs them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("kw3-tests-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    // Backups and the transfer log of the windows under test go to a folder of the tests' own.
    for (const char* variable : {"XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        const QString folder = QDir::temp().filePath(QStringLiteral("kw3-tests-") + QLatin1String(variable));
        QDir().mkpath(folder);
        qputenv(variable, folder.toLocal8Bit());
    }
    // Number formatting must not depend on the machine.
    QLocale::setDefault(QLocale::c());
    // Never touch the real user's settings.
    QStandardPaths::setTestModeEnabled(true);

    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
