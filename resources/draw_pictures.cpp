// Draws every picture of Kw3Win into the folder given as the first argument.
// Run through the `pictures` target: cmake --build build --target pictures
//
// Only QtGui is used (QImage + QPainter), with the offscreen platform, so the
// output is the same on every machine that has the Liberation Sans font. The
// desktop icons are also written as SVG (QtSvg), painted by the same code.

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QSvgGenerator>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

// ---------------------------------------------------------------------------
// Palette and fonts

const QColor ProductBlue(0x1c, 0x6e, 0xa4);
const QColor ProductBlueLight(0x3a, 0x93, 0xcf);
const QColor ProductNavy(0x0f, 0x35, 0x53);
const QColor ProductTeal(0x16, 0x9c, 0x96);
const QColor ProductTealDark(0x0e, 0x74, 0x6f);
const QColor Rust(0xc0, 0x5a, 0x1c);
const QColor Outline(0x4d, 0x5b, 0x67);
const QColor PaperEdge(0x6a, 0x78, 0x85);
const QColor FolderBack(0xd9, 0x9a, 0x1e);
const QColor FolderFront(0xf6, 0xc8, 0x4c);
const QColor GoGreen(0x2e, 0x9e, 0x3e);
const QColor GoGreenDark(0x1b, 0x6e, 0x28);
const QColor StopRed(0xd3, 0x2f, 0x2f);
const QColor StopRedDark(0x8e, 0x1b, 0x1b);

const QString FontFamily = QStringLiteral("Liberation Sans");

QFont Font(double pixelSize, int weight = QFont::Normal, bool italic = false)
{
    QFont font(FontFamily);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QColor Alpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// ---------------------------------------------------------------------------
// Output

QString g_Folder;
int g_Failures = 0;

QImage NewImage(int width, int height, const QColor& fill = Qt::transparent)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void Save(const QImage& image, const QString& file, const char* format = "PNG", int quality = -1)
{
    const QString path = QDir(g_Folder).filePath(file);
    QImage out = image;
    if (qstrcmp(format, "JPG") == 0)
        out = image.convertToFormat(QImage::Format_RGB32);
    else if (out.format() == QImage::Format_ARGB32_Premultiplied)
        out = out.convertToFormat(QImage::Format_ARGB32);
    if (!out.save(path, format, quality)) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        ++g_Failures;
    }
}

