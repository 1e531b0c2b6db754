#include "glosser/Aboutbox.h"

#include "desktop/Messagebox.h"
#include "glosser/Glosserpictures.h"
#include "platform/Version.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

const QUrl TAboutBox::WebAddress(QStringLiteral("https://www.kw3win.example/"));
const QUrl TAboutBox::MailAddress(QStringLiteral("mailto:translations@kw3win.example"));

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
    , m_OpenUrl([](const QUrl& target) { return QDesktopServices::openUrl(target); })
{
    setWindowTitle(QStringLiteral("About KW3 Win 2 - Language Manager"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("m_Picture"));
    picture->setPixmap(AboutPicture());

    auto* product = new QLabel(QStringLiteral("KW3 Win 2: Language Manager"), this);
    product->setObjectName(QStringLiteral("m_ProductNameLabel"));
    QFont productFont = product->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 1.4);
    productFont.setBold(true);
    product->setFont(productFont);

    auto* version = new QLabel(QStringLiteral("Version: " KW3_SHOWN_VERSION), this);
    auto* notice = new QLabel(QStringLiteral("Translates the texts of KW3 Win 2, line by line,\n"
                                             "beside the English reference."),
                              this);
    auto* contact = new QLabel(QStringLiteral("Questions and new translations:"), this);

    auto* web = new TLinkLabel(WebAddress.host(), WebAddress, this);
    web->setObjectName(QStringLiteral("m_WebLabel"));
    auto* mail = new TLinkLabel(MailAddress.path(), MailAddress, this);
    mail->setObjectName(QStringLiteral("m_MailLabel"));
    connect(web, &TLinkLabel::Activated, this, &TAboutBox::OpenLink);
    connect(mail, &TLinkLabel::Activated, this, &TAboutBox::OpenLink);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("m_OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(notice);
    texts->addSpacing(12);
    texts->addWidget(contact);
    texts->addWidget(web);
    texts->addWidget(mail);
    texts->addStretch();
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    texts->addLayout(okRow);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addSpacing(12);
    layout->addLayout(texts);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::OpenLink(const QUrl& target)
{
    if (!m_OpenUrl(target))
        C_MessageBox::Show(QStringLiteral("No program is set up to open ") + target.toDisplayString(), windowTitle(),
                           C_MessageBox::Icon::Warning, C_MessageBox::Buttons::Ok, this);
}
