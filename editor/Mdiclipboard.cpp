// Copy to clipboard and Paste from clipboard: a program with its cycles, a cycle or a
// step as a fragment on the system clipboard, for any window and any format.
#include "desktop/Messagebox.h"
#include "document/Fragmentlibrary.h"
#include "editor/Librarysave.h"
#include "editor/Mdichild.h"
#include "editor/Treenodes.h"
#include "language/Language.h"
#include "language/Messages.h"
#include "model/Nodedata.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTableWidget>

#include <algorithm>

std::optional<S_Fragment> TFormMDIChild::SelectedFragment() const
{
    const QWidget* pane = focusWidget();
    if (pane == m_ProgramsTree) {
        QTreeWidgetItem* node = m_ProgramsTree->currentItem();
        // A reference stands for its program.
        if (node != nullptr && node->parent() != nullptr)
            node = node->parent();
        const int program = node != nullptr ? m_ProgramsTree->indexOfTopLevelItem(node) : -1;
        if (program >= 0 && size_t(program) < m_Current.m_Programs.size())
            return ProgramFragment(m_Current, size_t(program));
    } else if (pane == m_CyclesTree) {
        if (const int cycle = CycleIndex(m_CyclesTree->currentItem()); cycle >= 0)
            return CycleFragment(m_Current, size_t(cycle));
    } else if (pane == m_StepsGrid) {
        const int cycle = CycleIndex(m_DisplayedCycle);
        const int column = m_StepsGrid->currentColumn();
        if (cycle >= 0 && column >= 1 && size_t(column) <= m_Current.m_Cycles[size_t(cycle)].m_Steps->size())
            return StepFragment(m_Current, size_t(cycle), size_t(column - 1));
    }
    return std::nullopt;
}

S_PastePlace TFormMDIChild::PastePlace() const
{
    S_PastePlace place;
    // Cycles go under the category chosen in the cycles tree, as the window's Paste cycle does.
    const QTreeWidgetItem* node = m_CyclesTree->currentItem();
    if (focusWidget() == m_CyclesTree && node != nullptr) {
        if (node->parent() != nullptr)
            node = node->parent();
        if (const C_NodeData* root = NodeData(node); root != nullptr && (root->m_Kind & NodeKind::CategoryRoot))
            place.m_Category = NodeKind::CategoryCode(root->m_Kind);
    }
    // Steps go before the cursor's entry of the cycle shown.
    const int cycle = CycleIndex(m_DisplayedCycle);
    place.m_Cycle = cycle >= 0 ? size_t(cycle) : m_Current.m_Cycles.size();
    place.m_Step = size_t(std::max(m_StepsGrid->currentColumn(), 1) - 1);
    return place;
}

void TFormMDIChild::CopyToClipboard(const QString&)
{
    const std::optional<S_Fragment> fragment = SelectedFragment();
    if (!fragment)
        return;
    const QByteArray text = FragmentText(*fragment);
    auto* copied = new QMimeData;
    copied->setData(QLatin1String(ConfigurationText::FragmentMimeType), text);
    // Also as text, so that a fragment mailed or kept in a file pastes back.
    copied->setText(QString::fromUtf8(text));
    QApplication::clipboard()->setMimeData(copied);
}

void TFormMDIChild::PasteFromClipboard(const QString& name)
{
    const QMimeData* held = QApplication::clipboard()->mimeData();
    if (held == nullptr)
        return;
    const QString ours = QLatin1String(ConfigurationText::FragmentMimeType);
    PasteFragment(name, held->hasFormat(ours) ? held->data(ours) : held->text().toUtf8());
}