// Draws a picture on a new transparent image of the given size.
QImage Draw(int width, int height, const std::function<void(QPainter&)>& paint, const QColor& fill = Qt::transparent)
{
    QImage image = NewImage(width, height, fill);
    QPainter p(&image);
    Begin(p);
    paint(p);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// Shared drawings

QPainterPath Circle(const QPointF& centre, double radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

bool IsSvg(const QPainter& p)
{
    return p.paintEngine() != nullptr && p.paintEngine()->type() == QPaintEngine::SVG;
}

// Text of an icon. In an SVG the letters are outlines, so the icon looks the same
// where Liberation Sans is not installed; pictures keep Qt's text rendering.
void DrawLabel(QPainter& p, const QRectF& box, int flags, const QString& text)
{
    if (!IsSvg(p)) {
        p.drawText(box, flags, text);
        return;
    }
    const QFontMetricsF metrics(p.font());
    double x = box.left();
    if (flags & Qt::AlignHCenter)
        x = box.center().x() - metrics.horizontalAdvance(text) / 2;
    const double baseline = box.center().y() - (metrics.ascent() + metrics.descent()) / 2 + metrics.ascent();
    QPainterPath outline;
    outline.addText(QPointF(x, baseline), p.font(), text);
    p.save();
    p.setBrush(p.pen().color());
    p.setPen(Qt::NoPen);
    p.drawPath(outline);
    p.restore();
}

void SoftShadow(QPainter& p, const QPointF& centre, double rx, double ry, int alpha = 70)
{
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    QRadialGradient shade(QPointF(0, 0), rx);
    shade.setColorAt(0.0, QColor(0, 0, 0, alpha));
    shade.setColorAt(0.6, QColor(0, 0, 0, alpha / 3));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

// The glass of a machine door: dark blue glass, water in the lower part, a reflection.
void DrawDoorGlass(QPainter& p, const QPointF& c, double radius, bool water = true)
{
    QRadialGradient glass(c + QPointF(-radius * 0.25, -radius * 0.3), radius * 1.3);
    glass.setColorAt(0.0, QColor(0x9c, 0xd0, 0xea));
    glass.setColorAt(0.45, QColor(0x3c, 0x82, 0xae));
    glass.setColorAt(1.0, QColor(0x14, 0x3c, 0x5a));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(c, radius, radius);

    if (water && radius >= 3) {
        p.save();
        // Qt's SVG writer drops clip paths; there the water is cut to the glass instead.
        const bool svg = IsSvg(p);
        if (!svg)
            p.setClipPath(Circle(c, radius));
        QPainterPath wave;
        const double level = c.y() + radius * 0.18;
        wave.moveTo(c.x() - radius, level);
        const int waves = 3;
        const double span = 2 * radius / waves;
        for (int i = 0; i < waves; ++i) {
            const double x0 = c.x() - radius + i * span;
            wave.cubicTo(x0 + span * 0.3, level - radius * 0.14, x0 + span * 0.7, level + radius * 0.14, x0 + span,
                         level);
        }
        wave.lineTo(c.x() + radius, c.y() + radius);
        wave.lineTo(c.x() - radius, c.y() + radius);
        wave.closeSubpath();
        QLinearGradient waterFill(QPointF(0, level - radius * 0.1), QPointF(0, c.y() + radius));
        waterFill.setColorAt(0.0, QColor(0x7f, 0xd3, 0xe8, 220));
        waterFill.setColorAt(1.0, QColor(0x1b, 0x6f, 0x9c, 230));
        p.setBrush(waterFill);
        p.drawPath(svg ? wave.intersected(Circle(c, radius)) : wave);
        p.restore();
    }

    // reflection on the glass
    if (radius >= 4) {
        p.save();
        QPen shine(QColor(255, 255, 255, 150), radius * 0.12, Qt::SolidLine, Qt::RoundCap);
        p.setPen(shine);
        p.setBrush(Qt::NoBrush);
        const QRectF arc(c.x() - radius * 0.72, c.y() - radius * 0.72, radius * 1.44, radius * 1.44);
        p.drawArc(arc, 100 * 16, 55 * 16);
        p.restore();
    }
}

// A front-loading industrial washing machine filling the rectangle.
void DrawWasher(QPainter& p, const QRectF& r)
{
    const double w = r.width();
    const double h = r.height();
    const double line = qMax(1.0, w / 70.0);
    const double corner = w * 0.05;

    p.save();
    // cabinet, brushed stainless steel
    QLinearGradient steel(r.topLeft(), r.topRight());
    steel.setColorAt(0.0, QColor(0xb8, 0xc3, 0xcc));
    steel.setColorAt(0.12, QColor(0xe9, 0xee, 0xf2));
    steel.setColorAt(0.5, QColor(0xfa, 0xfc, 0xfd));
    steel.setColorAt(0.88, QColor(0xe0, 0xe6, 0xeb));
    steel.setColorAt(1.0, QColor(0xa9, 0xb5, 0xbf));
    p.setPen(QPen(Outline, line));
    p.setBrush(steel);
    p.drawRoundedRect(r.adjusted(line / 2, line / 2, -line / 2, -line / 2), corner, corner);

    // control panel
    const QRectF panel(r.left() + w * 0.07, r.top() + h * 0.05, w * 0.86, h * 0.15);
    QLinearGradient panelFill(panel.topLeft(), panel.bottomLeft());
    panelFill.setColorAt(0.0, QColor(0x55, 0x66, 0x74));
    panelFill.setColorAt(1.0, QColor(0x33, 0x41, 0x4d));
    p.setPen(QPen(QColor(0x2a, 0x34, 0x3d), line * 0.8));
    p.setBrush(panelFill);
    p.drawRoundedRect(panel, corner * 0.6, corner * 0.6);

    // display of the controller
    const QRectF display(panel.left() + panel.width() * 0.07, panel.top() + panel.height() * 0.22,
                         panel.width() * 0.4, panel.height() * 0.56);
    QLinearGradient displayFill(display.topLeft(), display.bottomLeft());
    displayFill.setColorAt(0.0, QColor(0x2c, 0xd0, 0xc4));
    displayFill.setColorAt(1.0, QColor(0x0f, 0x8f, 0x88));
    p.setPen(Qt::NoPen);
    p.setBrush(displayFill);
    p.drawRoundedRect(display, display.height() * 0.15, display.height() * 0.15);
    if (display.height() >= 7) {
        p.setPen(QColor(0x05, 0x3c, 0x3a));
        QFont digits = Font(display.height() * 0.78, QFont::Bold);
        p.setFont(digits);
        p.drawText(display, Qt::AlignCenter, QStringLiteral("KW3"));
    }
    // keys and the programme knob
    const double keyR = panel.height() * 0.13;
    for (int i = 0; i < 3; ++i) {
        const QPointF key(panel.left() + panel.width() * (0.56 + 0.09 * i), panel.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? QColor(0x6f, 0xe0, 0x7a) : QColor(0xd8, 0xdf, 0xe5));
        p.drawEllipse(key, keyR, keyR);
    }
    const QPointF knob(panel.left() + panel.width() * 0.87, panel.center().y());
    const double knobR = panel.height() * 0.34;
    QRadialGradient knobFill(knob - QPointF(knobR * 0.3, knobR * 0.3), knobR * 1.2);
    knobFill.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    knobFill.setColorAt(1.0, QColor(0x9a, 0xa6, 0xb0));
    p.setBrush(knobFill);
    p.setPen(QPen(QColor(0x22, 0x2b, 0x33), line * 0.6));
    p.drawEllipse(knob, knobR, knobR);
    p.setPen(QPen(QColor(0x33, 0x41, 0x4d), line * 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(knob, knob + QPointF(knobR * 0.55, -knobR * 0.55));

    // seam under the panel
    p.setPen(QPen(QColor(0x8d, 0x99, 0xa3), line * 0.7));
    p.drawLine(QPointF(r.left() + line, r.top() + h * 0.24), QPointF(r.right() - line, r.top() + h * 0.24));

    // plinth
    const QRectF plinth(r.left() + line, r.bottom() - h * 0.1, w - 2 * line, h * 0.1 - line);
    QLinearGradient plinthFill(plinth.topLeft(), plinth.bottomLeft());
    plinthFill.setColorAt(0.0, QColor(0x7b, 0x88, 0x93));
    plinthFill.setColorAt(1.0, QColor(0x4e, 0x5a, 0x64));
    p.setPen(Qt::NoPen);
    p.setBrush(plinthFill);
    QPainterPath plinthPath;
    plinthPath.addRoundedRect(plinth, corner * 0.8, corner * 0.8);
    QPainterPath plinthTop;
    plinthTop.addRect(plinth.adjusted(0, 0, 0, -plinth.height() / 2));
    p.drawPath(plinthPath.united(plinthTop));
    p.setPen(QPen(QColor(0xc5, 0xcd, 0xd4), line * 0.6));
    for (int i = 1; i <= 3; ++i) {
        const double x = plinth.left() + plinth.width() * (0.62 + 0.08 * i);
        p.drawLine(QPointF(x, plinth.top() + plinth.height() * 0.3), QPointF(x, plinth.bottom() - plinth.height() * 0.3));
    }

    // door: chrome ring, glass with water
    const double areaTop = r.top() + h * 0.26;
    const double areaBottom = plinth.top() - h * 0.02;
    const QPointF c(r.center().x(), (areaTop + areaBottom) / 2);
    const double ring = qMin(w * 0.38, (areaBottom - areaTop) * 0.47);
    // door mount (darker disc behind the ring)
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9f, 0xab, 0xb5));
    p.drawEllipse(c + QPointF(0, ring * 0.03), ring * 1.05, ring * 1.05);
    QLinearGradient chrome(c - QPointF(ring, ring), c + QPointF(ring, ring));
    chrome.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    chrome.setColorAt(0.45, QColor(0xb9, 0xc4, 0xcd));
    chrome.setColorAt(0.55, QColor(0x8d, 0x9a, 0xa5));
    chrome.setColorAt(1.0, QColor(0xe4, 0xe9, 0xed));
    p.setPen(QPen(Outline, line * 0.8));
    p.setBrush(chrome);
    p.drawEllipse(c, ring, ring);
    // inner lip
    p.setPen(QPen(QColor(0x5d, 0x6b, 0x77), line * 0.6));
    p.setBrush(QColor(0xd4, 0xdb, 0xe1));
    p.drawEllipse(c, ring * 0.8, ring * 0.8);
    DrawDoorGlass(p, c, ring * 0.72);
    // handle and hinges
    const QRectF handle(c.x() + ring * 0.86, c.y() - ring * 0.22, ring * 0.2, ring * 0.44);
    p.setPen(QPen(QColor(0x2a, 0x34, 0x3d), line * 0.6));
    p.setBrush(QColor(0x44, 0x52, 0x5e));
    p.drawRoundedRect(handle, handle.width() * 0.4, handle.width() * 0.4);
    p.setBrush(QColor(0x8d, 0x99, 0xa3));
    for (int s : {-1, 1}) {
        const QRectF hinge(c.x() - ring * 1.1, c.y() + s * ring * 0.45 - ring * 0.09, ring * 0.2, ring * 0.18);
        p.drawRoundedRect(hinge, 1, 1);
    }
    p.restore();
}

// A portable computer filling the rectangle: an open lid and the keyboard base seen from the front.
void DrawLaptop(QPainter& p, const QRectF& r)
{
    const double w = r.width();
    const double h = r.height();
    const double line = qMax(1.0, w / 100.0);

    p.save();
    // lid
    const QRectF lid(r.left() + w * 0.1, r.top(), w * 0.8, h * 0.74);
    QLinearGradient bezel(lid.topLeft(), lid.bottomLeft());
    bezel.setColorAt(0.0, QColor(0x3a, 0x47, 0x52));
    bezel.setColorAt(1.0, QColor(0x22, 0x2c, 0x35));
    p.setPen(QPen(QColor(0x18, 0x1f, 0x26), line));
    p.setBrush(bezel);
    p.drawRoundedRect(lid, w * 0.035, w * 0.035);

    // screen showing the editor: title bar, a tree and a step grid with lamps
    const QRectF screen = lid.adjusted(w * 0.04, w * 0.04, -w * 0.04, -w * 0.05);
    QLinearGradient screenFill(screen.topLeft(), screen.bottomRight());
    screenFill.setColorAt(0.0, QColor(0xf4, 0xf9, 0xfc));
    screenFill.setColorAt(1.0, QColor(0xd3, 0xe5, 0xf1));
    p.setPen(Qt::NoPen);
    p.setBrush(screenFill);
    p.drawRect(screen);
    const double bar = screen.height() * 0.12;
    p.setBrush(ProductBlue);
    p.drawRect(QRectF(screen.topLeft(), QSizeF(screen.width(), bar)));
    const QRectF tree(screen.left() + screen.width() * 0.04, screen.top() + bar * 1.5, screen.width() * 0.26,
                      screen.height() - bar * 2);
    p.setBrush(Qt::white);
    p.drawRect(tree);
    p.setPen(QPen(QColor(0x9a, 0xb4, 0xc8), line * 0.7));
    for (int i = 0; i < 6; ++i) {
        const double y = tree.top() + tree.height() * (0.12 + 0.15 * i);
        const double indent = (i % 3 == 0) ? 0.1 : 0.3;
        p.drawLine(QPointF(tree.left() + tree.width() * indent, y), QPointF(tree.right() - tree.width() * 0.1, y));
    }
    const QRectF grid(tree.right() + screen.width() * 0.04, tree.top(), screen.right() - tree.right() - screen.width() * 0.08,
                      tree.height());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(grid);
    const int rows = 5;
    const int cols = 5;
    const double cw = grid.width() / cols;
    const double ch = grid.height() / rows;
    p.setPen(QPen(QColor(0xc3, 0xd3, 0xdf), line * 0.5));
    for (int i = 1; i < cols; ++i)
        p.drawLine(QPointF(grid.left() + i * cw, grid.top()), QPointF(grid.left() + i * cw, grid.bottom()));
    for (int j = 1; j < rows; ++j)
        p.drawLine(QPointF(grid.left(), grid.top() + j * ch), QPointF(grid.right(), grid.top() + j * ch));
    p.setPen(Qt::NoPen);
    const bool lit[rows][cols] = {{1, 0, 1, 1, 0}, {0, 1, 1, 0, 0}, {1, 1, 0, 0, 1}, {0, 0, 1, 1, 1}, {1, 0, 0, 1, 0}};
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            const QPointF led(grid.left() + (i + 0.5) * cw, grid.top() + (j + 0.5) * ch);
            p.setBrush(lit[j][i] ? QColor(0x5c, 0xc8, 0x3a) : QColor(0xd5, 0xdc, 0xe2));
            p.drawEllipse(led, ch * 0.28, ch * 0.28);
        }
    // a glossy reflection over the screen
    QPainterPath gloss;
    gloss.moveTo(screen.topLeft());
    gloss.lineTo(screen.left() + screen.width() * 0.55, screen.top());
    gloss.lineTo(screen.left() + screen.width() * 0.25, screen.bottom());
    gloss.lineTo(screen.left(), screen.bottom());
    gloss.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(gloss);

    // base with keyboard
    const double baseTop = lid.bottom();
    const double baseBottom = r.bottom() - h * 0.06;
    QPolygonF base;
    base << QPointF(lid.left() - w * 0.02, baseTop) << QPointF(lid.right() + w * 0.02, baseTop)
         << QPointF(r.right(), baseBottom) << QPointF(r.left(), baseBottom);
    QLinearGradient baseFill(QPointF(0, baseTop), QPointF(0, baseBottom));
    baseFill.setColorAt(0.0, QColor(0xc6, 0xcf, 0xd6));
    baseFill.setColorAt(1.0, QColor(0xe9, 0xee, 0xf2));
    p.setPen(QPen(QColor(0x5d, 0x6b, 0x77), line));
    p.setBrush(baseFill);
    p.drawPolygon(base);
    // keys
    p.setPen(QPen(QColor(0x8a, 0x97, 0xa2), line * 0.6));
    const int keyRows = 3;
    for (int j = 1; j <= keyRows; ++j) {
        const double t = double(j) / (keyRows + 2);
        const double y = baseTop + (baseBottom - baseTop) * t;
        const double left = base[0].x() + (base[3].x() - base[0].x()) * t + w * 0.06;
        const double right = base[1].x() + (base[2].x() - base[1].x()) * t - w * 0.06;
        for (double x = left; x < right - 1; x += (right - left) / 12)
            p.drawLine(QPointF(x, y), QPointF(x + (right - left) / 16, y));
    }
    // touch pad
    const double padY = baseTop + (baseBottom - baseTop) * 0.78;
    p.setPen(QPen(QColor(0x9a, 0xa6, 0xb0), line * 0.6));
    p.setBrush(QColor(0xd4, 0xdb, 0xe1));
    p.drawRoundedRect(QRectF(r.center().x() - w * 0.09, padY - (baseBottom - baseTop) * 0.1, w * 0.18,
                             (baseBottom - baseTop) * 0.18),
                      1, 1);
    // front edge
    const QRectF front(r.left(), baseBottom, w, h * 0.06);
    QLinearGradient frontFill(front.topLeft(), front.bottomLeft());
    frontFill.setColorAt(0.0, QColor(0x9a, 0xa6, 0xb0));
    frontFill.setColorAt(1.0, QColor(0x6b, 0x78, 0x83));
    p.setPen(QPen(QColor(0x4d, 0x5b, 0x67), line));
    p.setBrush(frontFill);
    p.drawRoundedRect(front, front.height() * 0.45, front.height() * 0.45);
    p.restore();
}

// A thick horizontal arrow from x0 to x1 at height y.
void DrawArrow(QPainter& p, double x0, double x1, double y, double thickness, const QColor& from, const QColor& to)
{
    const double dir = x1 > x0 ? 1.0 : -1.0;
    const double head = thickness * 1.25;
    const double shaft = thickness * 0.5;
    const double headStart = x1 - dir * head;
    QPainterPath arrow;
    arrow.moveTo(x0, y - shaft / 2);
    arrow.lineTo(headStart, y - shaft / 2);
    arrow.lineTo(headStart, y - thickness / 2);
    arrow.lineTo(x1, y);
    arrow.lineTo(headStart, y + thickness / 2);
    arrow.lineTo(headStart, y + shaft / 2);
    arrow.lineTo(x0, y + shaft / 2);
    arrow.closeSubpath();

    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawPath(arrow.translated(1.5, 2.5));
    QLinearGradient fill(QPointF(x0, 0), QPointF(x1, 0));
    fill.setColorAt(0.0, Alpha(from, 120));
    fill.setColorAt(0.35, from);
    fill.setColorAt(1.0, to);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(arrow);
    // light on the upper half
    p.setClipPath(arrow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 55));
    p.drawRect(QRectF(qMin(x0, x1), y - thickness, qAbs(x1 - x0), thickness));
    p.restore();
}

// ---------------------------------------------------------------------------
// Step-grid cell pictures, 54 x 17. A cell of the step grid is 53 x 16 pixels plus its
// grid line; the pictures are drawn for that cell and fill the whole pitch, so they tile.

constexpr int CellW = 54;
constexpr int CellH = 17;
const QPointF CellCentre(26.5, 8.0);

// A pseudo-random value in [-amplitude, amplitude).
double Noise(QRandomGenerator& random, double amplitude)
{
    return (2 * random.generateDouble() - 1) * amplitude;
}

QImage CellBackground(const QColor& top, const QColor& bottom)
{
    // A gradient that is the same at the top and bottom rows, so that it tiles vertically.
    QImage image = NewImage(CellW, CellH);
    for (int y = 0; y < CellH; ++y) {
        const double t = 0.5 - 0.5 * std::cos(2 * M_PI * (y + 0.5) / CellH);
        const QRgb rgb = Mix(top, bottom, t).rgb();
        for (int x = 0; x < CellW; ++x)
            image.setPixel(x, y, rgb);
    }
    return image;
}

QImage DrawLed(bool on)
{
    QImage image = CellBackground(QColor(0xfa, 0xfb, 0xfc), QColor(0xee, 0xf2, 0xf5));
    QPainter p(&image);
    Begin(p);
    const QPointF c = CellCentre;
    if (on) {
        // glow around the lamp
        QRadialGradient glow(c, 10);
        glow.setColorAt(0.0, QColor(0xc8, 0xff, 0x5a, 170));
        glow.setColorAt(0.55, QColor(0xa6, 0xf0, 0x4a, 70));
        glow.setColorAt(1.0, QColor(0xa6, 0xf0, 0x4a, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, 10, 10);
    }
    // bezel
    QLinearGradient bezel(c - QPointF(0, 6), c + QPointF(0, 6));
    bezel.setColorAt(0.0, QColor(0x8a, 0x96, 0xa0));
    bezel.setColorAt(1.0, QColor(0xf2, 0xf5, 0xf7));
    p.setPen(QPen(QColor(0x6b, 0x78, 0x83), 0.8));
    p.setBrush(bezel);
    p.drawEllipse(c, 6.0, 6.0);
    // lens
    QRadialGradient lens(c + QPointF(-1.3, -1.6), 5.5);
    if (on) {
        lens.setColorAt(0.0, QColor(0xfb, 0xff, 0xd6));
        lens.setColorAt(0.35, QColor(0xc4, 0xf5, 0x3a));
        lens.setColorAt(0.8, QColor(0x4c, 0xb8, 0x1e));
        lens.setColorAt(1.0, QColor(0x2a, 0x7d, 0x10));
    } else {
        lens.setColorAt(0.0, QColor(0xa4, 0xae, 0xb6));
        lens.setColorAt(0.5, QColor(0x6c, 0x78, 0x82));
        lens.setColorAt(1.0, QColor(0x3d, 0x47, 0x50));
    }
    p.setPen(QPen(on ? QColor(0x2a, 0x6e, 0x14) : QColor(0x3a, 0x43, 0x4b), 0.7));
    p.setBrush(lens);
    p.drawEllipse(c, 4.6, 4.6);
    // highlight
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, on ? 210 : 120));
    p.drawEllipse(c + QPointF(-1.5, -1.7), 1.5, 1.1);
    p.end();
    return image;
}

