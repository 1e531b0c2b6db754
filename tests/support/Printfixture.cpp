#include "support/Printfixture.h"

#include "editor/Rowproperties.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"
#include "model/Labels.h"
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
    m_Panes.ShowFormat(*m_Format);
}

QTreeWidgetItem* PrintFixture::AddCycle(int category, int number, int steps)
{
    C_DataNode* node = AddNodeWithData(m_Panes.m_CyclesTree, m_Panes.m_CategoryNodes[size_t(category)], 0,
                                       NodeKind::CycleWord | NodeKind::CategoryBits(category), number);
    for (int s = 0; s < steps; ++s) {
        C_Step* step = node->Data().m_Content->InsertStep(std::int16_t(s));
        for (size_t r = 0; r < m_Format->Rows().size(); ++r)
            step->m_Values[r] = m_Format->Rows()[r].m_DisabledValue;
    }
    node->setText(0, NodeLabel(node->Data()));
    return node;
}

QTreeWidgetItem* PrintFixture::AddProgram(int number, int cycles)
{
    C_DataNode* program = AddNodeWithData(m_Panes.m_ProgramsTree, nullptr, C_ConfigurationPanes::ProgramImage,
                                          NodeKind::ProgramWord, number);
    for (int c = 1; c <= cycles; ++c)
        AddNodeWithData(m_Panes.m_ProgramsTree, program, C_ConfigurationPanes::CycleImage,
                        NodeKind::CycleReferenceWord | NodeKind::CategoryBits(1), c);
    return program;
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
