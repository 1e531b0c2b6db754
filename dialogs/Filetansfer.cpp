#include "dialogs/Filetansfer.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "resources/Pictures.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>

#include <algorithm>

namespace {

constexpr int ReadableDiagnosticsHeight = 300;
constexpr int Width = 300;
constexpr int PictureHeight = 150;
constexpr int Height = 310;
constexpr int Margin = 10;

} // namespace

void EnlargeDiagnostics(QWidget* panel)
{
    const int height = ReadableDiagnosticsHeight;
    if (panel == nullptr || panel->height() >= height)
        return;
    auto* splitter = qobject_cast<QSplitter*>(panel->parentWidget());
    if (splitter == nullptr || splitter->orientation() != Qt::Vertical) {
        panel->resize(panel->width(), height);
        return;
    }
    QList<int> sizes = splitter->sizes();
    const int own = splitter->indexOf(panel);
    int donor = -1;
    for (int index = 0; index < sizes.size(); ++index)
        if (index != own && (donor < 0 || sizes[index] > sizes[donor]))
            donor = index;
    const int growth = height - sizes[own];
    sizes[own] = height;
    if (donor >= 0)
        sizes[donor] = std::max(0, sizes[donor] - growth);
    splitter->setSizes(sizes);
}

QString FormatDuration(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    return QString::number(seconds / 60) + QLatin1Char(':') +
           QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

TFormFileTransfer::TFormFileTransfer(QWidget* owner, int picture)
    : TEditorDialog(owner, QSize(Width, Height))
{
    // No title-bar buttons: the window goes when the transfer ends, Cancel ends it sooner.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("KW3 Win 2"));
    m_ImageList = {LoadPicture(QStringLiteral("TRANSFER_DOWNLOAD")), LoadPicture(QStringLiteral("TRANSFER_UPLOAD"))};
    m_BackImage = new QLabel(this);
    m_BackImage->setGeometry(0, 0, Width, PictureHeight);
    m_BackImage->setPixmap(m_ImageList.value(picture));

    const int inner = Width - 2 * Margin;
    m_StageLabel = NewDialogLabel(this, QString(), QRect(Margin, PictureHeight + 6, inner, 20));
    QFont bold = m_StageLabel->font();
    bold.setBold(true);
    m_StageLabel->setFont(bold);
    m_PhaseLabel = NewDialogLabel(this, QString(), QRect(Margin, PictureHeight + 26, inner, 20));
    m_ProgressBar = new QProgressBar(this);
    m_ProgressBar->setGeometry(Margin, PictureHeight + 50, inner, 20);
    m_ProgressBar->setRange(0, 1);
    m_ProgressBar->setValue(0);
    m_TimesLabel = NewDialogLabel(this, QString(), QRect(Margin, PictureHeight + 76, inner, 20));
    m_PortLabel = NewDialogLabel(this, QString(), QRect(Margin, PictureHeight + 96, inner, 20));
    m_CancelButton = new QPushButton(QIcon(LoadPicture(QStringLiteral("GLYPH_CANCEL"))), Text(Msg::Cancel), this);
    m_CancelButton->setGeometry(Width - Margin - 95, Height - Margin - 28, 95, 28);
    connect(m_CancelButton, &QPushButton::clicked, this, &TFormFileTransfer::CancelPressed);

    // Over the times and the Cancel button while a question is open; the progress stays in sight.
    m_QuestionPanel = new QFrame(this);
    m_QuestionPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_QuestionPanel->setAutoFillBackground(true);
    m_QuestionLabel = new QLabel(m_QuestionPanel);
    m_QuestionLabel->setWordWrap(true);
    m_QuestionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_WaitButton = new QPushButton(Text(Msg::WaitButton), m_QuestionPanel);
    m_WaitButton->setDefault(true);
    m_CancelTransferButton = new QPushButton(Text(Msg::CancelTransferButton), m_QuestionPanel);
    connect(m_WaitButton, &QPushButton::clicked, this, &TFormFileTransfer::WithdrawQuestion);
    connect(m_CancelTransferButton, &QPushButton::clicked, this, [this] {
        WithdrawQuestion();
        emit CancelConfirmed();
    });
    m_QuestionPanel->hide();
}

void TFormFileTransfer::ShowStage(const QString& stage)
{
    m_StageLabel->setText(stage);
}

void TFormFileTransfer::ShowPort(const QString& port)
{
    m_PortLabel->setText(Text(Msg::PortWord) + QLatin1Char(' ') + port);
    m_PortLabel->setToolTip(port);
}

void TFormFileTransfer::ShowPhase(const QString& phase)
{
    m_PhaseLabel->setText(phase);
}

void TFormFileTransfer::ShowProgress(qint64 done, qint64 total)
{
    // The bar counts bytes; a phase without any shows an empty bar.
    m_ProgressBar->setRange(0, int(std::max<qint64>(total, 1)));
    m_ProgressBar->setValue(int(std::clamp<qint64>(done, 0, std::max<qint64>(total, 1))));
    m_ProgressBar->setFormat(QString::number(done) + QStringLiteral(" / ") + QString::number(total));
}

void TFormFileTransfer::ShowTimes(qint64 elapsedMs, qint64 leftMs)
{
    QString text = Text(Msg::TimeElapsed) + QLatin1Char(' ') + FormatDuration(elapsedMs);
    if (leftMs >= 0)
        text += QStringLiteral("    ") + Text(Msg::TimeLeft) + QLatin1Char(' ') + FormatDuration(leftMs);
    m_TimesLabel->setText(text);
}

void TFormFileTransfer::Ask(const QString& question)
{
    // The window grows to hold the whole question below the progress bar.
    constexpr int Padding = 8;
    constexpr int ButtonHeight = 28;
    const int top = m_TimesLabel->y();
    const int panelWidth = Width - 8;
    m_QuestionLabel->setText(question);
    const int textHeight = m_QuestionLabel->heightForWidth(panelWidth - 2 * Padding);
    const int panelHeight = std::max(Height - top - 4, textHeight + ButtonHeight + 3 * Padding);
    setFixedSize(Width, top + panelHeight + 4);
    m_QuestionPanel->setGeometry(4, top, panelWidth, panelHeight);
    m_QuestionLabel->setGeometry(Padding, Padding, panelWidth - 2 * Padding, textHeight);
    // As wide as their texts need, in whatever language.
    const int waitWidth = std::max(100, m_WaitButton->sizeHint().width());
    const int cancelWidth = std::max(120, m_CancelTransferButton->sizeHint().width());
    m_WaitButton->setGeometry(Padding, panelHeight - Padding - ButtonHeight, waitWidth, ButtonHeight);
    m_CancelTransferButton->setGeometry(panelWidth - Padding - cancelWidth, panelHeight - Padding - ButtonHeight,
                                        cancelWidth, ButtonHeight);
    m_QuestionPanel->show();
    m_QuestionPanel->raise();
    m_WaitButton->setFocus();
    raise();
    activateWindow();
}

void TFormFileTransfer::WithdrawQuestion()
{
    m_QuestionPanel->hide();
    setFixedSize(Width, Height);
}

bool TFormFileTransfer::IsAsking() const
{
    return !m_QuestionPanel->isHidden();
}

void TFormFileTransfer::reject()
{
    // Escape is Cancel; the window itself closes only when the transfer has ended.
    if (IsAsking())
        WithdrawQuestion();
    else
        emit CancelPressed();
}