QImage DrawSwitchOn()
{
    QImage image = CellBackground(QColor(0xf6, 0xfb, 0xf7), QColor(0xe6, 0xf3, 0xe9));
    QPainter p(&image);
    Begin(p);
    const double y = CellCentre.y();
    const QColor wire(0x1b, 0x7a, 0x3a);
    const double left = 15.5;
    const double right = 37.5;
    // conductors to both terminals
    p.setPen(QPen(wire, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(5, y), QPointF(left - 2, y));
    p.drawLine(QPointF(right + 2, y), QPointF(48, y));
    // end ticks of the conductors
    p.drawLine(QPointF(5, y - 3), QPointF(5, y + 3));
    p.drawLine(QPointF(48, y - 3), QPointF(48, y + 3));
    // the fixed contact, the blade lying on it, and the hinge of the blade on top
    p.setPen(QPen(wire, 1.3));
    p.setBrush(QColor(0x5c, 0xc8, 0x5a));
    p.drawEllipse(QPointF(right, y), 2.2, 2.2);
    p.setPen(QPen(wire, 2.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(left, y), QPointF(right + 3.0, y - 2.3));
    p.setPen(QPen(wire, 1.3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(left, y), 2.2, 2.2);
    p.end();
    return image;
}

QImage DrawLastColumn()
{
    // A pale blue-grey linen: threads of a whole number of periods across the tile and a
    // fixed pseudo-random grain, so that it repeats without a seam in both directions.
    QImage image = NewImage(CellW, CellH);
    QRandomGenerator random(0x4b57);
    for (int y = 0; y < CellH; ++y)
        for (int x = 0; x < CellW; ++x) {
            const double weft = std::cos(2 * M_PI * 8 * y / CellH);
            const double warp = std::cos(2 * M_PI * 18 * x / CellW);
            const double grain = Noise(random, 2.5);
            const double shade = 3.0 * weft + 2.2 * warp + grain;
            const QColor c = QColor::fromRgbF(float((0xe7 + shade) / 255.0), float((0xee + shade) / 255.0),
                                              float((0xf4 + shade * 0.8) / 255.0));
            image.setPixel(x, y, c.rgb());
        }
    return image;
}

QImage DrawRowSeparator()
{
    // Brushed silver, brighter in the middle of the band, equal at the top and bottom row.
    QImage image = NewImage(CellW, CellH);
    QRandomGenerator random(0x5e9a);
    double rowGrain[CellH];
    for (double& g : rowGrain)
        g = Noise(random, 4.0);
    for (int y = 0; y < CellH; ++y) {
        const double t = 0.5 - 0.5 * std::cos(2 * M_PI * (y + 0.5) / CellH); // 0 at the edges, 1 in the middle
        const double base = 178 + 44 * std::pow(t, 1.4);
        for (int x = 0; x < CellW; ++x) {
            const double v = qBound(0.0, base + rowGrain[y] + Noise(random, 1.5), 255.0);
            image.setPixel(x, y, qRgb(int(v - 2), int(v), int(v + 4)));
        }
    }
    return image;
}

// ---------------------------------------------------------------------------
// Dialog background, 450 x 450

QImage DrawDialogBackground()
{
    return Draw(450, 450, [](QPainter& p) {
        QLinearGradient sky(QPointF(0, 0), QPointF(120, 450));
        sky.setColorAt(0.0, QColor(0xfb, 0xfd, 0xfe));
        sky.setColorAt(0.6, QColor(0xee, 0xf4, 0xf8));
        sky.setColorAt(1.0, QColor(0xe2, 0xec, 0xf3));
        p.fillRect(QRectF(0, 0, 450, 450), sky);

        // faint rings of a drum in the lower right corner
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 5; ++i) {
            const double radius = 150 + i * 42;
            p.setPen(QPen(QColor(0x1c, 0x6e, 0xa4, 12 - i * 2), 16 - i * 2));
            p.drawEllipse(QPointF(470, 480), radius, radius);
        }
        // two soft water lines along the bottom
        for (int i = 0; i < 2; ++i) {
            QPainterPath wave;
            const double y = 410 + i * 18;
            wave.moveTo(0, y);
            wave.cubicTo(110, y - 22, 220, y + 22, 330, y - 4);
            wave.cubicTo(380, y - 14, 420, y - 10, 450, y - 2);
            wave.lineTo(450, 450);
            wave.lineTo(0, 450);
            wave.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x16, 0x9c, 0x96, 10 + i * 6));
            p.drawPath(wave);
        }
    }, Qt::white);
}

// ---------------------------------------------------------------------------
// Format pictures, 100 x 25

enum class Machine { Standard, Inverter, Varnholt };

QColor MachineColour(Machine machine)
{
    switch (machine) {
    case Machine::Standard: return ProductBlue;
    case Machine::Inverter: return ProductTeal;
    case Machine::Varnholt: return Rust;
    }
    return ProductBlue;
}

