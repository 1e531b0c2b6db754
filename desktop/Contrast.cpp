#include "desktop/Contrast.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

double Channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    return 0.2126 * Channel(colour.redF()) + 0.7152 * Channel(colour.greenF()) + 0.0722 * Channel(colour.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Reaching(const QColor& from, const QColor& towards, const QColor& background, double ratio)
{
    const auto mix = [&](double t) {
        return QColor::fromRgbF(float(from.redF() + t * (towards.redF() - from.redF())),
                                float(from.greenF() + t * (towards.greenF() - from.greenF())),
                                float(from.blueF() + t * (towards.blueF() - from.blueF())));
    };
    if (ContrastRatio(from, background) >= ratio)
        return from;
    double low = 0;
    double high = 1;
    for (int halving = 0; halving < 16; ++halving) {
        const double middle = (low + high) / 2;
        (ContrastRatio(mix(middle), background) >= ratio ? high : low) = middle;
    }
    return mix(high);
}

bool IsLightPalette(const QPalette& palette)
{
    return Luminance(palette.color(QPalette::Base)) > Luminance(palette.color(QPalette::Text));
}
