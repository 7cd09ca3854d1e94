#include "plot/core/graph_layer.h"

#include <QAction>
#include <QMenu>
#include <cmath>
#include <map>

#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_text_file.h"
#include "plot/core/graph_types.h"

double TGraphSeries::PointY(int) const { return MissingValue; }

TLayerHandle::TLayerHandle(const TLayer* Layer) {
  if (Layer) *this = Layer->Handle();
}

TLayer* TLayerHandle::Get() const {
  std::shared_ptr<TLayer* const> T = FToken.lock();
  return T ? *T : nullptr;
}

TLayer::TLayer(TGraph* AGraph) : Graph(AGraph) {}

TLayerHandle TLayer::Handle() const {
  if (!FToken) FToken = std::make_shared<TLayer* const>(const_cast<TLayer*>(this));
  TLayerHandle H;
  H.FToken = FToken;
  return H;
}

TLayer::~TLayer() {
  if (Graph) Graph->ForgetLayer(this);
}

QMenu* TLayer::PopupMenu() {
  if (!FPopupMenu) BuildPopupMenu();
  return FPopupMenu.get();
}

void TLayer::SetPopupMenu(std::unique_ptr<QMenu> Menu) { FPopupMenu = std::move(Menu); }

void TLayer::BuildPopupMenu() {
  FPopupMenu = std::make_unique<QMenu>();
  QAction* Erase = FPopupMenu->addAction(QStringLiteral("&Delete"));
  Erase->setObjectName(QStringLiteral("miErase"));
  QObject::connect(Erase, &QAction::triggered, [this] { EraseClick(); });
  QAction* Properties = FPopupMenu->addAction(QStringLiteral("&Properties"));
  Properties->setObjectName(QStringLiteral("miProperties"));
  QObject::connect(Properties, &QAction::triggered, [this] { PropertiesClick(); });
}

void TLayer::GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) {
  XMin = YMin = 1e38;
  XMax = YMax = -1e38;
}

void TLayer::MouseMove(int, int, int) { HitIndex = -1; }
void TLayer::ClearHit(int, int, int) { HitIndex = -1; }
void TLayer::MouseDown(int, int, int, int) { HitIndex = -1; }
void TLayer::MouseUp(int, int, int, int) { HitIndex = -1; }

void TLayer::SetChanged(bool Value) {
  Changed = Value;
  if (Value && Graph) Graph->SetChanged(true);
}

void TLayer::SetDefaultLevels(double Min, double Max) {
  // In long double: the width of values near the largest double overflows a double.
  const long double Step = (static_cast<long double>(Max) - Min) / 7;
  for (int I = 1; I <= 8; ++I) {
    Levels[I] = Saturated(Max - (I - 1) * Step);
    LevelColors[I] = 254 - 35 * (I - 1);
    LevelFlags[I] = false;
  }
  Levels[8] = Min;
  LevelFlags[1] = LevelFlags[8] = true;
  ZMax = Max;
  ZMin = Min;
}

void TLayer::ColorRamp(double V) { FRampColor = PaletteColor(*this, PaletteIndex(*this, V)); }

// --- The file block -----------------------------------------------------------------------------

// The loader has read the opening class-name line. A descendant writes one more class-name line
// before the base block and checks it with ReadClosingLine before LoadBase.
void TLayer::Load(TGraphTextReader& F) { LoadBase(F); }

void TLayer::Save(TGraphTextWriter& F) const { SaveBase(F); }

void TLayer::LoadBase(TGraphTextReader& F) {
  QString Line = F.ReadLine();
  QStringList Fields = Line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (Fields.size() < 6) F.Fail(QStringLiteral("Missing number"));
  int C, V, Tag, T, S;
  double Value;
  if (!ParseGraphFileInt(Fields[0], C) || !ParseGraphFileInt(Fields[1], V) ||
      !ParseGraphFileInt(Fields[2], Tag) || !ParseGraphFileInt(Fields[3], T) ||
      !ParseGraphFileReal(Fields[4], Value) || !ParseGraphFileInt(Fields[5], S))
    F.Fail(QStringLiteral("Invalid number"));
  // The name is the rest of the line after the sixth field.
  int Pos = 0;
  for (int I = 0; I < 6; ++I) {
    while (Pos < Line.size() && Line[Pos] == QLatin1Char(' ')) ++Pos;
    while (Pos < Line.size() && Line[Pos] != QLatin1Char(' ')) ++Pos;
  }
  Color = static_cast<TColor>(C);
  LayerTag = Tag;
  LayerValue = Value;
  Name = Line.mid(Pos).trimmed();
  Selected = S == 1;
  SetVisible(V == 1);
  SetTracking(T == 1);
  F.ReadClosingLine(ClassName());
}