// The distinguishing symbol of a machine kind, drawn in a circle.
void DrawMachineSymbol(QPainter& p, Machine machine, const QPointF& c, double radius, const QColor& ink)
{
    p.save();
    switch (machine) {
    case Machine::Standard: {
        // a machine door
        p.setPen(QPen(ink, radius * 0.22));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, radius * 0.62, radius * 0.62);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        QPainterPath water;
        water.addEllipse(c, radius * 0.38, radius * 0.38);
        QPainterPath upper;
        upper.addRect(QRectF(c.x() - radius, c.y() - radius, 2 * radius, radius * 1.02));
        p.drawPath(water.subtracted(upper));
        break;
    }
    case Machine::Inverter: {
        // a sine wave
        QPainterPath sine;
        const double a = radius * 0.62;
        const int steps = 48;
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            const QPointF point(c.x() - a + 2 * a * t, c.y() - a * 0.55 * std::sin(2 * M_PI * t));
            if (i == 0)
                sine.moveTo(point);
            else
                sine.lineTo(point);
        }
        p.setPen(QPen(ink, radius * 0.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(sine);
        break;
    }
    case Machine::Varnholt: {
        QPainterPath v;
        const double a = radius * 0.55;
        v.moveTo(c.x() - a, c.y() - a * 0.85);
        v.lineTo(c.x(), c.y() + a * 0.9);
        v.lineTo(c.x() + a, c.y() - a * 0.85);
        p.setPen(QPen(ink, radius * 0.26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
        break;
    }
    }
    p.restore();
}

QImage DrawFormatPicture(Machine machine, const QString& word)
{
    return Draw(100, 25, [&](QPainter& p) {
        const QColor colour = MachineColour(machine);
        const QRectF banner(0.5, 0.5, 99, 24);
        QLinearGradient fill(banner.topLeft(), banner.bottomLeft());
        fill.setColorAt(0.0, colour.lighter(125));
        fill.setColorAt(1.0, colour.darker(115));
        p.setPen(QPen(colour.darker(150), 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(banner, 4, 4);
        // gloss
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 45));
        p.drawRoundedRect(QRectF(1.5, 1.5, 97, 10), 3, 3);
        // symbol in a white disc
        const QPointF c(12.5, 12.5);
        p.setBrush(Qt::white);
        p.setPen(QPen(colour.darker(140), 0.8));
        p.drawEllipse(c, 9, 9);
        DrawMachineSymbol(p, machine, c, 9, colour.darker(110));
        // the word
        p.setFont(Font(13, QFont::Bold));
        p.setPen(QColor(0, 0, 0, 60));
        const QRectF text(25, 0, 73, 25);
        p.drawText(text.translated(0.7, 0.9), Qt::AlignCenter, word);
        p.setPen(Qt::white);
        p.drawText(text, Qt::AlignCenter, word);
    });
}

// ---------------------------------------------------------------------------
// Format-button pictures, 64 x 48

QImage DrawButtonPicture(Machine machine)
{
    return Draw(64, 48, [&](QPainter& p) {
        SoftShadow(p, QPointF(machine == Machine::Standard ? 32 : 27, 45.5), 17, 2.2, 60);
        const QRectF body(machine == Machine::Standard ? 16.5 : 11.5, 2.5, 31, 42);
        DrawWasher(p, body);
        if (machine != Machine::Standard) {
            const QColor colour = MachineColour(machine);
            const QPointF c(50, 33);
            const double radius = 10.5;
            p.setPen(QPen(Qt::white, 1.6));
            QRadialGradient disc(c - QPointF(3, 3), radius * 1.6);
            disc.setColorAt(0.0, colour.lighter(135));
            disc.setColorAt(1.0, colour.darker(120));
            p.setBrush(disc);
            p.drawEllipse(c, radius, radius);
            DrawMachineSymbol(p, machine, c, radius, Qt::white);
        }
    });
}

// ---------------------------------------------------------------------------
// Transfer pictures, 300 x 150

QImage DrawTransfer(bool download)
{
    return Draw(300, 150, [&](QPainter& p) {
        QLinearGradient back(QPointF(0, 0), QPointF(0, 150));
        back.setColorAt(0.0, QColor(0xfb, 0xfd, 0xfe));
        back.setColorAt(0.7, QColor(0xe8, 0xf1, 0xf7));
        back.setColorAt(1.0, QColor(0xd9, 0xe7, 0xf0));
        p.fillRect(QRectF(0, 0, 300, 150), back);
        // floor line
        p.setPen(QPen(QColor(0x1c, 0x6e, 0xa4, 40), 1));
        p.drawLine(QPointF(0, 136.5), QPointF(300, 136.5));

        // serial cable from the computer to the machine's controller
        QPainterPath cable;
        cable.moveTo(112, 128);
        cable.cubicTo(150, 146, 190, 146, 204, 128);
        p.setPen(QPen(QColor(0x3d, 0x47, 0x50), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cable);

        SoftShadow(p, QPointF(66, 135), 58, 5);
        DrawLaptop(p, QRectF(12, 56, 108, 80));
        SoftShadow(p, QPointF(244, 137), 46, 5);
        DrawWasher(p, QRectF(200, 12, 88, 124));

        // arrow with the bits on their way
        const double y = 52;
        const double a = 100;
        const double b = 192;
        DrawArrow(p, download ? a : b, download ? b : a, y, 26,
                  download ? ProductBlueLight : ProductTeal, download ? ProductTeal : ProductBlueLight);
        p.setFont(Font(10, QFont::Bold));
        const QString bits = QStringLiteral("1 0 1 1 0 1");
        const QRectF bitsRect(a, y - 36, b - a, 14);
        p.setPen(QColor(0x1c, 0x6e, 0xa4, 150));
        p.drawText(bitsRect, Qt::AlignCenter, bits);
    });
}

// ---------------------------------------------------------------------------
// Splash and about pictures (JPEG)

QImage DrawProductPicture(int width, int height)
{
    return Draw(width, height, [&](QPainter& p) {
        const double w = width;
        const double h = height;
        QLinearGradient back(QPointF(0, 0), QPointF(w, h));
        back.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
        back.setColorAt(0.55, QColor(0xf0, 0xf6, 0xfa));
        back.setColorAt(1.0, QColor(0xd8, 0xe8, 0xf3));
        p.fillRect(QRectF(0, 0, w, h), back);

        // a light disc behind the machine
        const QPointF spot(w * 0.79, h * 0.47);
        QRadialGradient halo(spot, h * 0.62);
        halo.setColorAt(0.0, QColor(0x3a, 0x93, 0xcf, 70));
        halo.setColorAt(0.7, QColor(0x3a, 0x93, 0xcf, 25));
        halo.setColorAt(1.0, QColor(0x3a, 0x93, 0xcf, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(spot, h * 0.62, h * 0.62);

        // water along the bottom, fading out to the left where the version is written
        for (int i = 0; i < 2; ++i) {
            QPainterPath wave;
            const double y = h * (0.86 + 0.06 * i);
            wave.moveTo(w * 0.3, h);
            wave.lineTo(w * 0.3, y + 6);
            wave.cubicTo(w * 0.5, y - 10, w * 0.7, y + 12, w, y - 8);
            wave.lineTo(w, h);
            wave.closeSubpath();
            QLinearGradient fill(QPointF(w * 0.3, 0), QPointF(w, 0));
            fill.setColorAt(0.0, QColor(0x16, 0x9c, 0x96, 0));
            fill.setColorAt(0.5, QColor(0x16, 0x9c, 0x96, 60 + 40 * i));
            fill.setColorAt(1.0, QColor(0x1c, 0x6e, 0xa4, 110 + 50 * i));
            p.setBrush(fill);
            p.drawPath(wave);
        }

        // the machine
        const QRectF machine(w * 0.665, h * 0.1, w * 0.27, h * 0.76);
        SoftShadow(p, QPointF(machine.center().x(), machine.bottom()), machine.width() * 0.62, 6, 90);
        DrawWasher(p, machine);

        // accent bar and the name
        p.setPen(Qt::NoPen);
        QLinearGradient accent(QPointF(0, 0), QPointF(w * 0.5, 0));
        accent.setColorAt(0.0, ProductBlue);
        accent.setColorAt(1.0, ProductTeal);
        p.setBrush(accent);
        p.drawRect(QRectF(0, 0, w, h * 0.035));

        const double x = w * 0.06;
        // the name, as large as fits left of the machine
        const QString fullName = QStringLiteral("KW3 Win 2");
        QFont name = Font(h * 0.22, QFont::Black, true);
        QFontMetricsF metrics(name);
        while (metrics.boundingRect(fullName).width() > machine.left() - x - w * 0.04 && name.pixelSize() > 8) {
            name.setPixelSize(name.pixelSize() - 1);
            metrics = QFontMetricsF(name);
        }
        p.setFont(name);
        const double baseline = h * 0.44;
        const QString kw3 = QStringLiteral("KW3 Win ");
        p.setPen(ProductNavy);
        p.drawText(QPointF(x, baseline), kw3);
        p.setPen(ProductTeal);
        p.drawText(QPointF(x + metrics.horizontalAdvance(kw3), baseline), QStringLiteral("2"));

        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(x, baseline + h * 0.06, w * 0.5, h * 0.018), 1, 1);

        p.setPen(QColor(0x2f, 0x4a, 0x60));
        p.setFont(Font(h * 0.075, QFont::Bold));
        p.drawText(QPointF(x, baseline + h * 0.17), QStringLiteral("Configuration editor"));
        p.setPen(QColor(0x4f, 0x66, 0x78));
        p.setFont(Font(h * 0.062));
        p.drawText(QPointF(x, baseline + h * 0.26), QStringLiteral("for KW3 washing-machine controllers"));
    }, Qt::white);
}

// ---------------------------------------------------------------------------
// Maker's logo, 805 x 232, sixteen flat colours

QImage DrawOrvexLogo()
{
    const QColor navy(0x00, 0x00, 0x80);
    const QColor teal(0x00, 0x80, 0x80);
    const QColor red(0xc0, 0x00, 0x00);
    const QColor grey(0x80, 0x80, 0x80);

    QImage drawn = Draw(805, 232, [&](QPainter& p) {
        // the mark: a drum seen from the front, with a wave of water
        const QPointF c(128, 116);
        const double radius = 98;
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawEllipse(c, radius, radius);
        p.setBrush(Qt::white);
        p.drawEllipse(c, radius * 0.74, radius * 0.74);
        p.setBrush(teal);
        p.drawEllipse(c, radius * 0.6, radius * 0.6);
        QPainterPath wave;
        const double r = radius * 0.6;
        wave.moveTo(c.x() - r - 2, c.y() + 4);
        wave.cubicTo(c.x() - r * 0.4, c.y() - r * 0.45, c.x() + r * 0.2, c.y() + r * 0.5, c.x() + r + 2, c.y() - r * 0.15);
        wave.lineTo(c.x() + r + 2, c.y() - r - 2);
        wave.lineTo(c.x() - r - 2, c.y() - r - 2);
        wave.closeSubpath();
        p.save();
        p.setClipPath(Circle(c, r));
        p.setBrush(Qt::white);
        p.drawPath(wave);
        p.restore();
        // a red dot: the lamp of the controller
        p.setBrush(red);
        p.drawEllipse(c + QPointF(radius * 0.62, -radius * 0.62), radius * 0.16, radius * 0.16);

        // the word
        QFont font = Font(200, QFont::Black);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        QFontMetricsF metrics(font);
        const QString word = QStringLiteral("ORVEX");
        const double maxWidth = 805 - 262 - 24;
        double size = 200;
        while (metrics.horizontalAdvance(word) > maxWidth && size > 20) {
            size -= 2;
            font.setPixelSize(int(size));
            metrics = QFontMetricsF(font);
        }
        p.setFont(font);
        p.setPen(navy);
        const double capTop = metrics.capHeight();
        const double baseline = 116 + capTop / 2 - 16;
        p.drawText(QPointF(262, baseline), word);
        // red rule and line of the trade under the word
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawRect(QRectF(266, baseline + 18, 120, 10));
        p.setBrush(grey);
        p.drawRect(QRectF(392, baseline + 18, maxWidth - 130, 10));
    }, Qt::white);

    // Reduce to sixteen colours: the five flat colours, black, a light grey and the
    // blends of the edges, so the logo keeps smooth outlines with a small flat palette.
    QVector<QRgb> palette;
    palette << QColor(Qt::white).rgb() << navy.rgb() << teal.rgb() << red.rgb() << grey.rgb() << qRgb(0, 0, 0)
            << qRgb(0xc0, 0xc0, 0xc0);
    for (double t : {0.25, 0.5, 0.75})
        palette << Mix(Qt::white, navy, t).rgb() << Mix(Qt::white, teal, t).rgb();
    palette << Mix(Qt::white, red, 0.5).rgb() << Mix(navy, teal, 0.5).rgb() << Mix(Qt::white, grey, 0.5).rgb();
    return drawn.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, palette,
                                                                       Qt::ThresholdDither | Qt::AvoidDither);
}

// ---------------------------------------------------------------------------
// 16 x 16 icons. Lines are put on half pixels so that one-pixel strokes stay sharp.

QImage Icon(const std::function<void(QPainter&)>& paint)
{
    return Draw(16, 16, paint);
}

QPen Thin(const QColor& colour, double width = 1.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void Page(QPainter& p, const QRectF& r, double fold = 3)
{
    QPolygonF page;
    page << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold) << r.bottomRight()
         << r.bottomLeft();
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(1.0, QColor(0xe2, 0xea, 0xf0));
    p.setPen(Thin(PaperEdge));
    p.setBrush(fill);
    p.drawPolygon(page);
    QPolygonF ear;
    ear << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
        << QPointF(r.right(), r.top() + fold);
    p.setBrush(QColor(0xcf, 0xd9, 0xe1));
    p.drawPolygon(ear);
}

void PageLines(QPainter& p, const QRectF& r, int count, const QColor& colour = QColor(0x9a, 0xac, 0xbc))
{
    p.setPen(Thin(colour));
    for (int i = 0; i < count; ++i) {
        const double y = std::floor(r.top()) + 0.5 + 2 * i;
        p.drawLine(QPointF(r.left(), y), QPointF(i % 2 ? r.right() - 2 : r.right(), y));
    }
}

void Folder(QPainter& p, bool open)
{
    // back of the folder with its tab
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(Thin(QColor(0x9a, 0x6a, 0x0c)));
    p.setBrush(FolderBack);
    p.drawPath(back);
    QLinearGradient front(QPointF(0, 6), QPointF(0, 14));
    front.setColorAt(0.0, QColor(0xfd, 0xe0, 0x86));
    front.setColorAt(1.0, FolderFront);
    p.setBrush(front);
    if (open) {
        // a sheet in the folder and the front flap tilted open
        p.setPen(Thin(PaperEdge));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 4.5, 9, 6));
        QPolygonF flap;
        flap << QPointF(3.5, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5) << QPointF(1.5, 13.5);
        p.setPen(Thin(QColor(0x9a, 0x6a, 0x0c)));
        p.setBrush(front);
        p.drawPolygon(flap);
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
        p.setPen(Thin(QColor(255, 255, 255, 150)));
        p.drawLine(QPointF(2.5, 7.5), QPointF(13.5, 7.5));
    }
}

void Window(QPainter& p, const QRectF& r, const QColor& title = ProductBlue)
{
    p.setPen(Thin(QColor(0x3d, 0x4f, 0x5e)));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    QLinearGradient bar(r.topLeft(), r.topRight());
    bar.setColorAt(0.0, title);
    bar.setColorAt(1.0, title.lighter(140));
    p.setBrush(bar);
    p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 2.5));
}

