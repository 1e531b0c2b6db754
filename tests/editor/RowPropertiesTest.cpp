#include "editor/Rowproperties.h"
#include "desktop/Updown.h"
#include "editor/Cellimages.h"
#include "editor/Configurationpanes.h"
#include "editor/Editnumber.h"
#include "editor/Edittime.h"
#include "editor/Selectmotor.h"
#include "language/Language.h"
#include "print/Celltext.h"
#include "print/Printcells.h"
#include "support/ModalDriver.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempFolder.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor Marker(255, 0, 255);
const QColor Yellow(255, 255, 0);
const QColor Gray(128, 128, 128);
const QSize CellSize(53, 16);
constexpr int LegendColumn = 3;

class RowPropertiesTest : public ::testing::Test
{
protected:
    RowPropertiesTest() { m_Grid.setColumnCount(LegendColumn + 1); }

    QImage Render(C_RowProperty& row, int column, const std::int32_t* value, bool highlighted = false)
    {
        QImage image(CellSize, QImage::Format_RGB32);
        image.fill(Marker);
        QPainter canvas(&image);
        canvas.setPen(Qt::black);
        row.DrawCell(canvas, m_Grid, column, 1, QRect({0, 0}, CellSize), value, highlighted);
        return image;
    }

    static QImage RenderText(const QString& text, bool centred)
    {
        QImage image(CellSize, QImage::Format_RGB32);
        image.fill(Marker);
        QPainter canvas(&image);
        canvas.setPen(Qt::black);
        if (centred)
            DrawTextCentred(canvas, QRect({0, 0}, CellSize), text);
        else
            canvas.drawText(0, QFontMetrics(canvas.font()).ascent(), text);
        return image;
    }

    QColor WindowColour() const { return m_Grid.palette().color(QPalette::Base); }

    const C_LanguageManager m_Language{SourceFile(QStringLiteral("resources/English.lng"))};
    C_ConfigurationPanes m_Panes;
    QTableWidget m_Grid;
    C_RowBoolean m_Lamp{m_Panes, QStringLiteral("Lamp"), 0};
    C_RowOut m_Output{m_Panes, QStringLiteral("Output 1"), 0};
    C_RowNumber m_Level{m_Panes, QStringLiteral("Level"), 255, QStringLiteral("cm"), 2, 93};
    C_RowNumber m_Speed{m_Panes, QStringLiteral("Speed"), 255, QStringLiteral("rpm"), 0, 999};
    C_RowTime m_Time{m_Panes, QStringLiteral("Time"), 15555};
    C_RowMotor m_Motor{m_Panes, QStringLiteral("Motor mode"), 255};
    C_RowSeparator m_Separator{m_Panes, QStringLiteral("Outputs"), 0};
};

// The colour the image shows at the point: the picture's own when it has loaded, else untouched.
QColor PictureOr(const QImage& picture, int x, int y)
{
    return picture.isNull() ? Marker : QColor(picture.pixel(x, y));
}

} // namespace

TEST_F(RowPropertiesTest, CaptionsAddTheUnitOrTheTimeSuffix)
{
    EXPECT_EQ(m_Level.m_Row.GetCaption(), QStringLiteral("Level [cm]"));
    EXPECT_EQ(m_Time.m_Row.GetCaption(), QStringLiteral("Time") + m_Language.GetString(172));
    const C_RowProperty* plain[] = {&m_Lamp, &m_Output, &m_Motor, &m_Separator};
    for (const C_RowProperty* row : plain)
        EXPECT_EQ(row->m_Row.GetCaption(), row->m_Row.m_Caption);
}

TEST_F(RowPropertiesTest, EnablingAndDisablingFollowEachKindOfField)
{
    struct Case
    {
        C_RowProperty* row;
        std::int32_t before;
        bool enable;
        std::int32_t after;
    };
    const Case cases[] = {
        {&m_Lamp, 0, true, 0},     {&m_Lamp, 1, false, 1},    {&m_Output, 0, true, 1},     {&m_Output, 7, true, 1},
        {&m_Output, 1, false, 0},  {&m_Level, 255, true, 2},  {&m_Level, 50, true, 50},    {&m_Level, 50, false, 255},
        {&m_Time, 15555, true, 0}, {&m_Time, 90, true, 90},   {&m_Time, 90, false, 15555}, {&m_Motor, 255, true, 1},
        {&m_Motor, 4, true, 4},    {&m_Motor, 4, false, 255}, {&m_Separator, 5, true, 5},  {&m_Separator, 5, false, 5},
    };
    for (const Case& c : cases) {
        std::int32_t value = c.before;
        c.row->m_Row.SetEnabled(&value, c.enable);
        EXPECT_EQ(value, c.after) << c.row->m_Row.m_Caption.toStdString() << " " << c.before << " " << c.enable;
    }
}

TEST_F(RowPropertiesTest, LampsAndOutputsToggleAndSeparatorsIgnoreEditing)
{
    for (C_RowBoolean* row : {&m_Lamp, static_cast<C_RowBoolean*>(&m_Output)}) {
        std::int32_t value = 7;
        row->Edit(&value);
        EXPECT_EQ(value, 0);
        row->Edit(&value);
        EXPECT_EQ(value, 1);
    }
    std::int32_t value = 9;
    m_Separator.Edit(&value);
    EXPECT_EQ(value, 9);
}

