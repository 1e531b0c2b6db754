#include "app/Aboutbox.h"

#include "language/Language.h"
#include "language/Messages.h"
#include "platform/Version.h"
#include "resources/Pictures.h"

#include <QDesktopServices>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>

#include <utility>

const QUrl TAboutBox::WebPage(QStringLiteral("https://www.orvex.example/"));
const QUrl TAboutBox::SalesMail(QStringLiteral("mailto:sales@orvex.example"));
const QUrl TAboutBox::SupportMail(QStringLiteral("mailto:help@orvex.example"));

namespace {

TAboutBox::UrlOpener& Opener()
{
    static TAboutBox::UrlOpener opener;
    return opener;
}

constexpr int Column = 410;
constexpr int ColumnWidth = 612 - Column - 6;

QLabel* NewLine(QWidget* parent, const QString& text, int top, int height = 18)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(Column, top, ColumnWidth, height);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(612, 217);
    setWindowTitle(Text(Msg::About) + QStringLiteral(" KW3 Win 2"));

    Image1 = new QLabel(this);
    Image1->setGeometry(4, 6, 400, 204);
    Image1->setPixmap(QPixmap::fromImage(LoadJpegPicture(QStringLiteral("ABOUT"))));

    m_ProductNameLabel = NewLine(this, QStringLiteral("KW3 Win 2"), 8, 26);
    QFont title = m_ProductNameLabel->font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    m_ProductNameLabel->setFont(title);
    m_VersionLabel = NewLine(this, QStringLiteral("Version: " KW3_SHOWN_VERSION), 36);
    m_NoticeLabel =
        NewLine(this, QStringLiteral("\u00a9 2026 Orvex Laundry Controls.\n") + Text(Msg::LicenceNotice), 58, 34);

    m_ContactPanel = new QFrame(this);
    m_ContactPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_ContactPanel->setGeometry(Column, 98, ColumnWidth, 80);
    m_ContactHeading = new QLabel(QStringLiteral("Orvex Laundry Controls"), m_ContactPanel);
    QFont bold = m_ContactHeading->font();
    bold.setBold(true);
    m_ContactHeading->setFont(bold);
    m_ContactHeading->setGeometry(8, 4, ColumnWidth - 16, 18);
    Label3 = new TLinkLabel(QStringLiteral("www.orvex.example"), WebPage, m_ContactPanel);
    Label4 = new TLinkLabel(SalesMail.path(), SalesMail, m_ContactPanel);
    m_SupportMailLabel = new QLabel(QStringLiteral("Support:"), m_ContactPanel);
    Label1 = new TLinkLabel(SupportMail.path(), SupportMail, m_ContactPanel);
    Label3->setGeometry(8, 22, Label3->sizeHint().width(), 18);
    Label4->setGeometry(8, 40, Label4->sizeHint().width(), 18);
    m_SupportMailLabel->setGeometry(8, 58, m_SupportMailLabel->sizeHint().width(), 18);
    // The second mail address follows its own label on the same line.
    Label1->setGeometry(m_SupportMailLabel->geometry().right() + 5, 58, Label1->sizeHint().width(), 18);
    for (const TLinkLabel* link : {Label3, Label4, Label1})
        connect(link, &TLinkLabel::Activated, this, &TAboutBox::OpenLink);

    m_OKButton = new QPushButton(QStringLiteral("OK"), this);
    m_OKButton->setGeometry(612 - 6 - 88, 184, 88, 26);
    m_OKButton->setDefault(true);
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::UrlOpener TAboutBox::SetUrlOpener(UrlOpener opener)
{
    return std::exchange(Opener(), std::move(opener));
}

void TAboutBox::OpenLink(const QUrl& target)
{
    if (Opener())
        Opener()(target);
    else
        QDesktopServices::openUrl(target);
}
