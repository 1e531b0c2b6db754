#include "editor/Linkdialog.h"

#include "language/Language.h"
#include "language/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

TLinkDialog::Handler& AnsweringHandler()
{
    static TLinkDialog::Handler handler;
    return handler;
}

} // namespace

TLinkDialog::TLinkDialog(QWidget* owner, const S_LinkChoices& choices)
    : QDialog(owner)
    , m_Program(new QComboBox(this))
    , m_Place(new QComboBox(this))
    , m_Choices(choices)
{
    setWindowTitle(CommandTitle(Msg::LinkToProgram) + QStringLiteral(" - ") + choices.m_Cycle);
    auto* form = new QFormLayout;
    form->addRow(Text(Msg::Program) + QLatin1Char(':'), m_Program);
    form->addRow(Text(Msg::LinkPlace), m_Place);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(Msg::Cancel));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    for (const S_LinkChoices::S_Program& program : choices.m_Programs)
        m_Program->addItem(program.m_Name);
    m_Program->setAccessibleName(Text(Msg::Program));
    m_Place->setAccessibleName(Text(Msg::LinkPlace));
    connect(m_Program, &QComboBox::currentIndexChanged, this, &TLinkDialog::ShowPlaces);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    ShowPlaces(m_Program->currentIndex());
    m_Program->setFocus();
    // Wide enough for its title and the longest cycle names.
    setMinimumWidth(std::max(420, fontMetrics().horizontalAdvance(windowTitle()) + 160));
}

void TLinkDialog::ShowPlaces(int program)
{
    m_Place->clear();
    if (program < 0 || std::size_t(program) >= m_Choices.m_Programs.size())
        return;
    m_Place->addItem(Text(Msg::LinkFirst));
    for (const QString& cycle : m_Choices.m_Programs[std::size_t(program)].m_Cycles)
        m_Place->addItem(Text(Msg::LinkAfter) + QLatin1Char(' ') + cycle);
    // Appending is what a link mostly does.
    m_Place->setCurrentIndex(m_Place->count() - 1);
}

S_LinkPlace TLinkDialog::Choice() const
{
    return {std::size_t(std::max(m_Program->currentIndex(), 0)), std::size_t(std::max(m_Place->currentIndex(), 0))};
}

std::optional<S_LinkPlace> TLinkDialog::Ask(QWidget* owner, const S_LinkChoices& choices)
{
    if (AnsweringHandler())
        return AnsweringHandler()(choices);
    TLinkDialog dialog(owner, choices);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

TLinkDialog::Handler TLinkDialog::SetHandler(Handler handler)
{
    return std::exchange(AnsweringHandler(), std::move(handler));
}