void Floppy(QPainter& p, const QRectF& r)
{
    QPolygonF body;
    body << r.topLeft() << QPointF(r.right() - 2, r.top()) << QPointF(r.right(), r.top() + 2) << r.bottomRight()
         << r.bottomLeft();
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0.0, ProductBlueLight);
    fill.setColorAt(1.0, ProductBlue.darker(115));
    p.setPen(Thin(ProductNavy));
    p.setBrush(fill);
    p.drawPolygon(body);
    // label
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QRectF label(r.left() + 2, r.top() + 0.5, r.width() - 4.5, r.height() * 0.42);
    p.drawRect(label);
    p.setPen(Thin(QColor(0x9a, 0xac, 0xbc)));
    p.drawLine(QPointF(label.left() + 1, label.top() + 2), QPointF(label.right() - 1, label.top() + 2));
    // shutter
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd5, 0xdd, 0xe4));
    const QRectF shutter(r.left() + r.width() * 0.25, r.bottom() - r.height() * 0.36, r.width() * 0.52,
                         r.height() * 0.36 - 0.5);
    p.drawRect(shutter);
    p.setBrush(ProductNavy);
    p.drawRect(QRectF(shutter.left() + shutter.width() * 0.6, shutter.top() + 1, 1.5, shutter.height() - 2));
}

void SmallWasher(QPainter& p, const QRectF& r)
{
    QLinearGradient steel(r.topLeft(), r.topRight());
    steel.setColorAt(0.0, QColor(0xc5, 0xcf, 0xd7));
    steel.setColorAt(0.5, QColor(0xfa, 0xfc, 0xfd));
    steel.setColorAt(1.0, QColor(0xb4, 0xc0, 0xca));
    p.setPen(Thin(Outline));
    p.setBrush(steel);
    p.drawRoundedRect(r, 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x4f, 0x5e));
    p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, 2));
    p.setBrush(QColor(0x6f, 0xe0, 0x7a));
    p.drawRect(QRectF(r.left() + 1.8, r.top() + 1.5, 2, 1));
    const QPointF c(r.center().x(), r.top() + 3 + (r.height() - 3) / 2);
    const double radius = qMin(r.width(), r.height() - 3) * 0.36;
    p.setPen(Thin(QColor(0x5d, 0x6b, 0x77), 0.9));
    p.setBrush(QColor(0xd4, 0xdb, 0xe1));
    p.drawEllipse(c, radius + 0.8, radius + 0.8);
    DrawDoorGlass(p, c, radius, radius >= 2.5);
}

void SmallArrow(QPainter& p, const QPointF& tail, const QPointF& tip, const QColor& colour, double width = 2.0)
{
    const QLineF line(tail, tip);
    const double angle = std::atan2(tip.y() - tail.y(), tip.x() - tail.x());
    const double head = width * 1.9;
    const QPointF back = tip - QPointF(std::cos(angle), std::sin(angle)) * head;
    const QPointF side(-std::sin(angle) * head * 0.85, std::cos(angle) * head * 0.85);
    p.setPen(QPen(colour.darker(130), width + 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tail, back);
    QPolygonF triangle;
    triangle << tip << back + side << back - side;
    p.setBrush(colour.darker(130));
    p.setPen(QPen(colour.darker(130), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(triangle);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tail, back);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPolygonF inner;
    inner << tip - QPointF(std::cos(angle), std::sin(angle)) * 1.0 << back + side * 0.6 << back - side * 0.6;
    p.drawPolygon(inner);
}

void Disc(QPainter& p, const QPointF& c, double radius, const QColor& colour)
{
    QRadialGradient fill(c - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    fill.setColorAt(0.0, colour.lighter(150));
    fill.setColorAt(0.6, colour);
    fill.setColorAt(1.0, colour.darker(125));
    p.setPen(Thin(colour.darker(150)));
    p.setBrush(fill);
    p.drawEllipse(c, radius, radius);
}

void Cross(QPainter& p, const QPointF& c, double half, const QColor& colour, double width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(half, -half), c + QPointF(-half, half));
}

QImage NodeCycleReference()
{
    // circular arrow: a wash cycle (also used for the category roots and the cycles)
    return Icon([](QPainter& p) {
        const QPointF c(8, 8);
        const QRectF arc(2.5, 2.5, 11, 11);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ProductTealDark, 3.2, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(arc, 120 * 16, 290 * 16);
        p.setPen(QPen(QColor(0x3e, 0xc6, 0xbc), 1.6, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(arc, 121 * 16, 288 * 16);
        // arrow head where the arc ends (it runs counter-clockwise from 120 to 50 degrees)
        const double end = qDegreesToRadians(50.0);
        const QPointF onArc(c.x() + 5.5 * std::cos(end), c.y() - 5.5 * std::sin(end));
        const QPointF ahead(-std::sin(end), -std::cos(end)); // direction of travel on screen
        const QPointF outward(std::cos(end), -std::sin(end));
        QPolygonF head;
        head << onArc + ahead * 3.4 << onArc + outward * 3.0 << onArc - outward * 3.0;
        p.setPen(QPen(ProductTealDark, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0x2a, 0xb3, 0xaa));
        p.drawPolygon(head);
        p.setPen(Qt::NoPen);
        p.setBrush(ProductBlue);
        p.drawEllipse(c, 1.8, 1.8);
    });
}

QImage NodeProgram()
{
    return Icon([](QPainter& p) {
        // a programme sheet: a blue header and numbered steps
        p.setPen(Thin(ProductNavy));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(ProductBlue);
        p.drawRect(QRectF(3, 2, 10, 3));
        for (int i = 0; i < 4; ++i) {
            const double y = 6.5 + 2 * i;
            p.setPen(Qt::NoPen);
            p.setBrush(i == 1 ? GoGreen : ProductTeal);
            p.drawRect(QRectF(4, y - 0.5, 1.5, 1.5));
            p.setPen(Thin(QColor(0x8a, 0x9e, 0xb0)));
            p.drawLine(QPointF(6.5, y + 0.25), QPointF(i % 2 ? 10.5 : 11.5, y + 0.25));
        }
    });
}

QImage NodeCycle()
{
    return Icon([](QPainter& p) {
        // the drum of the machine
        const QPointF c(8, 8);
        QLinearGradient ring(QPointF(1, 1), QPointF(15, 15));
        ring.setColorAt(0.0, Qt::white);
        ring.setColorAt(0.5, QColor(0xa7, 0xb3, 0xbd));
        ring.setColorAt(1.0, QColor(0xe0, 0xe6, 0xeb));
        p.setPen(Thin(Outline));
        p.setBrush(ring);
        p.drawEllipse(c, 6.8, 6.8);
        DrawDoorGlass(p, c, 4.6);
    });
}

QImage NodeCategory()
{
    return Icon([](QPainter& p) { Folder(p, false); });
}

QImage DiagHeading()
{
    return Icon([](QPainter& p) {
        // a flag
        p.setPen(Thin(QColor(0x4d, 0x5b, 0x67), 1.2));
        p.drawLine(QPointF(3.5, 1.5), QPointF(3.5, 14.5));
        QPainterPath flag;
        flag.moveTo(4, 2);
        flag.cubicTo(7, 0.8, 9, 3.6, 13.5, 2.2);
        flag.lineTo(13.5, 8.8);
        flag.cubicTo(9, 10.2, 7, 7.4, 4, 8.6);
        flag.closeSubpath();
        QLinearGradient fill(QPointF(4, 0), QPointF(14, 0));
        fill.setColorAt(0.0, ProductBlue);
        fill.setColorAt(1.0, ProductBlueLight);
        p.setPen(Thin(ProductNavy, 0.8));
        p.setBrush(fill);
        p.drawPath(flag);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4d, 0x5b, 0x67));
        p.drawRect(QRectF(1.5, 14, 5, 1.5));
    });
}

QImage DiagInformation()
{
    return Icon([](QPainter& p) {
        Disc(p, QPointF(8, 8), 6.8, QColor(0x25, 0x7c, 0xc8));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.6), 1.25, 1.25);
        p.drawRoundedRect(QRectF(6.9, 6.6, 2.2, 6.0), 0.6, 0.6);
    });
}

