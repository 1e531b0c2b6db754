#include "app/Aboutbox.h"
#include "app/Splash.h"
#include "language/Language.h"
#include "resources/Pictures.h"
#include "support/Layoutcheck.h"
#include "support/TempFolder.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

TEST(SplashTest, TheSplashShowsTheVersionOnItsPictureAndHidesItselfOnceWhileTheMainWindowStays)
{
    QWidget mainWindow;
    mainWindow.show();
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    TSplashForm splash;
    splash.show();

    EXPECT_EQ(splash.size(), QSize(402, 206));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_EQ(splash.m_Background->pixmap().toImage(),
              QPixmap::fromImage(LoadJpegPicture(QStringLiteral("SPLASH"))).toImage());
    EXPECT_EQ(splash.m_VersionLabel->text(), QStringLiteral("Version: 2.00.24"));
    EXPECT_EQ(splash.m_VersionLabel->pos(), QPoint(8, 183));
    EXPECT_FALSE(splash.m_VersionLabel->autoFillBackground());
    ExpectNothingClipped(splash);

    QTest::qWait(1000);
    EXPECT_TRUE(splash.isVisible()) << "hidden before its time";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 3000));
    EXPECT_GE(sinceCreation.elapsed(), TSplashForm::CloseAfterMilliseconds);
    EXPECT_FALSE(splash.m_CloseTimer->isActive()) << "the splash closes only once";
    EXPECT_TRUE(mainWindow.isVisible());
}

namespace {

// Collects the addresses the about box hands out instead of opening them.
class OpenedLinks
{
public:
    OpenedLinks()
        : m_Previous(TAboutBox::SetUrlOpener([this](const QUrl& target) { m_Opened.push_back(target); }))
    {
    }
    ~OpenedLinks() { TAboutBox::SetUrlOpener(m_Previous); }
    OpenedLinks(const OpenedLinks&) = delete;
    OpenedLinks& operator=(const OpenedLinks&) = delete;

    const std::vector<QUrl>& Opened() const { return m_Opened; }

private:
    std::vector<QUrl> m_Opened;
    TAboutBox::UrlOpener m_Previous;
};

} // namespace

TEST(AboutBoxTest, TheBoxNamesTheProductInTheLanguageOfTheFileAndSitsOverTheMainWindow)
{
    const TempFolder folder;
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    QWidget mainWindow;
    mainWindow.setGeometry(60, 50, 700, 480);
    mainWindow.show();
    TAboutBox about(&mainWindow);

    EXPECT_EQ(about.windowTitle(), language.GetString(0) + QStringLiteral(" KW3 Win 2"));
    EXPECT_EQ(about.size(), QSize(612, 217));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.Image1->size(), QSize(400, 204));
    EXPECT_EQ(about.Image1->pixmap().toImage(), QPixmap::fromImage(LoadJpegPicture(QStringLiteral("ABOUT"))).toImage());
    EXPECT_EQ(about.m_ProductNameLabel->text(), QStringLiteral("KW3 Win 2"));
    EXPECT_EQ(about.m_VersionLabel->text(), QStringLiteral("Version: 2.00.24"));
    EXPECT_EQ(about.m_OKButton->text(), QStringLiteral("OK"));
    ExpectNothingClipped(about);

    about.show();
    EXPECT_LE((about.geometry().center() - mainWindow.geometry().center()).manhattanLength(), 2);
    about.m_OKButton->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutBoxTest, EachLinkLooksLikeOneAndHandsItsAddressToTheDesktop)
{
    const C_LanguageManager language(SourceFile(QStringLiteral("resources/English.lng")));
    const OpenedLinks links;
    TAboutBox about;
    about.show();

    const struct
    {
        const char* name;
        TLinkLabel* label;
        QUrl target;
        const char* scheme;
    } cases[] = {
        {"web page", about.Label3, TAboutBox::WebPage, "https"},
        {"sales mail", about.Label4, TAboutBox::SalesMail, "mailto"},
        {"second mail", about.Label1, TAboutBox::SupportMail, "mailto"},
    };
    size_t clicked = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.target.scheme(), QLatin1String(c.scheme)) << c.name;
        EXPECT_EQ(c.label->parentWidget(), about.m_ContactPanel) << c.name;
        EXPECT_TRUE(c.label->font().underline()) << c.name;
        EXPECT_EQ(c.label->cursor().shape(), Qt::PointingHandCursor) << c.name;
        const QColor colour = c.label->palette().color(QPalette::WindowText);
        EXPECT_GT(colour.blue(), 150) << c.name;
        EXPECT_LT(colour.red() + colour.green(), 100) << c.name;
        // The address shown is the one opened.
        EXPECT_TRUE(c.target.toString().contains(c.label->text())) << c.name;

        QTest::mouseClick(c.label, Qt::LeftButton);
        ASSERT_EQ(links.Opened().size(), ++clicked) << c.name;
        EXPECT_EQ(links.Opened().back(), c.target) << c.name;
    }
    // The second mail address follows its own label on the same line.
    EXPECT_EQ(about.Label1->y(), about.m_SupportMailLabel->y());
    EXPECT_GT(about.Label1->x(), about.m_SupportMailLabel->geometry().right());

    // A press that leaves the link before it is released opens nothing.
    QTest::mousePress(about.Label3, Qt::LeftButton);
    QTest::mouseRelease(about.Label3, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(links.Opened().size(), clicked);
    EXPECT_TRUE(about.isVisible());
}
