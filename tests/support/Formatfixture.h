#pragma once

#include "editor/Configurationpanes.h"
#include "language/Language.h"
#include "model/Eepromformat.h"
#include "support/Imagebuilder.h"
#include "support/TempFolder.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

struct S_TextConfiguration;

// A format loaded from a built image and its configuration as a value, headless;
// panes show the value as a window would and take the lines of loading and saving.
class FormatFixture : public ::testing::Test
{
protected:
    FormatFixture();

    // Loading and creating start from new panes.
    void NewPanes();
    // Writes the image as a configuration file, loads and shows it.
    C_EEPROMFormat& Load(const ImageBuilder& image, const QString& name = QStringLiteral("in.KWC"));
    // Loads file bytes under the name with the given format.
    C_EEPROMFormat& LoadBytes(const QByteArray& bytes, const QString& name, std::uint16_t code);
    // A new configuration of the format.
    C_EEPROMFormat& Create(const S_TestLayout& layout, int outputs);
    // A text document's configuration in its format, shown as a window opens it.
    C_EEPROMFormat& LoadText(const S_TextConfiguration& document);
    // Saves the value into the folder; the file's bytes, or empty when saving failed.
    QByteArray Save(const QString& name = QStringLiteral("out.KWC"));
    // The image bytes of a successful save.
    ImageBuilder Saved(const S_TestLayout& layout);

    // Every diagnostic line in tree order: two blanks per level, the icon's tag, a blank, the text.
    QStringList Lines() const;
    // The texts of the error lines, in order.
    QStringList Errors() const;

    // The value's cycle and its place in the value's cycles.
    std::size_t CycleIndex(int category, int number) const;
    const C_Configuration::Steps& StepsOf(int category, int number) const;
    const C_Configuration::StepValues& StepOf(int category, int number, int step) const;
    // The cycle's steps to change in place, no longer shared with another value.
    C_Configuration::Steps& EditSteps(int category, int number);
    // The index in the rows of the row whose caption is message id.
    int Row(int id) const;

    TempFolder m_Folder;
    C_LanguageManager m_Language;
    std::unique_ptr<C_ConfigurationPanes> m_Panes;
    std::unique_ptr<C_EEPROMFormat> m_Format;
    C_Configuration m_Value;
};
