#include "GlosserFixture.h"
#include "glosser/Aboutbox.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using GlosserAboutBoxTest = GlosserWindowTest;

TEST_F(GlosserAboutBoxTest, AboutBoxShowsTheProductAndHandsItsLinksToTheDesktop)
{
    auto* about = form->findChild<TAboutBox*>(QStringLiteral("m_AboutBox"));
    ASSERT_NE(about, nullptr);
    std::vector<QUrl> opened;
    bool desktopTakesIt = true;
    about->SetUrlOpener([&](const QUrl& target) {
        opened.push_back(target);
        return desktopTakesIt;
    });

    bool wasShown = false;
    QTimer::singleShot(0, about, [&] {
        wasShown = about->isVisible() && about->isModal();
        EXPECT_EQ(about->findChild<QLabel*>("m_ProductNameLabel")->text(),
                  QStringLiteral("KW3 Win 2: Language Manager"));
        EXPECT_FALSE(about->findChild<QLabel*>("m_Picture")->pixmap().isNull());
        for (const char* name : {"m_WebLabel", "m_MailLabel"}) {
            auto* link = about->findChild<TLinkLabel*>(name);
            ASSERT_NE(link, nullptr) << name;
            EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
            EXPECT_TRUE(link->font().underline());
            QTest::mouseClick(link, Qt::LeftButton);
        }
        desktopTakesIt = false;
        QTest::mouseClick(about->findChild<TLinkLabel*>("m_MailLabel"), Qt::LeftButton);
        about->findChild<QPushButton*>("m_OKButton")->click();
    });
    Trigger("HelpAboutAction");
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(about->isVisible());

    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], TAboutBox::WebAddress);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("https"));
    EXPECT_EQ(opened[1], TAboutBox::MailAddress);
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("mailto"));
    ASSERT_EQ(boxes.Shown().size(), 1u) << "a link nobody opens is reported";
    EXPECT_TRUE(boxes.Shown()[0].text.contains(TAboutBox::MailAddress.toDisplayString()));
}
