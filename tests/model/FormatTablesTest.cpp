// Each format against its layout tables: step rows, step-record bits and fields
// in both directions, new images, step checks and the service block.
#include "desktop/Updown.h"
#include "model/Cyclecontent.h"
#include "model/Steprow.h"
#include "support/Formatfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <map>
#include <tuple>

namespace {

struct S_Bit
{
    int m_Caption;
    int m_Byte;
    int m_Bit;
};

// The captions of the rows kept in whole bytes; 0 where the format has no such row.
struct S_FieldCaptions
{
    int m_Level, m_Temperature, m_Time, m_TimeLimit, m_SecondLevel, m_SecondTemperature, m_Motor, m_Speed;
};

struct S_CheckCase
{
    const char* m_What;
    std::vector<std::pair<int, int>> m_Bytes;
    int m_Message; // 0: the step passes
};

struct S_ServiceCase
{
    const char* m_Control;
    int m_Offset;
    std::vector<int> m_Image;
    int m_Shown;
    int m_Entered;
    std::vector<int> m_Stored; // empty: the entry is not written back
};

struct S_FormatCase
{
    S_TestLayout m_Layout;
    // S/s separator (not-used 0/255), O output, B lamp, L level, C temperature, R speed, T time, M motor.
    const char* m_Rows16;
    int m_Output17Row;
    std::vector<S_Bit> m_Bits;
    S_FieldCaptions m_Fields;
    std::vector<int> m_UnusedSpeed;
    std::map<int, int> m_NewImage; // with 24 outputs; every other byte 255
    std::vector<S_CheckCase> m_Checks;
    std::vector<S_ServiceCase> m_Service;
};

const std::vector<std::pair<int, int>> Time5s{{10, 0}, {11, 5}};

std::vector<std::pair<int, int>> With(std::vector<std::pair<int, int>> bytes, std::vector<std::pair<int, int>> more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

const S_FormatCase Standard{
    StandardLayout,
    "S168 O198 O199 O200 O201 O202 O203 O204 O205 O206 O207 O208 S217 B218 B219 B220 S221 L222 C223 T224 T225 S226 "
    "L19 C17 s137 M141",
    12,
    {{198, 3, 0x01},
     {199, 3, 0x02},
     {200, 3, 0x04},
     {220, 3, 0x08},
     {201, 3, 0x10},
     {202, 3, 0x20},
     {203, 3, 0x40},
     {204, 3, 0x80},
     {205, 4, 0x01},
     {206, 4, 0x04},
     {207, 4, 0x08},
     {208, 4, 0x10},
     {218, 4, 0x40},
     {219, 4, 0x80}},
    {222, 223, 224, 225, 19, 17, 141, 0},
    {},
    {{7485, 3}, {7496, 0}, {7497, 0},  {7498, 0},    {7499, 0},   {7500, 0xE8}, {7501, 0x03},
     {7502, 0}, {7503, 0}, {7504, 1},  {7505, 0x63}, {7507, 100}, {7508, 10},   {7509, 24},
     {7510, 1}, {7511, 1}, {7512, 40}, {7515, 0},    {7516, 0},   {7517, 0},    {7518, 2}},
    {
        {"outputs only", {{3, 0x01}}, 188},
        {"level without time limit", {{15, 50}}, 190},
        {"temperature without time limit", {{14, 40}}, 190},
        {"level with time limit 0:10", {{15, 50}, {12, 0}, {13, 10}}, 0},
        {"time without time limit", Time5s, 0},
        {"motor mode not in the motor table", With(Time5s, {{6, 2}}), 189},
        {"motor mode 0", With(Time5s, {{6, 0}}), 189},
        {"motor mode in the motor table", With(Time5s, {{6, 3}}), 0},
        {"end condition comes first", {{6, 2}}, 188},
        {"motor mode before time limit", {{15, 50}, {6, 2}}, 189},
    },
    {
        {"hysteresis", 7485, {5}, 5, 7, {7}},
        {"totalWashes", 7496, {0x34, 0x12}, 4660, 99, {}},
        {"partialWashes", 7498, {1, 0}, 1, 99, {}},
        {"maintenance", 7500, {0xE8, 0x03}, 1000, 1234, {0xD2, 0x04}},
        {"workingHours", 7502, {2, 1}, 258, 99, {}},
        {"language", 7504, {3}, 3, 4, {4}},
        {"temperatureUnit", 7505, {0x66}, 1, 0, {0x63}},
        {"maximumLevel", 7507, {90}, 90, 80, {80}},
        {"minimumLevel", 7508, {20}, 20, 15, {15}},
        {"advanceEnable", 7510, {0}, 0, 1, {1}},
        {"machineEnable", 7511, {7}, 1, 0, {0}},
        {"slowingDownTime", 7512, {100}, 100, 150, {150}},
        {"spinLevel", 7518, {30}, 30, 40, {40}},
    },
};

const std::vector<S_Bit> InverterBits{{198, 3, 0x01}, {199, 3, 0x02}, {200, 3, 0x04}, {220, 3, 0x08}, {201, 3, 0x10},
                                      {202, 3, 0x20}, {203, 3, 0x40}, {204, 3, 0x80}, {205, 4, 0x01}, {233, 4, 0x02},
                                      {230, 4, 0x04}, {231, 4, 0x08}, {232, 4, 0x10}, {218, 4, 0x40}, {219, 4, 0x80}};

const S_FormatCase Inverter{
    InverterLayout,
    "S168 O198 O199 O200 O201 O202 O203 O204 O205 O230 O231 O232 O233 S217 B218 B219 B220 S221 L222 C223 T224 T225 "
    "S226 L19 C17 s137 M141 R234",
    13,
    InverterBits,
    {222, 223, 224, 225, 19, 17, 141, 234},
    {255, 255},
    {{7385, 3},  {7396, 0}, {7397, 0},    {7398, 0},   {7399, 0},  {7400, 0xE8}, {7401, 0x03}, {7402, 0},
     {7403, 0},  {7404, 1}, {7405, 0x63}, {7407, 100}, {7408, 10}, {7409, 24},   {7410, 1},    {7411, 1},
     {7412, 40}, {7413, 3}, {7414, 231},  {7417, 0},   {7418, 0},  {7419, 0},    {7420, 2}},
    {
        {"outputs only", {{3, 0x01}}, 188},
        {"level without time limit", {{15, 50}}, 0},
        {"motor mode without speed", With(Time5s, {{6, 3}}), 194},
        {"motor mode with speed 800", With(Time5s, {{6, 3}, {16, 3}, {17, 32}}), 0},
        {"speed 800 without motor mode", With(Time5s, {{16, 3}, {17, 32}}), 195},
        {"speed 511 without motor mode", With(Time5s, {{16, 1}, {17, 255}}), 195},
        {"undefined motor mode with speed", With(Time5s, {{6, 2}, {16, 3}, {17, 32}}), 189},
        {"missing speed before undefined motor mode", With(Time5s, {{6, 2}}), 194},
    },
    {
        {"hysteresis", 7385, {5}, 5, 7, {7}},
        {"totalWashes", 7396, {0x34, 0x12}, 4660, 99, {}},
        {"maintenance", 7400, {0xE8, 0x03}, 1000, 1234, {0xD2, 0x04}},
        {"workingHours", 7402, {2, 1}, 258, 99, {}},
        {"language", 7404, {3}, 3, 4, {4}},
        {"temperatureUnit", 7405, {0x66}, 1, 0, {0x63}},
        {"maximumLevel", 7407, {90}, 90, 80, {80}},
        {"minimumLevel", 7408, {20}, 20, 15, {15}},
        {"advanceEnable", 7410, {0}, 0, 1, {1}},
        {"slowingDownTime", 7412, {100}, 100, 150, {150}},
        {"maximumSpeed", 7413, {3, 32}, 800, 999, {3, 231}},
        {"spinLevel", 7420, {30}, 30, 40, {40}},
    },
};

const S_FormatCase Varnholt{
    VarnholtLayout,
    "S237 O238 O239 O240 O241 O242 O243 O244 O245 O246 O247 O248 O249 S250 B251 B252 B253 S254 L255 C256 T257 T225 "
    "S258 L259 C260 s261 M262 R263",
    13,
    {{238, 3, 0x01},
     {239, 3, 0x02},
     {240, 3, 0x04},
     {253, 3, 0x08},
     {241, 3, 0x10},
     {242, 3, 0x20},
     {243, 3, 0x40},
     {244, 3, 0x80},
     {245, 4, 0x01},
     {249, 4, 0x02},
     {246, 4, 0x04},
     {247, 4, 0x08},
     {248, 4, 0x10},
     {251, 4, 0x40},
     {252, 4, 0x80}},
    {255, 256, 257, 225, 259, 260, 262, 263},
    {0, 255},
    {{7396, 0},  {7397, 0},    {7398, 0},   {7399, 0}, {7400, 0},  {7401, 0}, {7402, 0}, {7403, 0},
     {7404, 0},  {7405, 0x63}, {7407, 100}, {7408, 5}, {7409, 24}, {7410, 1}, {7411, 1}, {7412, 40},
     {7413, 40}, {7414, 3},    {7415, 231}, {7418, 0}, {7419, 0},  {7420, 0}, {7421, 2}},
    {
        {"outputs only", {{3, 0x01}}, 188},
        {"level without time limit", {{15, 50}}, 0},
        {"speed without motor mode", With(Time5s, {{16, 3}, {17, 32}}), 0},
        {"motor mode without speed", With(Time5s, {{6, 3}}), 0},
        {"motor mode not in the motor table", With(Time5s, {{6, 2}}), 189},
    },
    {
        {"hysteresis", 7385, {5}, 5, 7, {7}},
        {"partialWashes", 7398, {1, 0}, 1, 99, {}},
        {"maintenance", 7400, {0x10, 0x00}, 16, 20, {}},
        {"language", 7404, {3}, 3, 4, {4}},
        {"temperatureUnit", 7405, {0x66}, 1, 0, {0x63}},
        {"minimumLevel", 7408, {20}, 20, 15, {15}},
        {"machineEnable", 7411, {7}, 1, 0, {0}},
        {"slowingDownTime", 7412, {100}, 100, 150, {150}},
        {"maximumSpeed", 7414, {3, 32}, 800, 999, {3, 231}},
        {"spinLevel", 7421, {30}, 30, 40, {40}},
    },
};

void PrintTo(const S_FormatCase& format, std::ostream* out)
{
    *out << format.m_Layout.m_Name;
}

class FormatTablesTest : public FormatFixture, public ::testing::WithParamInterface<S_FormatCase>
{
protected:
    const S_TestLayout& Layout() const { return GetParam().m_Layout; }

    // An image that saves: program 1 runs cycle 1 of category 1; motor mode 3 has a time.
    ImageBuilder Base(int outputs = 16) const
    {
        ImageBuilder image(Layout(), outputs);
        image.Program(0, 1, {{1, 1}}).Motor(2, 3, 10, 0, 0);
        return image;
    }

    struct S_Control
    {
        QLineEdit* m_Box;
        C_UpDown* m_UpDown;
        QComboBox* m_ComboBox;
        QCheckBox* m_CheckBox;
    };

    S_Control Control(const std::string& name) const
    {
        const C_ConfigurationPanes& p = *m_Panes;
        const std::map<std::string, S_Control> controls{
            {"hysteresis",
             {nullptr, p.ServiceControls(ServiceParameter::TemperatureHysteresis).m_UpDown, nullptr, nullptr}},
            {"totalWashes", {p.ServiceControls(ServiceParameter::TotalWashes).m_Box, nullptr, nullptr, nullptr}},
            {"partialWashes", {p.ServiceControls(ServiceParameter::PartialWashes).m_Box, nullptr, nullptr, nullptr}},
            {"workingHours", {p.ServiceControls(ServiceParameter::WorkingHours).m_Box, nullptr, nullptr, nullptr}},
            {"maintenance",
             {nullptr, p.ServiceControls(ServiceParameter::MaintenanceRequest).m_UpDown, nullptr, nullptr}},
            {"language", {nullptr, nullptr, p.ServiceControls(ServiceParameter::Language).m_List, nullptr}},
            {"temperatureUnit",
             {nullptr, nullptr, p.ServiceControls(ServiceParameter::TemperatureUnit).m_List, nullptr}},
            {"maximumLevel", {nullptr, p.ServiceControls(ServiceParameter::MaximumLevel).m_UpDown, nullptr, nullptr}},
            {"minimumLevel", {nullptr, p.ServiceControls(ServiceParameter::MinimumLevel).m_UpDown, nullptr, nullptr}},
            {"advanceEnable",
             {nullptr, nullptr, nullptr, p.ServiceControls(ServiceParameter::AdvanceEnable).m_CheckBox}},
            {"machineEnable",
             {nullptr, nullptr, nullptr, p.ServiceControls(ServiceParameter::MachineEnable).m_CheckBox}},
            {"slowingDownTime",
             {nullptr, p.ServiceControls(ServiceParameter::SlowingDownTime).m_UpDown, nullptr, nullptr}},
            {"maximumSpeed", {nullptr, p.ServiceControls(ServiceParameter::MaximumSpeed).m_UpDown, nullptr, nullptr}},
            {"spinLevel", {nullptr, p.ServiceControls(ServiceParameter::SpinLevel).m_UpDown, nullptr, nullptr}},
        };
        return controls.at(name);
    }

    int Shown(const std::string& name) const
    {
        const S_Control c = Control(name);
        if (c.m_Box)
            return c.m_Box->text().toInt();
        if (c.m_UpDown)
            return c.m_UpDown->Position();
        if (c.m_ComboBox)
            return c.m_ComboBox->currentIndex();
        return c.m_CheckBox->isChecked() ? 1 : 0;
    }

    void Enter(const std::string& name, int value) const
    {
        const S_Control c = Control(name);
        if (c.m_Box)
            c.m_Box->setText(QString::number(value));
        else if (c.m_UpDown)
            c.m_UpDown->SetPosition(value);
        else if (c.m_ComboBox)
            c.m_ComboBox->setCurrentIndex(value);
        else
            c.m_CheckBox->setChecked(value != 0);
    }
};

QString RowToken(const C_StepRow& row)
{
    const QString id = row.m_Caption.mid(1, row.m_Caption.size() - 2);
    if (row.m_Class == RowClass::Separator)
        return (row.m_DisabledValue == 255 ? QStringLiteral("s") : QStringLiteral("S")) + id;
    if (row.m_Class == RowClass::Out)
        return (row.m_DisabledValue == 0 ? QStringLiteral("O") : QStringLiteral("?")) + id;
    if (row.m_Class == RowClass::Boolean)
        return (row.m_DisabledValue == 0 ? QStringLiteral("B") : QStringLiteral("?")) + id;
    if (row.m_Class == RowClass::Time)
        return (row.m_DisabledValue == 15555 ? QStringLiteral("T") : QStringLiteral("?")) + id;
    if (row.m_Class == RowClass::Motor)
        return (row.m_DisabledValue == 255 ? QStringLiteral("M") : QStringLiteral("?")) + id;
    if (row.m_Class == RowClass::Number) {
        const auto range = std::make_tuple(row.m_Unit, row.m_MinValue, row.m_MaxValue);
        if (row.m_DisabledValue != 255)
            return QStringLiteral("?") + id;
        if (range == std::make_tuple(QStringLiteral("cm"), 0, 100))
            return QStringLiteral("L") + id;
        if (range == std::make_tuple(QStringLiteral("\u00B0C"), 2, 93))
            return QStringLiteral("C") + id;
        if (range == std::make_tuple(QStringLiteral("rpm"), 0, 999))
            return QStringLiteral("R") + id;
    }
    return QStringLiteral("?") + id;
}

} // namespace

TEST_P(FormatTablesTest, StepRowsFor16And24Outputs)
{
    QStringList expected16 = QString::fromLatin1(GetParam().m_Rows16).split(QLatin1Char(' '));
    QStringList expected24 = expected16;
    for (int i = 7; i >= 0; --i)
        expected24.insert(GetParam().m_Output17Row, QStringLiteral("O%1").arg(209 + i));
    for (const auto& [outputs, expected] : {std::make_pair(16, expected16), std::make_pair(24, expected24)}) {
        Load(ImageBuilder(Layout(), outputs));
        QStringList rows;
        for (const auto& row : m_Format->Rows())
            rows << RowToken(row);
        EXPECT_EQ(rows, expected) << outputs;
        EXPECT_EQ(m_Format->GetOutputs(), outputs);
    }
}

TEST_P(FormatTablesTest, StepRecordBitsBothWays)
{
    for (const int outputs : {16, 24}) {
        std::vector<S_Bit> bits = GetParam().m_Bits;
        for (int i = 0; i < 8; ++i)
            bits.push_back({209 + i, 5, 1 << i});
        ImageBuilder image = Base(outputs);
        for (size_t k = 0; k < bits.size(); ++k)
            image.Step(int(k), 1, 1, int(k) + 1, With(Time5s, {{bits[k].m_Byte, bits[k].m_Bit}}));
        Load(image);
        for (size_t k = 0; k < bits.size(); ++k) {
            const bool shown = bits[k].m_Byte != 5 || outputs == 24;
            for (const S_Bit& row : bits) {
                if (row.m_Byte == 5 && outputs == 16)
                    continue;
                EXPECT_EQ(StepOf(1, 1, int(k))[size_t(Row(row.m_Caption))], &row == &bits[k] ? row.m_Bit : 0)
                    << outputs << " outputs, step " << k << ", row " << row.m_Caption;
            }
            // Any value but 0 switches the bit on.
            if (shown)
                EditSteps(1, 1)[k][size_t(Row(bits[k].m_Caption))] = 1;
        }
        const ImageBuilder saved = Saved(Layout());
        for (size_t k = 0; k < bits.size(); ++k) {
            const int at = saved.RecordOffset(int(k));
            const bool shown = bits[k].m_Byte != 5 || outputs == 24;
            for (const int byte : {3, 4, 5}) {
                const int bit = shown && bits[k].m_Byte == byte ? bits[k].m_Bit : 0;
                EXPECT_EQ(saved.At(at + byte), bit | (byte == 4 ? 0x20 : 0))
                    << outputs << " outputs, step " << k << ", byte " << byte;
            }
        }
    }
}

TEST_P(FormatTablesTest, StepRecordFieldsBothWays)
{
    const S_FieldCaptions& f = GetParam().m_Fields;
    const bool speed = f.m_Speed != 0;
    ImageBuilder image = Base();
    image.Step(0, 1, 1, 1,
               {{15, 50}, {14, 40}, {10, 2}, {11, 5}, {12, 0}, {13, 10}, {8, 20}, {7, 30}, {6, 3}, {9, 0x5A}});
    if (speed)
        image.Set(16, {3, 231});
    image.Step(1, 1, 1, 2, Time5s);
    Load(image);

    const std::pair<int, int> set[] = {{f.m_Level, 50},     {f.m_Temperature, 40}, {f.m_Time, 125},
                                       {f.m_TimeLimit, 10}, {f.m_SecondLevel, 20}, {f.m_SecondTemperature, 30},
                                       {f.m_Motor, 3},      {f.m_Speed, 999}};
    const std::pair<int, int> unused[] = {{f.m_Level, 255},       {f.m_Temperature, 255}, {f.m_Time, 5},
                                          {f.m_TimeLimit, 15555}, {f.m_SecondLevel, 255}, {f.m_SecondTemperature, 255},
                                          {f.m_Motor, 255},       {f.m_Speed, 255}};
    for (const auto& [caption, value] : set) {
        if (caption == 0)
            continue;
        EXPECT_EQ(StepOf(1, 1, 0)[size_t(Row(caption))], value) << caption;
    }
    for (const auto& [caption, value] : unused) {
        if (caption == 0)
            continue;
        EXPECT_EQ(StepOf(1, 1, 1)[size_t(Row(caption))], value) << caption;
    }

    ImageBuilder saved = Saved(Layout());
    const std::map<int, int> record0{{15, 50}, {14, 40}, {10, 2}, {11, 5}, {12, 0},
                                     {13, 10}, {8, 20},  {7, 30}, {6, 3},  {9, 0x5A}};
    for (const auto& [byte, value] : record0)
        EXPECT_EQ(saved.At(byte), value) << "record 0 byte " << byte;
    for (const int byte : {15, 14, 12, 13, 8, 7, 6})
        EXPECT_EQ(saved.At(saved.RecordOffset(1) + byte), 255) << "record 1 byte " << byte;
    if (speed) {
        EXPECT_EQ(saved.At(16), 3);
        EXPECT_EQ(saved.At(17), 231);
        EXPECT_EQ(saved.At(saved.RecordOffset(1) + 16), GetParam().m_UnusedSpeed[0]);
        EXPECT_EQ(saved.At(saved.RecordOffset(1) + 17), GetParam().m_UnusedSpeed[1]);
        // The not-used speed reads back as not used.
        Load(saved);
        EXPECT_EQ(StepOf(1, 1, 1)[size_t(Row(f.m_Speed))], 255);
    }
}

TEST_P(FormatTablesTest, NewImageHoldsTheDefaults)
{
    const C_EEPROMFormat& format = Create(Layout(), 24);
    ASSERT_EQ(int(format.Image().size()), Layout().m_Size);
    int wrong = 0;
    for (int i = 0; i < Layout().m_Size; ++i) {
        const auto found = GetParam().m_NewImage.find(i);
        const int expected = found != GetParam().m_NewImage.end() ? found->second : 255;
        if (format.Image()[size_t(i)] != expected && ++wrong < 10)
            ADD_FAILURE() << "byte " << i << " is " << int(format.Image()[size_t(i)]) << ", not " << expected;
    }
    EXPECT_EQ(m_Panes->m_StepCountEdit->text(), QString::number(Layout().m_Records));
    EXPECT_EQ(m_Panes->m_NumberOfOutputsEdit->text(), QStringLiteral("24"));
    EXPECT_EQ(format.FormatCode(), Layout().m_Code);
}

TEST_P(FormatTablesTest, StepChecksInTheirOrder)
{
    for (const S_CheckCase& check : GetParam().m_Checks) {
        ImageBuilder image = Base();
        image.Step(0, 1, 1, 1, {});
        for (const auto& [byte, value] : check.m_Bytes)
            image.Image()[size_t(byte)] = std::uint8_t(value);
        Load(image);
        const QByteArray file = Save();
        if (check.m_Message == 0) {
            EXPECT_EQ(file.size(), Layout().m_Size + 2) << check.m_What;
            EXPECT_TRUE(Errors().isEmpty()) << check.m_What << ": " << Errors().join(QLatin1Char('|')).toStdString();
        } else {
            EXPECT_TRUE(file.isEmpty()) << check.m_What;
            EXPECT_EQ(Errors(), QStringList{QStringLiteral("<187> 1<%1>").arg(check.m_Message)}) << check.m_What;
        }
    }
}

TEST_P(FormatTablesTest, ServiceBlockShownAndStored)
{
    ImageBuilder image = Base();
    image.Step(0, 1, 1, 1, Time5s);
    for (const S_ServiceCase& c : GetParam().m_Service)
        for (size_t i = 0; i < c.m_Image.size(); ++i)
            image.Image()[size_t(c.m_Offset) + i] = std::uint8_t(c.m_Image[i]);
    Load(image);
    for (const S_ServiceCase& c : GetParam().m_Service) {
        EXPECT_EQ(Shown(c.m_Control), c.m_Shown) << c.m_Control;
        Enter(c.m_Control, c.m_Entered);
    }
    // What the panel holds reaches the configuration as a window reads it.
    m_Panes->ReadService(*m_Format, m_Value);
    const ImageBuilder saved = Saved(Layout());
    for (const S_ServiceCase& c : GetParam().m_Service) {
        const std::vector<int>& expected = c.m_Stored.empty() ? c.m_Image : c.m_Stored;
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(saved.At(c.m_Offset + int(i)), expected[i]) << c.m_Control << " byte " << i;
    }
}

std::string FormatName(const ::testing::TestParamInfo<S_FormatCase>& format)
{
    return format.param.m_Layout.m_Name;
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTablesTest, ::testing::Values(Standard, Inverter, Varnholt), FormatName);