QImage DiagProgress()
{
    return Icon([](QPainter& p) {
        // an hourglass
        const QColor frame(0x6b, 0x4a, 0x1c);
        p.setPen(Qt::NoPen);
        p.setBrush(frame);
        p.drawRoundedRect(QRectF(3, 1, 10, 2), 0.8, 0.8);
        p.drawRoundedRect(QRectF(3, 13, 10, 2), 0.8, 0.8);
        QPainterPath glass;
        glass.moveTo(4.5, 3);
        glass.lineTo(11.5, 3);
        glass.cubicTo(11.5, 6.5, 8.8, 7, 8.8, 8);
        glass.cubicTo(8.8, 9, 11.5, 9.5, 11.5, 13);
        glass.lineTo(4.5, 13);
        glass.cubicTo(4.5, 9.5, 7.2, 9, 7.2, 8);
        glass.cubicTo(7.2, 7, 4.5, 6.5, 4.5, 3);
        glass.closeSubpath();
        p.setPen(Thin(QColor(0x5d, 0x6b, 0x77), 0.8));
        p.setBrush(QColor(0xe8, 0xf3, 0xfa));
        p.drawPath(glass);
        // sand
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf0, 0xa8, 0x30));
        QPainterPath top;
        top.moveTo(5.6, 5.2);
        top.lineTo(10.4, 5.2);
        top.cubicTo(9.8, 6.6, 8.3, 7.2, 8, 8);
        top.cubicTo(7.7, 7.2, 6.2, 6.6, 5.6, 5.2);
        p.drawPath(top);
        QPainterPath bottom;
        bottom.moveTo(5, 12.6);
        bottom.cubicTo(6, 10.4, 7.4, 10, 8, 9.6);
        bottom.cubicTo(8.6, 10, 10, 10.4, 11, 12.6);
        bottom.closeSubpath();
        p.drawPath(bottom);
        p.setPen(Thin(QColor(0xf0, 0xa8, 0x30), 0.7));
        p.drawLine(QPointF(8, 8), QPointF(8, 10));
    });
}

QImage DiagError()
{
    return Icon([](QPainter& p) {
        Disc(p, QPointF(8, 8), 6.8, StopRed);
        Cross(p, QPointF(8, 8), 2.6, Qt::white, 1.9);
    });
}

QImage GlyphOk()
{
    return Icon([](QPainter& p) {
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6.2, 12.3);
        tick.lineTo(13.6, 3.6);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(GoGreenDark, 3.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        p.setPen(QPen(QColor(0x4c, 0xc2, 0x4a), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    });
}

QImage GlyphCancel()
{
    return Icon([](QPainter& p) {
        Cross(p, QPointF(8, 8), 4.6, StopRedDark, 3.8);
        Cross(p, QPointF(8, 8), 4.6, QColor(0xee, 0x4b, 0x3f), 2.2);
    });
}

// Toolbar and menu images

QImage ActionNew()
{
    return Icon([](QPainter& p) {
        Page(p, QRectF(3.5, 1.5, 10, 13), 3.5);
        // a spark: new
        p.setPen(QPen(QColor(0xf0, 0xa8, 0x30), 1.2, Qt::SolidLine, Qt::RoundCap));
        const QPointF s(3.5, 3.5);
        p.drawLine(s + QPointF(-2.5, 0), s + QPointF(2.5, 0));
        p.drawLine(s + QPointF(0, -2.5), s + QPointF(0, 2.5));
        p.setPen(QPen(QColor(0xf6, 0xc8, 0x4c), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(s + QPointF(-1.5, -1.5), s + QPointF(1.5, 1.5));
        p.drawLine(s + QPointF(1.5, -1.5), s + QPointF(-1.5, 1.5));
    });
}

QImage ActionOpen()
{
    return Icon([](QPainter& p) { Folder(p, true); });
}

QImage ActionImport()
{
    return Icon([](QPainter& p) {
        Page(p, QRectF(5.5, 1.5, 9, 13), 3);
        PageLines(p, QRectF(7.5, 6, 5, 8), 4);
        SmallArrow(p, QPointF(0.5, 9), QPointF(10.5, 9), GoGreen, 2.0);
    });
}

QImage ActionSave()
{
    return Icon([](QPainter& p) { Floppy(p, QRectF(1.5, 1.5, 13, 13)); });
}

QImage ActionSaveAs()
{
    return Icon([](QPainter& p) {
        Floppy(p, QRectF(0.5, 0.5, 11, 11));
        // a pencil
        p.save();
        p.translate(11.5, 11.5);
        p.rotate(45);
        p.setPen(Thin(QColor(0x5a, 0x3d, 0x10), 0.8));
        p.setBrush(QColor(0xf6, 0xc8, 0x4c));
        p.drawRect(QRectF(-6.5, -1.6, 8, 3.2));
        p.setBrush(QColor(0xe8, 0x8a, 0x9a));
        p.drawRect(QRectF(-8, -1.6, 1.5, 3.2));
        QPolygonF tip;
        tip << QPointF(1.5, -1.6) << QPointF(4.5, 0) << QPointF(1.5, 1.6);
        p.setBrush(QColor(0xf1, 0xd9, 0xb0));
        p.drawPolygon(tip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x33, 0x33));
        QPolygonF lead;
        lead << QPointF(3.4, -0.6) << QPointF(4.5, 0) << QPointF(3.4, 0.6);
        p.drawPolygon(lead);
        p.restore();
    });
}

QImage ActionPrint()
{
    return Icon([](QPainter& p) {
        // paper in
        p.setPen(Thin(PaperEdge));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 0.5, 7, 6));
        // body
        QLinearGradient body(QPointF(0, 5), QPointF(0, 12));
        body.setColorAt(0.0, QColor(0xe4, 0xe9, 0xed));
        body.setColorAt(1.0, QColor(0x9a, 0xa6, 0xb0));
        p.setPen(Thin(Outline));
        p.setBrush(body);
        p.drawRoundedRect(QRectF(0.5, 5.5, 15, 7), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(GoGreen);
        p.drawRect(QRectF(12, 7, 2, 1.5));
        // paper out with print
        p.setPen(Thin(PaperEdge));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 9.5, 9, 6));
        PageLines(p, QRectF(5, 11, 6, 4), 2, ProductBlue);
    });
}

QImage ActionTransfer(bool download)
{
    return Icon([download](QPainter& p) {
        SmallWasher(p, QRectF(7.5, 2.5, 8, 13));
        if (download)
            SmallArrow(p, QPointF(0, 9), QPointF(7.6, 9), GoGreen, 2.0);
        else
            SmallArrow(p, QPointF(7.6, 9), QPointF(0, 9), ProductBlueLight, 2.0);
    });
}

QImage ActionComSetup()
{
    return Icon([](QPainter& p) {
        // a nine-pin serial plug on its cable
        p.setPen(QPen(QColor(0x3d, 0x4f, 0x5e), 2.4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8, 11), QPointF(8, 16));
        // flange with its two screws
        QLinearGradient metal(QPointF(0, 2), QPointF(0, 12));
        metal.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf8));
        metal.setColorAt(1.0, QColor(0x9a, 0xa6, 0xb0));
        p.setPen(Thin(Outline));
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(0.5, 2.5, 15, 9), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4d, 0x5b, 0x67));
        p.drawEllipse(QPointF(2.3, 7), 1.0, 1.0);
        p.drawEllipse(QPointF(13.7, 7), 1.0, 1.0);
        // the D-shaped face with the pins
        QPolygonF face;
        face << QPointF(4, 4) << QPointF(12, 4) << QPointF(11, 10) << QPointF(5, 10);
        p.setPen(Thin(QColor(0x1b, 0x26, 0x30), 0.8));
        p.setBrush(ProductNavy);
        p.drawPolygon(face);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf6, 0xc8, 0x4c));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(6.0 + 2.0 * i, 5.9), 0.65, 0.65);
        for (int i = 0; i < 2; ++i)
            p.drawEllipse(QPointF(7.0 + 2.0 * i, 8.1), 0.65, 0.65);
    });
}

