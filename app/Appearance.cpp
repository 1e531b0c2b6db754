#include "app/Appearance.h"

#include "desktop/Contrast.h"
#include "language/Messages.h"

namespace {

QPalette Built(const QColor& window, const QColor& text, const QColor& base, const QColor& button,
               const QColor& highlight, const QColor& highlightedText, const QColor& mid, const QColor& disabled)
{
    QPalette palette(text, button, button.lighter(130), button.darker(130), mid, text, text, base, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, highlightedText);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabled);
    palette.setColor(QPalette::Link, highlight.lighter(130));
    palette.setColor(QPalette::AlternateBase, window);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabled);
    return palette;
}

} // namespace

const std::vector<S_AppearanceChoice>& AppearanceChoices()
{
    static const std::vector<S_AppearanceChoice> choices = {
        {Appearance::Desktop, "desktop", Msg::PaletteDesktop},
        {Appearance::Light, "light", Msg::PaletteLight},
        {Appearance::Dark, "dark", Msg::PaletteDark},
        {Appearance::HighContrast, "high contrast", Msg::PaletteHighContrast},
    };
    return choices;
}

const S_AppearanceChoice& AppearanceOfKey(const QString& key)
{
    for (const S_AppearanceChoice& choice : AppearanceChoices())
        if (key == QLatin1String(choice.m_Key))
            return choice;
    return AppearanceChoices().front();
}

QPalette PaletteOf(Appearance appearance, const QPalette& desktop, C_DesktopScheme::Scheme preferred)
{
    switch (appearance) {
    case Appearance::Desktop:
        if (preferred == C_DesktopScheme::Scheme::Dark && IsLightPalette(desktop))
            return PaletteOf(Appearance::Dark, desktop);
        if (preferred == C_DesktopScheme::Scheme::Light && !IsLightPalette(desktop))
            return PaletteOf(Appearance::Light, desktop);
        break;
    case Appearance::Light:
        return Built(QColor(239, 239, 239), Qt::black, Qt::white, QColor(239, 239, 239), QColor(48, 140, 198),
                     Qt::white, QColor(160, 160, 160), QColor(120, 120, 120));
    case Appearance::Dark:
        return Built(QColor(45, 45, 48), QColor(230, 230, 230), QColor(30, 30, 30), QColor(60, 60, 64),
                     QColor(255, 200, 60), Qt::black, QColor(120, 120, 120), QColor(150, 150, 150));
    case Appearance::HighContrast:
        return Built(Qt::black, Qt::white, Qt::black, Qt::black, QColor(255, 255, 0), Qt::black, Qt::white,
                     QColor(190, 190, 190));
    }
    return desktop;
}