void TFormMDIChild::SaveToLibrary(const QString&)
{
    using Box = C_MessageBox;
    std::optional<S_Fragment> fragment = SelectedFragment();
    if (!fragment)
        return;
    const C_FragmentLibrary library(C_FragmentLibrary::DefaultFolder());
    const QString title = CommandTitle(m_SaveToLibraryAction->text());
    std::optional<S_LibraryNaming> naming = TLibrarySaveDialog::Ask(this, {fragment->m_Name, QString()});
    // A name already kept is replaced only when the user says so; else the name is asked again.
    while (naming && QFileInfo::exists(library.PathFor(naming->m_Name))) {
        const Box::Answer replace =
            Box::Show(Text(Msg::LibraryReplace), title, Box::Icon::Question, Box::Buttons::YesNoCancel, this);
        if (replace == Box::Answer::Yes)
            break;
        naming = replace == Box::Answer::No ? TLibrarySaveDialog::Ask(this, *naming) : std::nullopt;
    }
    if (!naming)
        return;
    fragment->m_Name = naming->m_Name;
    fragment->m_Description = naming->m_Description;
    if (QString reason; !library.Save(*fragment, reason))
        Box::Show(Text(Msg::LibraryNotWritten) + QLatin1Char('\n') + reason, title, Box::Icon::Error, Box::Buttons::Ok,
                  this);
    else
        emit StatusMessage(title + QStringLiteral(": ") + QDir::toNativeSeparators(library.PathFor(naming->m_Name)));
}

bool TFormMDIChild::PasteFragment(const QString& name, const QByteArray& text)
{
    S_JsonError error;
    const std::optional<S_Fragment> fragment = ReadFragmentText(text, error);
    if (!fragment) {
        C_MessageBox::Show(Text(Msg::ClipboardNoFragment) + QLatin1Char('\n') + error.Line(QStringLiteral("clipboard")),
                           Text(Msg::PasteFromClipboard), C_MessageBox::Icon::Error, C_MessageBox::Buttons::Ok, this);
        return false;
    }
    return PasteFragment(name, Text(Msg::PasteFromClipboard), *fragment);
}

bool TFormMDIChild::PasteFragment(const QString& name, const QString& title, const S_Fragment& fragment,
                                  QWidget* asking)
{
    using Box = C_MessageBox;
    if (asking == nullptr)
        asking = this;
    S_PastePlace place = PastePlace();
    S_Paste paste = PlanPaste(m_Current, fragment, place);
    if (paste.m_Identical > 0) {
        // Offered whenever it can be done: reusing may be what makes the paste fit.
        place.m_ReuseIdentical = true;
        S_Paste reusing = PlanPaste(m_Current, fragment, place);
        const Box::Answer reuse = reusing.Refused() ? Box::Answer::No
                                                    : Box::Show(Text(Msg::PasteReuseQuestion), title,
                                                                Box::Icon::Question, Box::Buttons::YesNoCancel, asking);
        if (reuse == Box::Answer::Cancel)
            return false;
        if (reuse == Box::Answer::Yes)
            paste = std::move(reusing);
    }
    const std::size_t programs = m_Current.m_Programs.size();
    if (!CommitPaste(name, title, std::move(paste), asking))
        return false;
    // What arrived is in view: the first pasted program, or the category the cycles went to.
    if (m_Current.m_Programs.size() > programs) {
        m_ProgramsTree->topLevelItem(int(programs))->setExpanded(true);
        m_ProgramsTree->setCurrentItem(m_ProgramsTree->topLevelItem(int(programs)));
    }
    if (place.m_Category != 0)
        m_CategoryNodes[size_t(place.m_Category)]->setExpanded(true);
    return true;
}

bool TFormMDIChild::CommitPaste(const QString& name, const QString& title, S_Paste paste, QWidget* asking)
{
    using Box = C_MessageBox;
    if (asking == nullptr)
        asking = this;
    if (paste.Refused()) {
        Box::Show(paste.RefusalLine(), title, Box::Icon::Error, Box::Buttons::Ok, asking);
        return false;
    }
    if (!paste.m_Losses.empty() &&
        Box::Show(Text(Msg::PastePreview) + QStringLiteral("\n\n") + paste.LossLines().join(QLatin1Char('\n')), title,
                  Box::Icon::Warning, Box::Buttons::OkCancel, asking) != Box::Answer::Ok)
        return false;
    Commit(name, std::move(paste.m_After));
    return true;
}