void TLayer::SaveBase(TGraphTextWriter& F) const {
  F.WriteLine(ClassName());
  F.WriteLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                  .arg(static_cast<int>(Color))
                  .arg(Visible ? 1 : 0)
                  .arg(LayerTag)
                  .arg(Tracking ? 1 : 0)
                  .arg(GraphFileReal(LayerValue))
                  .arg(Selected ? 1 : 0)
                  .arg(Name));
  F.WriteLine(ClassName());
}

// --- Colour levels ------------------------------------------------------------------------------

int PaletteIndex(const TLayer& L, double V) {
  if (V == MissingValue) return -2;
  if (V == -MissingValue) return -3;
  if (std::isnan(V)) return -1;
  if (V > L.ZMax) return -1;
  if (L.UseZMin && V < L.ZMin) return -1;
  const auto& Lv = L.Levels;
  if (V < Lv[8]) V = Lv[8];
  if (V > Lv[1]) V = Lv[1];
  int K = 8;
  for (int I = 2; I <= 8; ++I)
    if (V >= Lv[I]) {
      K = I;
      break;
    }
  if (Lv[K] == Lv[K - 1]) return L.LevelColors[K];
  double T = (V - Lv[K]) / (Lv[K - 1] - Lv[K]);
  return RoundInt(T * (L.LevelColors[K - 1] - L.LevelColors[K]) + L.LevelColors[K]);
}

TColor PaletteColor(const TLayer& L, int I) {
  if (I == -2) return 0x808001;
  if (I == -3) return 0x008081;
  if (I < 0 || I > 255) return clWhite;
  if (I == 0 && L.WhiteZero) return clWhite;
  int R = 0, G = 0, B = 0;
  switch (L.ColorPalette) {
    case 0:
      if (I < 20)
        R = 60, G = 60, B = 180 + 3 * I;
      else if (I < 80)
        R = 60, G = 60 + 3 * (I - 20), B = 240;
      else if (I < 140)
        R = 60, G = 240, B = 240 - 3 * (I - 80);
      else if (I < 180)
        R = 50 + 5 * (I - 140), G = 240, B = 60;
      else if (I < 240)
        R = 255, G = 240 - 3 * (I - 180), B = 60;
      else
        R = 255 - 5 * (I - 240), G = 60, B = 60;
      break;
    case 1:
      R = G = B = 255 - I;
      break;
    case 2:
      R = 255, G = B = 255 - I;
      break;
    case 3:
      R = G = 255 - I, B = 255;
      break;
    case 4:
      R = G = 255, B = 255 - I;
      break;
    case 5:
      R = B = 255 - I, G = 255;
      break;
    case 6:
      R = 255 - I, G = B = 255;
      break;
    case 7:
      R = B = 255, G = 255 - I;
      break;
    default:
      break;
  }
  return static_cast<TColor>(R | (G << 8) | (B << 16));
}

// --- Registry -----------------------------------------------------------------------------------

namespace {
std::map<QString, TLayerFactory>& Registry() {
  static std::map<QString, TLayerFactory> R;
  return R;
}
}  // namespace

void RegisterLayerClass(const QString& ClassName, TLayerFactory Factory) {
  Registry()[ClassName] = std::move(Factory);
}

void UnregisterLayerClass(const QString& ClassName) { Registry().erase(ClassName); }

TLayerFactory GetLayerClass(const QString& ClassName) {
  auto It = Registry().find(ClassName);
  // Only classes with a file block of their own are registered: anything else would load as an
  // empty layer and lose what the file said.
  if (It != Registry().end()) return It->second;
  return nullptr;
}
