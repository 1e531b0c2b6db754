// kw3tool: Kw3Win's Open, Import, checks and Save on the command line, headless.
#include "language/Language.h"
#include "platform/Datafiles.h"
#include "platform/Version.h"
#include "settings/Context.h"
#include "tools/Diffcommand.h"
#include "tools/Printcommand.h"
#include "tools/Toolarguments.h"
#include "tools/Toolcommands.h"
#include "tools/Toolconfiguration.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHashFunctions>

#include <cstdio>
#include <memory>

namespace {

struct S_Command
{
    const char* m_Name;
    const char* m_Usage;
    ToolCommand m_Run;
    // Paints pages or pictures: needs fonts and the toolkit's headless display.
    bool m_Paints = false;
};

constexpr S_Command Commands[] = {
    {"check", "check FILE [--format F]", RunCheck},
    {"convert",
     "convert IN OUT [--format F]\n"
     "      by extension, in any case: .json the text form, .KW3 the bare image, any other .KWC;\n"
     "      OUT - writes the text form to standard output",
     RunConvert},
    {"text",
     "text FILE [--format F]\n"
     "      the text form on standard output, in any state (for git's textconv)",
     RunText},
    {"dump", "dump FILE [--format F]", RunDump},
    {"summary",
     "summary FILE [--format F]\n"
     "      one line per program, then per cycle: program N: T, cycle C/N: T (m:ss, a range m:ss-m:ss,\n"
     "      m:ss- without an upper bound)",
     RunSummary},
    {"timeline",
     "timeline FILE OUT --program N | --cycle C/N [--format F] [--width PX]\n"
     "      OUT by extension: .svg, .png (96 dpi) or .pdf; width 1600 px unless given",
     RunTimeline, true},
    {"diff",
     "diff A B [--format F]\n"
     "      one line per difference, PLACE: A -> B; exit 0 the same, 1 they differ",
     RunDiff},
    {"extract",
     "extract FILE OUT.json --program N | --cycle C/N [--format F] [--name TEXT] [--description TEXT]\n"
     "      a fragment in the text form: the program with every cycle it runs, or the cycle;\n"
     "      OUT - writes it to standard output",
     RunExtract},
    {"insert",
     "insert FILE FRAGMENT.json OUT [--format F] [--drop-unmapped] [--reuse-identical]\n"
     "      pastes the fragment's programs and cycles into FILE as Kw3Win's paste does and saves OUT:\n"
     "      numbers kept where free, else the first free one; step fields matched by their text-form key.\n"
     "      Exit 1 and nothing written when the steps do not fit, or when anything would be left out (each\n"
     "      listed on standard error) unless --drop-unmapped; --reuse-identical runs a program's cycle that\n"
     "      FILE already holds step for step from there instead of copying it",
     RunInsert},
    {"download",
     "download FILE [--format F] [--port N | --device PATH] [--send-timeout MS] [--receive-timeout MS]\n"
     "      [--backup DIR] [--verify]\n"
     "      --backup: first upload what the controller holds into a new .KWC file of DIR\n"
     "      --verify: afterwards upload the image again and compare it byte for byte",
     RunDownload},
    {"upload",
     "upload OUT --format F [--outputs 16|24] [--port N | --device PATH] [--send-timeout MS] "
     "[--receive-timeout MS]",
     RunUpload},
    {"ports",
     "ports\n"
     "      the serial ports found, one per line: device, stable name, description, vendor:product,\n"
     "      serial number, tab-separated, empty fields left empty",
     RunPorts},
    {"print",
     "print FILE OUT.pdf [--format F] [--parts LIST]\n"
     "      LIST: comma-separated service, programs, cycles, timelines (default the first three); A4, pages\n"
     "      numbered from 1; printed date and time from SOURCE_DATE_EPOCH (seconds, UTC) if set",
     RunPrint, true},
    {"simulate",
     "simulate [--format F] [--image FILE] [--save FILE] [--ignore K] [--stop-after N] [--corrupt OFFSET]\n"
     "      [--once] [--report]\n"
     "      --corrupt: every image received is stored with its byte at OFFSET inverted",
     RunSimulateCommand},
};

const char* const Version = KW3_SHOWN_VERSION;

QString Usage()
{
    QString usage = QStringLiteral("usage:\n");
    for (const S_Command& command : Commands)
        usage += QStringLiteral("  kw3tool [--language FILE] %1\n").arg(QLatin1String(command.m_Usage));
    return usage + QStringLiteral("  kw3tool --help | --version\n"
                                  "F is standard, inverter or varnholt: the format of a .KW3 file; any other\n"
                                  "file names its format (a .json file in the text form, see the README).\n"
                                  "Port and time-outs default to Kw3Win's settings: the device chosen in Com\n"
                                  "Setup, else its Com number; --port N and --device PATH override them. COMn\n"
                                  "is /dev/ttyS<n-1> unless the environment variable KW3_COMn names another device.\n"
                                  "Exit status: 0 success, 1 the checks or the transfer failed, 2 bad usage or\n"
                                  "a file that cannot be read or written.");
}

const S_Command* FindCommand(const QString& name)
{
    for (const S_Command& command : Commands)
        if (name == QLatin1String(command.m_Name))
            return &command;
    return nullptr;
}

// The command line names a command that paints; read before the application exists,
// which it decides.
bool PaintsPages(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString ignored;
    const std::optional<S_GlobalOptions> options = TakeGlobalOptions(arguments, ignored);
    const S_Command* command = options && !options->m_Rest.isEmpty() ? FindCommand(options->m_Rest.first()) : nullptr;
    return command != nullptr && command->m_Paints;
}

// Kw3Win's language: the file the settings store names, unless one is given.
std::unique_ptr<C_LanguageManager> LoadLanguage(const std::optional<QString>& file)
{
    if (file)
        return std::make_unique<C_LanguageManager>(*file);
    const C_Context context(C_Context::Persistence::ReadOnly);
    return std::make_unique<C_LanguageManager>(context.LanguageFile());
}

// Qt's own notes about the headless platform would mix with the tool's errors.
void DropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s (%s:%d)\n", qPrintable(message), context.file ? context.file : "", context.line);
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(DropQtNotes);
    // The toolkit's hashes order what it writes (a PDF's objects): the same input then gives the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    // Only pictures and PDF pages need the toolkit's painting, with fonts and no display;
    // every other command runs on QtCore alone.
    std::unique_ptr<QCoreApplication> application;
    if (PaintsPages(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kw3tool"));
    C_LanguageManager::SetComplaint(
        [](const QString& text, const QString& caption) { WriteError(caption + QStringLiteral(": ") + text); });

    QString error;
    const std::optional<S_GlobalOptions> options = TakeGlobalOptions(QCoreApplication::arguments().mid(1), error);
    if (!options) {
        WriteError(error);
        return ExitCode::Refused;
    }
    if (options->m_Help) {
        WriteOutput(Usage());
        return ExitCode::Success;
    }
    if (options->m_Version) {
        WriteOutput(QStringLiteral("kw3tool %1").arg(QLatin1String(Version)));
        return ExitCode::Success;
    }
    if (options->m_Rest.isEmpty()) {
        WriteError(QStringLiteral("no command given; kw3tool --help lists them"));
        return ExitCode::Refused;
    }
    const S_Command* command = FindCommand(options->m_Rest.first());
    if (command == nullptr) {
        WriteError(QStringLiteral("unknown command %1; kw3tool --help lists them").arg(options->m_Rest.first()));
        return ExitCode::Refused;
    }
    if (options->m_Language && !QFileInfo(ResolveDataFile(*options->m_Language)).isFile()) {
        WriteError(QStringLiteral("cannot read language file %1").arg(*options->m_Language));
        return ExitCode::Refused;
    }
    const std::unique_ptr<C_LanguageManager> language = LoadLanguage(options->m_Language);
    return command->m_Run(options->m_Rest.mid(1));
}
