#include "editor/Librarysave.h"

#include "desktop/Messagebox.h"
#include "language/Language.h"
#include "language/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The bounds the fragment reader keeps to.
constexpr int NameLength = 200;
constexpr int DescriptionLength = 4000;

TLibrarySaveDialog::Handler& AnsweringHandler()
{
    static TLibrarySaveDialog::Handler handler;
    return handler;
}

} // namespace

TLibrarySaveDialog::TLibrarySaveDialog(QWidget* owner, const S_LibraryNaming& proposal)
    : TEditorDialog(owner, {430, 236})
{
    setWindowTitle(CommandTitle(Msg::SaveToLibrary));
    QWidget* panel = NewDialogPanel(this, {8, 8, 414, 170});
    QLabel* nameLabel = NewDialogLabel(panel, Text(Msg::LibraryName), {8, 12, 100, 21}, Qt::AlignRight);
    m_Name = new QLineEdit(proposal.m_Name, panel);
    m_Name->setGeometry(114, 12, 290, 23);
    m_Name->setMaxLength(NameLength);
    QLabel* descriptionLabel = NewDialogLabel(panel, Text(Msg::LibraryDescription), {8, 44, 100, 21}, Qt::AlignRight);
    m_Description = new QPlainTextEdit(proposal.m_Description, panel);
    m_Description->setGeometry(114, 44, 290, 116);
    m_Description->setTabChangesFocus(true);
    nameLabel->setBuddy(m_Name);
    descriptionLabel->setBuddy(m_Description);
    QPushButton* cancel = NewCancelButton({8, 190, 100, 35}, Text(Msg::Cancel));
    QPushButton* ok = NewOkButton({322, 190, 100, 35});
    setTabOrder(m_Name, m_Description);
    setTabOrder(m_Description, ok);
    setTabOrder(ok, cancel);
    connect(ok, &QPushButton::clicked, this, &TLibrarySaveDialog::OkClicked);
    m_Name->selectAll();
}

void TLibrarySaveDialog::OkClicked()
{
    if (m_Name->text().trimmed().isEmpty()) {
        C_MessageBox::Show(Text(Msg::LibraryNameNeeded), windowTitle(), C_MessageBox::Icon::Warning,
                           C_MessageBox::Buttons::Ok, this);
        m_Name->setFocus();
        return;
    }
    accept();
}

std::optional<S_LibraryNaming> TLibrarySaveDialog::Ask(QWidget* owner, const S_LibraryNaming& proposal)
{
    std::optional<S_LibraryNaming> naming;
    if (AnsweringHandler()) {
        naming = AnsweringHandler()(proposal);
    } else {
        TLibrarySaveDialog dialog(owner, proposal);
        if (dialog.exec() == QDialog::Accepted)
            naming = S_LibraryNaming{dialog.m_Name->text(), dialog.m_Description->toPlainText()};
    }
    if (naming) {
        naming->m_Name = naming->m_Name.trimmed().left(NameLength);
        naming->m_Description = naming->m_Description.left(DescriptionLength);
        if (naming->m_Name.isEmpty())
            naming.reset();
    }
    return naming;
}

TLibrarySaveDialog::Handler TLibrarySaveDialog::SetHandler(Handler handler)
{
    return std::exchange(AnsweringHandler(), std::move(handler));
}
