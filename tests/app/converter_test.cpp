#include "app/converter/fm_conv.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/common/validates.h"
#include "app/converter/unit_tables.h"
#include "engine/engine_host.h"
#include "engine/engine_state.h"

namespace {

// The calculator's digit count as the converter reads it.
class TDigitsHost : public TEngineHost {
 public:
  int Digits() const override { return FDigits; }
  int FDigits = 18;
};

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
    SetEngineHost(&Host);
    Conv = std::make_unique<TfmConv>();
  }
  void TearDown() override {
    Conv.reset();
    SetEngineHost(nullptr);
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
  }
  // The field of a unit, by its name in the current category.
  QLineEdit* Field(const QString& Unit) {
    for (int t = 1; t <= TfmConv::MaxFields; ++t)
      if (Conv->Labels[size_t(t)]->text() == Unit &&
          Conv->Edits[size_t(t)]->isVisibleTo(Conv.get()))
        return Conv->Edits[size_t(t)];
    ADD_FAILURE() << "no field " << Unit.toStdString();
    static QLineEdit None;
    return &None;
  }
  double Value(const QString& Unit) { return Field(Unit)->text().toDouble(); }
  bool Red(const QString& Unit) {
    return Field(Unit)->palette().color(QPalette::Base) == Validates::OutOfRangeColor;
  }

  TDigitsHost Host;
  std::unique_ptr<TfmConv> Conv;
};

}  // namespace

TEST_F(ConverterTest, StartsOnLengthWithEmptyFields) {
  EXPECT_EQ(Conv->windowTitle(), "Units Convertor");
  EXPECT_EQ(Conv->Category, 1);
  EXPECT_EQ(Conv->lbUnit->text(), "Length: ");
  for (int t = 1; t <= 20; ++t) EXPECT_TRUE(Conv->Edits[size_t(t)]->text().isEmpty());
  EXPECT_EQ(Conv->Labels[1]->text(), QString::fromUtf8("A°"));
  EXPECT_TRUE(Conv->UnitItems[1]->isChecked());
}

TEST_F(ConverterTest, LengthFromKilometres) {
  Field("KM")->setText("1");
  EXPECT_DOUBLE_EQ(Value("Meter"), 1000);
  EXPECT_NEAR(Value("Mile"), 0.6213711922, 1e-10);
  EXPECT_NEAR(Value("Nautical Mile"), 0.539594075, 1e-9);
  EXPECT_DOUBLE_EQ(Value("KM"), 1);  // the typed field is left alone
  // Negative lengths convert; the typed text is not red.
  Field("Meter")->setText("-300");
  EXPECT_DOUBLE_EQ(Value("CM"), -30000);
  EXPECT_FALSE(Red("Meter"));
}

TEST_F(ConverterTest, TemperatureScales) {
  Conv->UnitsClick(UnitTables::catTemperature);
  EXPECT_EQ(Conv->lbUnit->text(), "Temperature: ");
  EXPECT_FALSE(Conv->Edits[6]->isVisibleTo(Conv.get()));
  Field("Celsius")->setText("100");
  EXPECT_DOUBLE_EQ(Value("Farhenheit"), 212);
  EXPECT_DOUBLE_EQ(Value("Kelvin"), 373.15);
  EXPECT_DOUBLE_EQ(Value("Rankine"), 671.67);
  EXPECT_DOUBLE_EQ(Value(QString::fromUtf8("Réaumur")), 80);

  Field("Kelvin")->setText("0");
  EXPECT_DOUBLE_EQ(Value("Celsius"), -273.15);
  EXPECT_DOUBLE_EQ(Value("Rankine"), 0);
  EXPECT_NEAR(Value("Farhenheit"), -459.67, 1e-9);
  Field("Farhenheit")->setText("32");
  EXPECT_NEAR(Value("Celsius"), 0, 1e-12);
  Field("Rankine")->setText("491.67");
  EXPECT_NEAR(Value("Kelvin"), 273.15, 1e-9);
  Field(QString::fromUtf8("Réaumur"))->setText("-80");
  EXPECT_DOUBLE_EQ(Value("Celsius"), -100);

  // Below absolute zero: red, and the other fields no longer show what an earlier text gave.
  Field("Celsius")->setText("-300");
  EXPECT_TRUE(Red("Celsius"));
  EXPECT_TRUE(Field("Kelvin")->text().isEmpty());
}

