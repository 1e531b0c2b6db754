#include "support/Formatfixture.h"

#include "document/Configurationfile.h"
#include "editor/Treenodes.h"

#include <QTreeWidgetItemIterator>

FormatFixture::FormatFixture()
    : m_Language(m_Folder.WriteIdLanguage())
    , m_Panes(std::make_unique<C_ConfigurationPanes>())
{
}

C_EEPROMFormat& FormatFixture::Load(const ImageBuilder& image, const QString& name)
{
    return LoadBytes(image.ConfigurationFile(), name, image.Layout().m_Code);
}

void FormatFixture::NewPanes()
{
    m_Format.reset();
    m_Panes = std::make_unique<C_ConfigurationPanes>();
}

C_EEPROMFormat& FormatFixture::LoadBytes(const QByteArray& bytes, const QString& name, std::uint16_t code)
{
    NewPanes();
    m_Format = C_EEPROMFormat::Create(code, 0);
    C_ConfigurationFile(m_Folder.Write(name, bytes)).Load(*m_Format);
    m_Value = m_Panes->ShowFormat(*m_Format);
    return *m_Format;
}

C_EEPROMFormat& FormatFixture::Create(const S_TestLayout& layout, int outputs)
{
    NewPanes();
    m_Format = C_EEPROMFormat::Create(layout.m_Code, outputs);
    m_Value = m_Panes->ShowFormat(*m_Format);
    return *m_Format;
}

C_EEPROMFormat& FormatFixture::LoadText(const S_TextConfiguration& document)
{
    NewPanes();
    m_Format = ShowTextConfiguration(document, *m_Panes, m_Value);
    return *m_Format;
}

QByteArray FormatFixture::Save(const QString& name)
{
    m_Panes->m_DiagnosticTree->clear();
    C_PaneLines lines(*m_Panes);
    if (!m_Format->SaveFile(m_Value, m_Folder.Path(name), lines))
        return {};
    return m_Folder.Read(name);
}

ImageBuilder FormatFixture::Saved(const S_TestLayout& layout)
{
    const QByteArray file = Save();
    EXPECT_EQ(file.size(), layout.m_Size + 2) << Lines().join(QLatin1Char('\n')).toStdString();
    ImageBuilder image(layout);
    for (int i = 0; i < layout.m_Size && i + 2 < file.size(); ++i)
        image.Image()[size_t(i)] = std::uint8_t(file[i + 2]);
    return image;
}

QStringList FormatFixture::Lines() const
{
    static const char* const tags[] = {"[=]", "[i]", "[~]", "[!]"};
    QStringList lines;
    for (QTreeWidgetItemIterator it(m_Panes->m_DiagnosticTree); *it != nullptr; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* p = (*it)->parent(); p != nullptr; p = p->parent())
            ++depth;
        lines << QString(2 * depth, QLatin1Char(' ')) + QLatin1String(tags[NodeImage(*it)]) + QLatin1Char(' ') +
                     (*it)->text(0);
    }
    return lines;
}

QStringList FormatFixture::Errors() const
{
    QStringList errors;
    for (QTreeWidgetItemIterator it(m_Panes->m_DiagnosticTree); *it != nullptr; ++it)
        if (NodeImage(*it) == C_ConfigurationPanes::Error)
            errors << (*it)->text(0);
    return errors;
}

std::size_t FormatFixture::CycleIndex(int category, int number) const
{
    for (std::size_t i = 0; i < m_Value.m_Cycles.size(); ++i)
        if (m_Value.m_Cycles[i].Category() == category && m_Value.m_Cycles[i].m_Number == number)
            return i;
    ADD_FAILURE() << "no cycle " << category << "/" << number;
    return m_Value.m_Cycles.size();
}

const C_Configuration::Steps& FormatFixture::StepsOf(int category, int number) const
{
    static const C_Configuration::Steps missing;
    const std::size_t cycle = CycleIndex(category, number);
    return cycle < m_Value.m_Cycles.size() ? *m_Value.m_Cycles[cycle].m_Steps : missing;
}

const C_Configuration::StepValues& FormatFixture::StepOf(int category, int number, int step) const
{
    static const C_Configuration::StepValues missing{};
    const C_Configuration::Steps& steps = StepsOf(category, number);
    if (step < 0 || size_t(step) >= steps.size()) {
        ADD_FAILURE() << "no step " << step << " in cycle " << category << "/" << number;
        return missing;
    }
    return steps[size_t(step)];
}

C_Configuration::Steps& FormatFixture::EditSteps(int category, int number)
{
    static C_Configuration::Steps missing;
    const std::size_t cycle = CycleIndex(category, number);
    if (cycle == m_Value.m_Cycles.size())
        return missing;
    auto steps = std::make_shared<C_Configuration::Steps>(*m_Value.m_Cycles[cycle].m_Steps);
    m_Value.m_Cycles[cycle].m_Steps = steps;
    return *steps;
}

int FormatFixture::Row(int id) const
{
    const QString caption = QStringLiteral("<%1>").arg(id);
    const auto& rows = m_Format->Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].m_Caption == caption)
            return int(i);
    ADD_FAILURE() << "no row " << id;
    return 0;
}