QImage ActionLanguage()
{
    return Icon([](QPainter& p) {
        const QPointF c(8, 8);
        Disc(p, c, 6.8, QColor(0x2b, 0x86, 0xc9));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 200), 0.9));
        p.drawEllipse(c, 2.8, 6.8);
        p.drawLine(QPointF(8, 1.3), QPointF(8, 14.7));
        p.drawLine(QPointF(1.3, 8), QPointF(14.7, 8));
        p.drawLine(QPointF(2.6, 4.6), QPointF(13.4, 4.6));
        p.drawLine(QPointF(2.6, 11.4), QPointF(13.4, 11.4));
        // land
        p.save();
        p.setClipPath(Circle(c, 6.3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5c, 0xc8, 0x5a, 170));
        p.drawEllipse(QPointF(5, 6), 2.8, 2.2);
        p.drawEllipse(QPointF(11, 11), 2.6, 2.0);
        p.restore();
    });
}

QImage ActionCascade()
{
    return Icon([](QPainter& p) {
        Window(p, QRectF(0.5, 0.5, 10, 8));
        Window(p, QRectF(2.5, 3.5, 10, 8));
        Window(p, QRectF(5.5, 6.5, 10, 9));
    });
}

QImage ActionTile(bool horizontal)
{
    return Icon([horizontal](QPainter& p) {
        if (horizontal) {
            Window(p, QRectF(0.5, 0.5, 15, 7));
            Window(p, QRectF(0.5, 8.5, 15, 7));
        } else {
            Window(p, QRectF(0.5, 0.5, 7, 15));
            Window(p, QRectF(8.5, 0.5, 7, 15));
        }
    });
}

// The configuration window's panes: three columns, the lower panes split off.
QImage ActionSetPanes()
{
    return Icon([](QPainter& p) {
        Window(p, QRectF(0.5, 0.5, 15, 15));
        p.setPen(QPen(QColor(0x33, 0x4d, 0x6e), 1));
        p.drawLine(QPointF(5.5, 4), QPointF(5.5, 15.5));
        p.drawLine(QPointF(10.5, 4), QPointF(10.5, 15.5));
        p.drawLine(QPointF(0.5, 10.5), QPointF(15.5, 10.5));
    });
}

QImage ActionMinimize()
{
    return Icon([](QPainter& p) {
        // the desktop with two minimised windows at its foot
        p.setPen(Thin(QColor(0x9a, 0xac, 0xbc)));
        p.setBrush(QColor(0xee, 0xf4, 0xf8));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        SmallArrow(p, QPointF(8, 1.5), QPointF(8, 9.5), ProductBlueLight, 1.6);
        for (int i = 0; i < 2; ++i) {
            const QRectF bar(1.5 + 7 * i, 11.5, 6, 3);
            p.setPen(Thin(ProductNavy));
            p.setBrush(ProductBlue);
            p.drawRect(bar);
            p.setPen(Thin(Qt::white));
            p.drawLine(QPointF(bar.left() + 1.5, bar.top() + 1.5), QPointF(bar.right() - 2.5, bar.top() + 1.5));
        }
    });
}

QImage ActionArrange()
{
    return Icon([](QPainter& p) {
        // minimised windows lined up
        p.setPen(Thin(QColor(0x9a, 0xac, 0xbc)));
        p.setBrush(QColor(0xee, 0xf4, 0xf8));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col) {
                const QRectF bar(1.5 + 7 * col, 7.5 + 4 * row, 6, 3);
                p.setPen(Thin(ProductNavy));
                p.setBrush(row == 0 && col == 0 ? ProductTeal : ProductBlue);
                p.drawRect(bar);
                p.setPen(Thin(Qt::white));
                p.drawLine(QPointF(bar.left() + 1.5, bar.top() + 1.5), QPointF(bar.right() - 2.5, bar.top() + 1.5));
            }
        p.setPen(QPen(Outline, 1.0, Qt::DotLine));
        p.drawLine(QPointF(2.5, 3.5), QPointF(13.5, 3.5));
    });
}

QImage ActionAbout()
{
    return Icon([](QPainter& p) {
        QLinearGradient fill(QPointF(0, 0), QPointF(0, 16));
        fill.setColorAt(0.0, ProductBlueLight);
        fill.setColorAt(1.0, ProductBlue.darker(115));
        p.setPen(Thin(ProductNavy));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.8), 1.3, 1.3);
        p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 5.6), 0.5, 0.5);
        p.drawRect(QRectF(5.6, 11.4, 4.8, 1.1));
    });
}

QImage ActionExit()
{
    return Icon([](QPainter& p) {
        // door frame and an open door, an arrow going out
        p.setPen(Thin(QColor(0x5a, 0x3d, 0x10)));
        p.setBrush(QColor(0x3d, 0x2a, 0x10));
        p.drawRect(QRectF(1.5, 1.5, 8, 13));
        QPolygonF door;
        door << QPointF(1.5, 1.5) << QPointF(6.5, 3) << QPointF(6.5, 15.5) << QPointF(1.5, 14.5);
        QLinearGradient wood(QPointF(1, 0), QPointF(7, 0));
        wood.setColorAt(0.0, QColor(0xc8, 0x85, 0x3a));
        wood.setColorAt(1.0, QColor(0x9a, 0x5c, 0x1e));
        p.setBrush(wood);
        p.drawPolygon(door);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf6, 0xc8, 0x4c));
        p.drawEllipse(QPointF(5.4, 9), 0.8, 0.8);
        SmallArrow(p, QPointF(8, 8.5), QPointF(15.6, 8.5), StopRed, 1.8);
    });
}

QImage ActionCut()
{
    return Icon([](QPainter& p) {
        // scissors
        p.setPen(QPen(QColor(0x8d, 0x99, 0xa3), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6.2, 9.5), QPointF(11, 1.2));
        p.drawLine(QPointF(9.8, 9.5), QPointF(5, 1.2));
        p.setPen(QPen(Outline, 0.7));
        p.drawLine(QPointF(6.2, 9.5), QPointF(11, 1.2));
        p.drawLine(QPointF(9.8, 9.5), QPointF(5, 1.2));
        p.setPen(Qt::NoPen);
        p.setBrush(Outline);
        p.drawEllipse(QPointF(8, 6.3), 0.8, 0.8);
        p.setPen(QPen(StopRed, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12.2), 2.4, 2.4);
        p.drawEllipse(QPointF(11.5, 12.2), 2.4, 2.4);
    });
}

QImage ActionCopy()
{
    return Icon([](QPainter& p) {
        Page(p, QRectF(1.5, 0.5, 8, 10), 2.5);
        PageLines(p, QRectF(3, 4, 4, 5), 3);
        Page(p, QRectF(6.5, 5.5, 8, 10), 2.5);
        PageLines(p, QRectF(8, 9, 4, 5), 3);
    });
}

QImage ActionPaste()
{
    return Icon([](QPainter& p) {
        QLinearGradient board(QPointF(0, 1), QPointF(0, 15));
        board.setColorAt(0.0, QColor(0xc8, 0x85, 0x3a));
        board.setColorAt(1.0, QColor(0x9a, 0x5c, 0x1e));
        p.setPen(Thin(QColor(0x5a, 0x3d, 0x10)));
        p.setBrush(board);
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 13), 1.2, 1.2);
        p.setBrush(QColor(0xb4, 0xc0, 0xca));
        p.setPen(Thin(Outline));
        p.drawRoundedRect(QRectF(4.5, 1.5, 4, 3), 0.8, 0.8);
        Page(p, QRectF(6.5, 6.5, 8, 9), 2.5);
        PageLines(p, QRectF(8, 10, 4, 5), 3);
    });
}

QImage ActionClose()
{
    return Icon([](QPainter& p) {
        Window(p, QRectF(0.5, 1.5, 13, 11));
        Disc(p, QPointF(11.5, 11.5), 4.2, StopRed);
        Cross(p, QPointF(11.5, 11.5), 1.7, Qt::white, 1.4);
    });
}

void Magnifier(QPainter& p, const QPointF& c, double radius)
{
    p.setPen(QPen(QColor(0x3d, 0x2a, 0x10), 3.0, Qt::SolidLine, Qt::RoundCap));
    const QPointF handleStart = c + QPointF(radius * 0.75, radius * 0.75);
    p.drawLine(handleStart, handleStart + QPointF(radius * 0.85, radius * 0.85));
    QRadialGradient glass(c - QPointF(radius * 0.4, radius * 0.4), radius * 1.4);
    glass.setColorAt(0.0, Qt::white);
    glass.setColorAt(1.0, QColor(0xa8, 0xd4, 0xf0));
    p.setPen(QPen(QColor(0x4d, 0x5b, 0x67), 1.4));
    p.setBrush(glass);
    p.drawEllipse(c, radius, radius);
}

QImage ActionSearch()
{
    return Icon([](QPainter& p) { Magnifier(p, QPointF(6.5, 6.5), 4.6); });
}

