#include "print/Celltext.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

TEST(CellTextTest, TextIsDrawnCentredOrAtTheLeftEdge)
{
    QImage image(200, 60, QImage::Format_RGB32);
    const auto inkColumns = [&image]() {
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::make_pair(first, last);
    };
    const auto draw = [&image](bool centred) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
        const QRect rect(20, 10, 160, 40);
        centred ? DrawTextCentred(painter, rect, QStringLiteral("MMMM"))
                : DrawTextLeft(painter, rect, QStringLiteral("MMMM"));
    };

    draw(true);
    const auto [left, right] = inkColumns();
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2.0, 100.0, 3.0);

    draw(false);
    EXPECT_NEAR(inkColumns().first, 20, 3);
}
