#include "support/Formatfixture.h"

#include "document/Configurationfile.h"
#include "editor/Treenodes.h"
#include "model/Cyclecontent.h"

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
    m_Panes->ShowFormat(*m_Format);
    return *m_Format;
}

C_EEPROMFormat& FormatFixture::Create(const S_TestLayout& layout, int outputs)
{
    NewPanes();
    m_Format = C_EEPROMFormat::Create(layout.m_Code, outputs);
    m_Panes->ShowFormat(*m_Format);
    return *m_Format;
}

QByteArray FormatFixture::Save(const QString& name)
{
    m_Panes->m_DiagnosticTree->clear();
    if (!m_Panes->SaveFile(*m_Format, m_Folder.Path(name)))
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

C_CycleContent& FormatFixture::Cycle(int category, int number) const
{
    static C_CycleContent missing;
    QTreeWidgetItem* node = FindChildByNumber(m_Panes->m_CategoryNodes[size_t(category)], number);
    if (node == nullptr) {
        ADD_FAILURE() << "no cycle " << category << "/" << number;
        return missing;
    }
    return *NodeData(node)->m_Content;
}

C_Step& FormatFixture::StepOf(int category, int number, int step) const
{
    static C_Step missing;
    C_Step* found = Cycle(category, number).GetStep(step);
    if (found == nullptr || step >= Cycle(category, number).StepCount() - 1) {
        ADD_FAILURE() << "no step " << step << " in cycle " << category << "/" << number;
        return missing;
    }
    return *found;
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