QImage ActionReplace()
{
    return Icon([](QPainter& p) {
        // a letter, an arrow and the letter that replaces it
        p.setFont(Font(9, QFont::Bold));
        p.setPen(QColor(0x8a, 0x9e, 0xb0));
        p.drawText(QRectF(0, 0, 8, 8), Qt::AlignCenter, QStringLiteral("A"));
        p.setPen(ProductBlue);
        p.drawText(QRectF(8, 7.5, 8, 8.5), Qt::AlignCenter, QStringLiteral("B"));
        QPainterPath bend;
        bend.moveTo(8, 3.5);
        bend.cubicTo(12, 3.5, 12.5, 4.5, 12.5, 6.5);
        p.setPen(QPen(ProductTealDark, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bend);
        QPolygonF head;
        head << QPointF(10.5, 6.2) << QPointF(14.5, 6.2) << QPointF(12.5, 8.6);
        p.setPen(Qt::NoPen);
        p.setBrush(ProductTealDark);
        p.drawPolygon(head);
    });
}

// ---------------------------------------------------------------------------
// The application icon

void PaintApplicationIcon(QPainter& p, int size)
{
    const double s = size;
    const double line = qMax(1.0, s / 32.0);
    const QRectF tile(line / 2, line / 2, s - line, s - line);
    const double corner = s * 0.2;
    QLinearGradient fill(QPointF(0, 0), QPointF(0, s));
    fill.setColorAt(0.0, ProductBlueLight);
    fill.setColorAt(0.55, ProductBlue);
    fill.setColorAt(1.0, ProductNavy);
    p.setPen(QPen(ProductNavy, line));
    p.setBrush(fill);
    p.drawRoundedRect(tile, corner, corner);
    if (size >= 32) {
        // gloss
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.05, s * 0.88, s * 0.42), corner * 0.8, corner * 0.8);
    }

    // the door of the machine, white ring, glass and water
    const QPointF c(s * 0.5, size >= 32 ? s * 0.56 : s * 0.5);
    const double radius = size >= 32 ? s * 0.31 : s * 0.36;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(c + QPointF(0, s * 0.02), radius, radius);
    QLinearGradient ring(c - QPointF(radius, radius), c + QPointF(radius, radius));
    ring.setColorAt(0.0, Qt::white);
    ring.setColorAt(1.0, QColor(0xc9, 0xd2, 0xd9));
    p.setBrush(ring);
    p.drawEllipse(c, radius, radius);
    DrawDoorGlass(p, c, radius * 0.72);

    if (size >= 32) {
        // the controller's lamp and, where it can be read, the product name
        p.setBrush(QColor(0x8c, 0xf0, 0x6a));
        p.drawEllipse(QPointF(s * 0.82, s * 0.17), s * 0.045, s * 0.045);
    }
    if (size >= 48) {
        p.setFont(Font(s * 0.17, QFont::Black, true));
        p.setPen(Qt::white);
        DrawLabel(p, QRectF(s * 0.12, s * 0.06, s * 0.6, s * 0.2), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("KW3"));
    }
}

QImage DrawApplicationIcon(int size)
{
    return Draw(size, size, [size](QPainter& p) { PaintApplicationIcon(p, size); });
}

// Glosser's icon: a language sheet with a speech bubble, in the product's blue.
void PaintGlosserIcon(QPainter& p, int size)
{
    const double s = size;
    const double line = qMax(1.0, s / 32.0);
    const QRectF sheet(s * 0.14, s * 0.06, s * 0.6, s * 0.8);
    p.setPen(QPen(ProductNavy, line));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, s * 0.05, s * 0.05);
    p.setPen(QPen(QColor(0x9a, 0xac, 0xbc), qMax(1.0, s / 24.0)));
    for (int i = 0; i < 5; ++i) {
        const double y = sheet.top() + s * (0.16 + 0.12 * i);
        p.drawLine(QPointF(sheet.left() + s * 0.08, y), QPointF(sheet.right() - s * 0.08, y));
    }
    // the bubble with the letters
    QLinearGradient fill(QPointF(0, s * 0.4), QPointF(0, s));
    fill.setColorAt(0.0, ProductBlueLight);
    fill.setColorAt(1.0, ProductNavy);
    const QRectF bubble(s * 0.38, s * 0.42, s * 0.58, s * 0.42);
    QPainterPath path;
    path.addRoundedRect(bubble, s * 0.12, s * 0.12);
    QPolygonF tail;
    tail << QPointF(s * 0.5, bubble.bottom() - line) << QPointF(s * 0.44, s * 0.98)
         << QPointF(s * 0.66, bubble.bottom() - line);
    path.addPolygon(tail);
    path.setFillRule(Qt::WindingFill);
    p.setPen(QPen(ProductNavy, line));
    p.setBrush(fill);
    p.drawPath(path.simplified());
    if (size >= 24) {
        p.setFont(Font(s * 0.24, QFont::Bold, false));
        p.setPen(Qt::white);
        DrawLabel(p, bubble, Qt::AlignCenter, QStringLiteral("Ab"));
    }
}

QImage DrawGlosserIcon(int size)
{
    return Draw(size, size, [size](QPainter& p) { PaintGlosserIcon(p, size); });
}

// A scalable icon: the painting of the largest size, with all its details.
void SaveSvgIcon(const QString& path, const QString& title, void (*paint)(QPainter&, int))
{
    constexpr int size = 256;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Drawn by Kw3Win's draw_pictures"));
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    QPainter p(&svg);
    Begin(p);
    paint(p, size);
    p.end();
    // Qt gives the size in millimetres at 72 dpi; an icon's natural size is in pixels.
    QByteArray text = buffer.data();
    const qsizetype start = text.indexOf("<svg width=");
    const qsizetype end = text.indexOf("viewBox=", start);
    if (start >= 0 && end > start)
        text.replace(start, end - start, "<svg width=\"" + QByteArray::number(size) + "\" height=\"" +
                                             QByteArray::number(size) + "\"\n ");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        ++g_Failures;
    }
}

// The desktop's icons of both programs, one folder per size as the icon theme has them.
void SaveDesktopIcons(const QString& folder)
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString sized = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        QDir().mkpath(sized);
        const QString previous = g_Folder;
        g_Folder = sized;
        Save(DrawApplicationIcon(size), QStringLiteral("kw3win.png"));
        Save(DrawGlosserIcon(size), QStringLiteral("glosser.png"));
        g_Folder = previous;
    }
    const QString scalable = folder + QStringLiteral("/scalable/apps");
    QDir().mkpath(scalable);
    SaveSvgIcon(scalable + QStringLiteral("/kw3win.svg"), QStringLiteral("Kw3Win"), PaintApplicationIcon);
    SaveSvgIcon(scalable + QStringLiteral("/glosser.svg"), QStringLiteral("Glosser"), PaintGlosserIcon);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_pictures <output folder> [<desktop icons folder>]\n");
        return 2;
    }
    g_Folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(g_Folder)) {
        std::fprintf(stderr, "draw_pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    if (!QImageWriter::supportedImageFormats().contains("jpg")) {
        std::fprintf(stderr, "draw_pictures: Qt has no JPEG writer here; the splash and about pictures need it\n");
        return 1;
    }

    // step grid cells
    Save(DrawLed(true), QStringLiteral("led_on.png"));
    Save(DrawLed(false), QStringLiteral("led_off.png"));
    Save(DrawSwitchOn(), QStringLiteral("switch_on.png"));
    Save(DrawLastColumn(), QStringLiteral("last_column.png"));
    Save(DrawRowSeparator(), QStringLiteral("row_separator.png"));

    Save(DrawDialogBackground(), QStringLiteral("dialog_background.png"));

    Save(DrawFormatPicture(Machine::Standard, QStringLiteral("Standard")), QStringLiteral("format_standard.png"));
    Save(DrawFormatPicture(Machine::Inverter, QStringLiteral("Inverter")), QStringLiteral("format_inverter.png"));
    Save(DrawFormatPicture(Machine::Varnholt, QStringLiteral("Varnholt")), QStringLiteral("format_varnholt.png"));

    Save(DrawButtonPicture(Machine::Standard), QStringLiteral("button_standard.png"));
    Save(DrawButtonPicture(Machine::Inverter), QStringLiteral("button_inverter.png"));
    Save(DrawButtonPicture(Machine::Varnholt), QStringLiteral("button_varnholt.png"));

    Save(DrawTransfer(true), QStringLiteral("transfer_download.png"));
    Save(DrawTransfer(false), QStringLiteral("transfer_upload.png"));

    Save(DrawProductPicture(402, 206), QStringLiteral("splash.jpg"), "JPG", 90);
    Save(DrawProductPicture(400, 204), QStringLiteral("about.jpg"), "JPG", 90);

    Save(DrawOrvexLogo(), QStringLiteral("orvex.png"));

    Save(NodeCycleReference(), QStringLiteral("node_cycle_reference.png"));
    Save(NodeProgram(), QStringLiteral("node_program.png"));
    Save(NodeCycle(), QStringLiteral("node_cycle.png"));
    Save(NodeCategory(), QStringLiteral("node_category.png"));

    Save(DiagHeading(), QStringLiteral("diag_heading.png"));
    Save(DiagInformation(), QStringLiteral("diag_information.png"));
    Save(DiagProgress(), QStringLiteral("diag_progress.png"));
    Save(DiagError(), QStringLiteral("diag_error.png"));

    Save(GlyphOk(), QStringLiteral("glyph_ok.png"));
    Save(GlyphCancel(), QStringLiteral("glyph_cancel.png"));

    Save(ActionNew(), QStringLiteral("action_new.png"));
    Save(ActionOpen(), QStringLiteral("action_open.png"));
    Save(ActionImport(), QStringLiteral("action_import.png"));
    Save(ActionSave(), QStringLiteral("action_save.png"));
    Save(ActionSaveAs(), QStringLiteral("action_saveas.png"));
    Save(ActionPrint(), QStringLiteral("action_print.png"));
    Save(ActionTransfer(true), QStringLiteral("action_download.png"));
    Save(ActionTransfer(false), QStringLiteral("action_upload.png"));
    Save(ActionComSetup(), QStringLiteral("action_comsetup.png"));
    Save(ActionLanguage(), QStringLiteral("action_language.png"));
    Save(ActionCascade(), QStringLiteral("action_cascade.png"));
    Save(ActionTile(true), QStringLiteral("action_tile_h.png"));
    Save(ActionTile(false), QStringLiteral("action_tile_v.png"));
    Save(ActionSetPanes(), QStringLiteral("action_setpanes.png"));
    Save(ActionMinimize(), QStringLiteral("action_minimize.png"));
    Save(ActionArrange(), QStringLiteral("action_arrange.png"));
    Save(ActionAbout(), QStringLiteral("action_about.png"));
    Save(ActionExit(), QStringLiteral("action_exit.png"));
    Save(ActionCut(), QStringLiteral("action_cut.png"));
    Save(ActionCopy(), QStringLiteral("action_copy.png"));
    Save(ActionPaste(), QStringLiteral("action_paste.png"));
    Save(ActionClose(), QStringLiteral("action_close.png"));
    Save(ActionSearch(), QStringLiteral("action_search.png"));
    Save(ActionReplace(), QStringLiteral("action_replace.png"));

    Save(DrawApplicationIcon(64), QStringLiteral("application.png"));
    Save(DrawApplicationIcon(32), QStringLiteral("application_32.png"));
    Save(DrawApplicationIcon(16), QStringLiteral("application_16.png"));
    if (argc > 2)
        SaveDesktopIcons(QString::fromLocal8Bit(argv[2]));

    return g_Failures == 0 ? 0 : 1;
}