// A text past the range, whether the number is one the field could hold or not, is red and
// converts nothing; the other fields are emptied rather than left with an earlier text's values.
TEST_F(ConverterTest, TextPastTheRangeLeavesNoEarlierResult) {
  auto Others = [this](const QLineEdit* Typed) {
    QStringList Texts;
    for (int t = 1; t <= UnitTables::UnitCount(Conv->Category); ++t)
      if (Conv->Edits[size_t(t)] != Typed) Texts << Conv->Edits[size_t(t)]->text();
    return Texts.join(QString()).trimmed();
  };
  QLineEdit* Meter = Field("Meter");
  QTest::keyClicks(Meter, "1e500");
  EXPECT_FALSE(Red("Meter"));
  EXPECT_EQ(Field("KM")->text(), "1.0E+497");
  QTest::keyClick(Meter, Qt::Key_0);
  EXPECT_TRUE(Red("Meter"));
  EXPECT_EQ(Others(Meter), "");
  // Every category alike, at both ends of what its numbers hold.
  for (int Tag : UnitTables::MenuOrder()) {
    Conv->UnitsClick(Tag);
    QLineEdit* First = Conv->Edits[1];
    for (const char* Text : {"1e-5000", "1e5000"}) {
      SCOPED_TRACE(std::to_string(Tag) + Text);
      First->clear();
      QTest::keyClicks(First, QString::fromLatin1(Text).chopped(1));
      EXPECT_NE(Others(First), "");
      QTest::keyClicks(First, "0");
      EXPECT_TRUE(Red(Conv->Labels[1]->text()));
      EXPECT_EQ(Others(First), "");
    }
  }
}

TEST_F(ConverterTest, EveryCategoryUsesItsFactors) {
  struct TCase {
    int Category;
    const char* From;
    const char* To;
    double Expected;
  };
  const TCase Cases[] = {
      {UnitTables::catVolume, "Gallon", "Liter", 3.785411784},
      {UnitTables::catArea, "Hectare", "Meter\xC2\xB2", 10000},
      {UnitTables::catTime, "Day", "Hour", 24},
      {UnitTables::catMass, "Pound", "Kilogram", 0.45359237},
      {UnitTables::catForce, "Kilogram force", "Newton", 9.80665},
      {UnitTables::catAcceleration, "g", "m/sec\xC2\xB2", 9.80665},
      {UnitTables::catEnergy, "Kilowatt*hour", "Joul(newton*m)", 3600000},
      {UnitTables::catLength, "Mile", "Foot", 5280},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.From);
    Conv->UnitsClick(C.Category);
    EXPECT_EQ(Conv->Category, C.Category);
    for (int t = 1; t <= 20; ++t) {
      EXPECT_TRUE(Conv->Edits[size_t(t)]->text().isEmpty());
      EXPECT_EQ(Conv->Edits[size_t(t)]->isVisibleTo(Conv.get()),
                t <= UnitTables::UnitCount(C.Category));
    }
    Field(QString::fromUtf8(C.From))->setText("1");
    EXPECT_NEAR(Value(QString::fromUtf8(C.To)), C.Expected, C.Expected * 1e-9);
    // Every other field follows the factor table.
    const int From = Field(QString::fromUtf8(C.From))->property("Tag").toInt();
    for (int t = 1; t <= UnitTables::UnitCount(C.Category); ++t)
      if (t != From) {
        const double F = double(UnitTables::Factor(C.Category, From, t));
        EXPECT_NEAR(Conv->Edits[size_t(t)]->text().toDouble(), F, std::abs(F) * 1e-9) << t;
      }
  }
  // Negative quantities convert nothing outside length.
  Conv->UnitsClick(UnitTables::catMass);
  Field("Gram")->setText("-5");
  EXPECT_TRUE(Red("Gram"));
  EXPECT_TRUE(Field("Kilogram")->text().isEmpty());
}

TEST_F(ConverterTest, DecimalWhateverTheCalculatorShows) {
  SelectRadix(1);
  EngineSettings.DisplayMode = 3;  // h:m:s
  EngineState.ErrFlag = false;
  Field("KM")->setText("1.5");
  EXPECT_DOUBLE_EQ(Value("Meter"), 1500);
  EXPECT_NEAR(Value("Mile"), 0.9320567883, 1e-10);
  EXPECT_EQ(EngineSettings.Radix, 1);
  EXPECT_EQ(EngineSettings.DisplayMode, 3);
  EXPECT_FALSE(EngineState.ErrFlag);
  // A letter is refused where it is typed.
  Field("KM")->setCursorPosition(1);
  Field("KM")->insert("q");
  EXPECT_EQ(Field("KM")->text(), "1.5");
}

// Whatever category is put up, the window holds every label and field whole, none over another:
// a category with longer unit names widens the window that a shorter one sized.
TEST_F(ConverterTest, EveryCategoryFitsTheWindow) {
  Conv->show();
  for (int Tag : UnitTables::MenuOrder()) {
    Conv->UnitsClick(Tag);
    QCoreApplication::processEvents();
    const QRect Inside = Conv->rect();
    std::vector<QRect> Taken;
    for (int t = 1; t <= TfmConv::MaxFields; ++t)
      for (QWidget* W : {static_cast<QWidget*>(Conv->Labels[size_t(t)]),
                         static_cast<QWidget*>(Conv->Edits[size_t(t)])}) {
        if (!W->isVisible()) continue;
        const QRect R = W == Conv->Labels[size_t(t)]
                            ? QRect(W->geometry().topLeft(), W->sizeHint().expandedTo(W->size()))
                            : W->geometry();
        EXPECT_TRUE(Inside.contains(R)) << Tag << " " << t;
        for (const QRect& Other : Taken) EXPECT_FALSE(Other.intersects(R)) << Tag << " " << t;
        Taken.push_back(R);
      }
  }
}
