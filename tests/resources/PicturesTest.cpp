#include "resources/Pictures.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(PicturesTest, EveryNamedPictureLoadsInItsSize)
{
    const std::pair<const char*, QSize> pictures[] = {
        {"LED_ON", {54, 17}},
        {"LED_OFF", {54, 17}},
        {"SWITCH_ON", {54, 17}},
        {"LAST_COLUMN", {54, 17}},
        {"ROW_SEPARATOR", {54, 17}},
        {"DIALOG_BACKGROUND", {450, 450}},
        {"FORMAT_STANDARD", {100, 25}},
        {"FORMAT_INVERTER", {100, 25}},
        {"FORMAT_VARNHOLT", {100, 25}},
        {"TRANSFER_DOWNLOAD", {300, 150}},
        {"TRANSFER_UPLOAD", {300, 150}},
        {"ORVEX", {805, 232}},
        {"DIAG_HEADING", {16, 16}},
        {"DIAG_ERROR", {16, 16}},
        {"NODE_PROGRAM", {16, 16}},
    };
    for (const auto& [name, size] : pictures)
        EXPECT_EQ(LoadPicture(QString::fromLatin1(name)).size(), size) << name;
    EXPECT_TRUE(LoadPicture(QStringLiteral("NO_SUCH_PICTURE")).isNull());
}

TEST(PicturesTest, SplashAndAboutAreJpegDecodedByLibjpeg)
{
    EXPECT_EQ(LoadJpegPicture(QStringLiteral("SPLASH")).size(), QSize(402, 206));
    EXPECT_EQ(LoadJpegPicture(QStringLiteral("ABOUT")).size(), QSize(400, 204));
}

TEST(PicturesTest, BrokenJpegIsANullImageNotTheEndOfTheProgram)
{
    QFile file(QStringLiteral(":/pictures/SPLASH"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();
    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture at all")).isNull());
    EXPECT_TRUE(DecodeJpeg(jpeg.left(2)).isNull());
    QByteArray damaged = jpeg;
    for (qsizetype i = 20; i < 600 && i < damaged.size(); ++i)
        damaged[i] = char(0xFF);
    const QImage result = DecodeJpeg(damaged); // may decode garbage or fail; must not crash
    EXPECT_TRUE(result.isNull() || result.width() == 402);
    // A truncated stream still yields a picture of the full size (libjpeg pads it).
    EXPECT_EQ(DecodeJpeg(jpeg.left(jpeg.size() / 2)).size(), QSize(402, 206));
}
