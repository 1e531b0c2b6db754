#include "editor/Cellimages.h"

#include "editor/Cellcolours.h"
#include "resources/Pictures.h"

#include <QPalette>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

QImage LoadCellImage(const char* name)
{
    return LoadPicture(QString::fromLatin1(name)).toImage();
}

// How much of a channel is the symbol's rather than the background's, as a
// layer of paint over it would be.
float Coverage(float pixel, float background)
{
    if (pixel > background)
        return (pixel - background) / (1 - background);
    if (pixel < background)
        return (background - pixel) / background;
    return 0;
}

// The picture with its background, read per line from its left edge, replaced by
// the colour; what covers at least half a pixel is the symbol and is moved towards
// the symbol colour until it keeps the ratio against the new background.
QImage OnBackground(const QImage& picture, const QColor& colour, const QColor& symbol, double ratio)
{
    // The drawn backgrounds are dithered; that much is grain, not paint.
    constexpr float Grain = 0.08f;
    if (picture.isNull())
        return picture;
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const float onto[] = {colour.redF(), colour.greenF(), colour.blueF()};
    for (int y = 0; y < image.height(); ++y) {
        const QColor background = picture.pixelColor(0, y);
        const float under[] = {background.redF(), background.greenF(), background.blueF()};
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            const float over[] = {pixel.redF(), pixel.greenF(), pixel.blueF()};
            float alpha = 0;
            for (int c = 0; c < 3; ++c)
                alpha = std::max(alpha, Coverage(over[c], under[c]));
            if (alpha < Grain) {
                image.setPixelColor(x, y, colour);
                continue;
            }
            float mixed[3];
            for (int c = 0; c < 3; ++c) {
                const float paint = std::clamp((over[c] - under[c]) / alpha + under[c], 0.0f, 1.0f);
                mixed[c] = alpha * paint + (1 - alpha) * onto[c];
            }
            const QColor out = QColor::fromRgbF(mixed[0], mixed[1], mixed[2]);
            image.setPixelColor(x, y, alpha >= 0.5f ? Reaching(out, symbol, colour, ratio) : out);
        }
    }
    return image;
}

C_CellImages Adapted(const C_CellImages& drawn, const S_CellColours& colours)
{
    constexpr double NonText = 3.0;
    // A little above the least, so that rounding to 8 bits keeps it.
    constexpr double Kept = NonText + 0.1;
    const QColor band = Reaching(colours.m_Face, colours.m_Line, colours.m_Cell, Kept);
    return {OnBackground(drawn.m_LedOn, colours.m_Cell, colours.m_Text, Kept),
            OnBackground(drawn.m_LedOff, colours.m_Cell, colours.m_Text, Kept),
            OnBackground(drawn.m_SwitchOn, colours.m_Cell, colours.m_Text, Kept),
            OnBackground(drawn.m_LastColumn, colours.m_Face, colours.m_FaceText, Kept),
            OnBackground(drawn.m_RowSeparator, band, colours.m_Text, Kept)};
}

} // namespace

const C_CellImages& C_CellImages::Shared()
{
    // Held as images, which unlike pixmaps may outlive the application object.
    static const C_CellImages images{LoadCellImage("LED_ON"), LoadCellImage("LED_OFF"), LoadCellImage("SWITCH_ON"),
                                     LoadCellImage("LAST_COLUMN"), LoadCellImage("ROW_SEPARATOR")};
    return images;
}

const C_CellImages& C_CellImages::For(const QPalette& palette)
{
    if (IsLightPalette(palette))
        return Shared();
    // One set per palette seen; a session sees a handful at most.
    static std::map<std::tuple<QRgb, QRgb, QRgb, QRgb>, C_CellImages> adapted;
    const S_CellColours colours = CellColoursOf(palette);
    const auto key =
        std::make_tuple(colours.m_Cell.rgb(), colours.m_Text.rgb(), colours.m_Face.rgb(), colours.m_Line.rgb());
    auto found = adapted.find(key);
    if (found == adapted.end())
        found = adapted.emplace(key, Adapted(Shared(), colours)).first;
    return found->second;
}