TEST_F(RowPropertiesTest, EditingAFieldNotUsedTakesItIntoUseEvenWhenCancelled)
{
    std::int32_t level = 255;
    WhenShown<TFormEditNumber>([](TFormEditNumber& dialog) {
        EXPECT_EQ(dialog.m_EditField->text(), QStringLiteral("2"));
        dialog.m_CancelButton->click();
    });
    m_Level.Edit(&level);
    EXPECT_EQ(level, 2);

    std::int32_t time = 15555;
    WhenShown<TFormEditTime>([](TFormEditTime& dialog) { dialog.m_ButtonCancel->click(); });
    m_Time.Edit(&time);
    EXPECT_EQ(time, 0);

    std::int32_t mode = 255;
    WhenShown<TSelectMotorForm>([](TSelectMotorForm& dialog) {
        EXPECT_EQ(dialog.m_MotorModes->checkedId(), 0);
        dialog.m_CancelButton->click();
    });
    m_Motor.Edit(&mode);
    EXPECT_EQ(mode, 1);
}

TEST_F(RowPropertiesTest, EditingOpensTheRowsDialogOverTheWindowAndStoresItsResult)
{
    std::int32_t level = 50;
    WhenShown<TFormEditNumber>([this](TFormEditNumber& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &m_Panes);
        EXPECT_EQ(dialog.windowTitle(), m_Language.GetString(170) + QStringLiteral(" Level"));
        EXPECT_EQ(dialog.m_LabelMaxValue->text(), QStringLiteral("93"));
        TypeInto(dialog.m_EditField, QStringLiteral("70"));
        dialog.m_OKButton->click();
    });
    m_Level.Edit(&level);
    EXPECT_EQ(level, 70);

    std::int32_t time = 125;
    WhenShown<TFormEditTime>([this](TFormEditTime& dialog) {
        EXPECT_EQ(dialog.windowTitle(), m_Language.GetString(170) + QStringLiteral(" Time"));
        EXPECT_EQ(dialog.m_EditMinute->text(), QStringLiteral("2"));
        dialog.m_UpDownMinutes->StepUp();
        dialog.m_ButtonOK->click();
    });
    m_Time.Edit(&time);
    EXPECT_EQ(time, 185);

    m_Panes.SetMotorCell(4, 1, 30);
    std::int32_t mode = 2;
    WhenShown<TSelectMotorForm>([](TSelectMotorForm& dialog) {
        EXPECT_TRUE(dialog.m_MotorModes->button(3)->text().endsWith(QStringLiteral(" 4 : 30 - __ - __")));
        dialog.m_MotorModes->button(3)->click();
        dialog.m_OKButton->click();
    });
    m_Motor.Edit(&mode);
    EXPECT_EQ(mode, 4);
}

TEST_F(RowPropertiesTest, ANumberRangeHoldingTheDisabledValueTurnsTheFieldOff)
{
    std::int32_t speed = 100;
    WhenShown<TFormEditNumber>([](TFormEditNumber& dialog) {
        TypeInto(dialog.m_EditField, QStringLiteral("255"));
        dialog.m_OKButton->click();
    });
    m_Speed.Edit(&speed);
    EXPECT_EQ(speed, 255);
    EXPECT_EQ(Render(m_Speed, 1, &speed).pixelColor(26, 8), WindowColour());
}

TEST_F(RowPropertiesTest, FieldsNotUsedAreEmptyFramedCellsYellowInTheFocusedRowOrColumn)
{
    const std::int32_t off255 = 255;
    const std::int32_t off15555 = 15555;
    const std::int32_t off0 = 0;
    struct Case
    {
        C_RowProperty* row;
        const std::int32_t* value;
    };
    const Case cases[] = {{&m_Level, &off255},
                          {&m_Time, &off15555},
                          {&m_Motor, &off255},
                          {&m_Output, &off0},
                          {&m_Level, nullptr}};
    for (const Case& c : cases) {
        for (const bool highlighted : {true, false}) {
            const QImage cell = Render(*c.row, 1, c.value, highlighted);
            const std::string label = c.row->m_Row.m_Caption.toStdString() + (highlighted ? " highlighted" : "");
            EXPECT_EQ(cell.pixelColor(26, 8), highlighted ? Yellow : WindowColour()) << label;
            EXPECT_EQ(cell.pixelColor(0, 0), Gray) << label;
            EXPECT_EQ(cell.pixelColor(52, 15), Gray) << label;
        }
    }
    // An off lamp shows the dark lamp inside the gray frame, highlighted or not.
    const QImage lamp = Render(m_Lamp, 1, &off0, true);
    EXPECT_EQ(lamp.pixelColor(0, 0), Gray);
    EXPECT_EQ(lamp.pixelColor(20, 8), PictureOr(C_CellImages::Shared().m_LedOff, 20, 8));
}

