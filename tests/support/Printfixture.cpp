#include "support/Printfixture.h"

#include "model/Configurationedits.h"
#include "model/Diagnosticlist.h"
#include "model/Nodedata.h"
#include "print/Fonts.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

PrintFixture::PrintFixture()
    : m_Language(m_Folder.WriteIdLanguage())
    , m_Format(C_EEPROMFormat::Create(FormatCode::Standard, 16))
{
    InstallFontSubstitutes();
    C_DiagnosticList lines;
    m_Value = m_Format->Decode(lines);
}

std::size_t PrintFixture::AddCycle(int category, int number, int steps)
{
    C_Configuration::StepValues unused{};
    for (size_t r = 0; r < m_Format->Rows().size(); ++r)
        unused[r] = m_Format->Rows()[r].m_DisabledValue;
    const std::size_t cycle = ConfigurationEdit::AddCycle(m_Value, category, number);
    // Printing reads the steps alone: the step budget plays no part.
    m_Value.m_Cycles[cycle].m_Steps = std::make_shared<const C_Configuration::Steps>(size_t(steps), unused);
    return cycle;
}

void PrintFixture::AddProgram(int number, int cycles)
{
    ConfigurationEdit::References references;
    for (int c = 1; c <= cycles; ++c)
        references.push_back({NodeKind::CycleReferenceWord | NodeKind::CategoryBits(1), c, false});
    ConfigurationEdit::AddProgram(m_Value, number, std::move(references));
}

QString Summary(const S_RecordedPage& page)
{
    static const QRegularExpression number(QStringLiteral("^\\d+$"));
    const bool landscape = page.m_Orientation == QPageLayout::Landscape;
    QString pageNumber;
    QStringList steps;
    for (const QString& text : page.Texts()) {
        if (landscape && text.startsWith(QLatin1String("<44> ")))
            pageNumber = text.mid(5);
        else if (number.match(text).hasMatch() && landscape)
            steps << text;
        else if (number.match(text).hasMatch())
            pageNumber = text;
    }
    QString summary = page.m_Document + (landscape ? QLatin1Char('L') : QLatin1Char('P')) + pageNumber;
    if (landscape)
        summary += QLatin1Char(':') +
                   (steps.isEmpty() ? QStringLiteral("-") : steps.first() + QLatin1Char('-') + steps.last());
    return summary;
}

QString PdfOrientations(const QString& path)
{
    static const QRegularExpression size(QStringLiteral("^Page +\\d+ size: +([\\d.]+) x ([\\d.]+)"),
                                         QRegularExpression::MultilineOption);
    QString orientations;
    auto it = size.globalMatch(Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                               QStringLiteral("-l"), QStringLiteral("9999"), path}));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        orientations += m.captured(1).toDouble() > m.captured(2).toDouble() ? QLatin1Char('L') : QLatin1Char('P');
    }
    return orientations;
}

QString PdfText(const QString& path, int page)
{
    const QString n = QString::number(page);
    return Run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), n, QStringLiteral("-l"), n, path, QStringLiteral("-")});
}