TEST_F(RowPropertiesTest, PictureCellsShowTheSharedPicturesFromTheCellCorner)
{
    const C_CellImages& images = C_CellImages::Shared();
    const std::int32_t on = 7;
    struct Case
    {
        C_RowProperty* row;
        int column;
        const QImage& picture;
    };
    const Case cases[] = {
        {&m_Lamp, 1, images.m_LedOn},
        {&m_Lamp, LegendColumn, images.m_LastColumn},
        {&m_Output, 2, images.m_SwitchOn},
        {&m_Output, LegendColumn, images.m_LastColumn},
        {&m_Separator, 1, images.m_RowSeparator},
        {&m_Separator, LegendColumn, images.m_LastColumn},
    };
    for (const Case& c : cases) {
        const QImage cell = Render(*c.row, c.column, &on);
        for (const QPoint point : {QPoint(0, 0), QPoint(26, 8), QPoint(52, 15)})
            EXPECT_EQ(cell.pixelColor(point), PictureOr(c.picture, point.x(), point.y()))
                << c.row->m_Row.m_Caption.toStdString() << " column " << c.column;
    }
}

TEST_F(RowPropertiesTest, ValuesCaptionsAndLegendsAreDrawnAsText)
{
    const std::int32_t values[] = {42, 125, 0, 3600, 3, 0};
    const QString motor = m_Language.GetString(141);
    struct Case
    {
        C_RowProperty* row;
        int column;
        const std::int32_t* value;
        QString text;
        bool centred;
    };
    const Case cases[] = {
        {&m_Level, 1, &values[0], QStringLiteral("42"), true},
        {&m_Time, 1, &values[1], QStringLiteral("2:05"), true},
        {&m_Time, 1, &values[2], QStringLiteral("0:00"), true},
        {&m_Time, 2, &values[3], QStringLiteral("60:00"), true},
        {&m_Motor, 1, &values[4], motor + QStringLiteral(" 3"), false},
        {&m_Level, LegendColumn, &values[5], QStringLiteral("[cm]"), false},
        {&m_Time, LegendColumn, &values[5], m_Language.GetString(171), false},
        {&m_Motor, LegendColumn, &values[5], QString(), false},
        {&m_Level, 0, nullptr, QStringLiteral("   Level"), false},
        {&m_Lamp, 0, &values[5], QStringLiteral("   Lamp"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render(*c.row, c.column, c.value), RenderText(c.text, c.centred))
            << c.row->m_Row.m_Caption.toStdString() << " column " << c.column << " " << c.text.toStdString();

    // A separator's caption is bold and starts after one blank.
    const QImage separator = Render(m_Separator, 0, nullptr);
    EXPECT_NE(separator, RenderText(QStringLiteral("   Outputs"), false));
    EXPECT_NE(separator, RenderText(QStringLiteral(" Outputs"), false));
    EXPECT_NE(separator, RenderText(QString(), false));
}

TEST_F(RowPropertiesTest, PrintedCellsShowOnInGreenBlankOutputsAndSilverSeparators)
{
    const auto print = [](const C_RowProperty& row, std::int32_t value, QBrush* brushAfter = nullptr) {
        QImage image(120, 40, QImage::Format_RGB32);
        image.fill(Marker);
        QPainter canvas(&image);
        QFont font = canvas.font();
        font.setPixelSize(30);
        font.setBold(true);
        canvas.setFont(font);
        canvas.setBrush(QBrush(Qt::red, Qt::Dense3Pattern));
        PrintStepCell(canvas, image.rect(), row.m_Row, value);
        if (brushAfter != nullptr)
            *brushAfter = canvas.brush();
        return image;
    };
    const auto count = [](const QImage& image, const QColor& colour) {
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels += image.pixelColor(x, y) == colour ? 1 : 0;
        return pixels;
    };
    const QColor green(0, 128, 0);
    const QColor black(0, 0, 0);
    EXPECT_GT(count(print(m_Lamp, 1), green), 20);
    EXPECT_GT(count(print(m_Output, 1), green), 20);
    EXPECT_GT(count(print(m_Level, 42), black), 20);
    EXPECT_GT(count(print(m_Time, 125), black), 20);
    EXPECT_GT(count(print(m_Motor, 3), black), 20);

    // Fields not used print nothing; an output that is off prints a blank framed cell.
    const QImage untouched = print(m_Lamp, 0);
    EXPECT_EQ(count(untouched, Marker), 120 * 40);
    EXPECT_EQ(print(m_Level, 255), untouched);
    EXPECT_EQ(print(m_Time, 15555), untouched);
    EXPECT_EQ(print(m_Motor, 255), untouched);
    const QImage blank = print(m_Output, 0);
    EXPECT_EQ(blank.pixelColor(60, 20), QColor(Qt::white));
    EXPECT_EQ(blank.pixelColor(0, 0), Gray);

    QBrush brushAfter;
    const QImage band = print(m_Separator, 0, &brushAfter);
    EXPECT_EQ(count(band, QColor(192, 192, 192)), 120 * 40);
    EXPECT_EQ(brushAfter.style(), Qt::Dense3Pattern);
    EXPECT_EQ(brushAfter.color(), QColor(Qt::red));
}
