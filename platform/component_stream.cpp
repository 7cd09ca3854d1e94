#include "platform/component_stream.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/codepage.h"

namespace {
constexpr char Signature[4] = {'T', 'P', 'F', '0'};

[[noreturn]] void Invalid(const std::string& What) { throw EComponentStreamError(What); }

class TWriter {
 public:
  explicit TWriter(QByteArray& D) : Data(D) {}
  QByteArray& Data;

  void U8(std::uint8_t V) { Data.append(char(V)); }
  void Uint(std::uint64_t V, int Bytes) {
    for (int i = 0; i < Bytes; ++i) U8(std::uint8_t(V >> (8 * i)));
  }
  void Short(const QString& S) {
    const std::string B = ToCp1252(S);
    if (B.size() > 255) Invalid("a name is longer than 255 bytes: " + S.left(40).toStdString());
    U8(std::uint8_t(B.size()));
    Data.append(B.data(), qsizetype(B.size()));
  }
  void Int(std::int64_t V) {
    if (V >= INT8_MIN && V <= INT8_MAX) {
      U8(vaInt8);
      Uint(std::uint64_t(V), 1);
    } else if (V >= INT16_MIN && V <= INT16_MAX) {
      U8(vaInt16);
      Uint(std::uint64_t(V), 2);
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
      U8(vaInt32);
      Uint(std::uint64_t(V), 4);
    } else {
      U8(vaInt64);
      Uint(std::uint64_t(V), 8);
    }
  }
  void Text(const QString& S) {
    std::string B;
    if (ToCp1252Exact(S, B)) {
      if (B.size() <= 255) {
        U8(vaString);
        U8(std::uint8_t(B.size()));
      } else {
        U8(vaLString);
        Uint(B.size(), 4);
      }
      Data.append(B.data(), qsizetype(B.size()));
      return;
    }
    U8(vaWString);
    Uint(std::uint64_t(S.size()), 4);
    for (const QChar C : S) Uint(C.unicode(), 2);
  }
  void Properties(const std::vector<TStreamProperty>& P) {
    for (const TStreamProperty& X : P) {
      Short(X.Name);
      Value(X.Value);
    }
    U8(0);
  }
  void Value(const TStreamValue& V) {
    switch (V.Kind) {
      case skNull:
        U8(vaNull);
        break;
      case skList:
        U8(vaList);
        for (const TStreamValue& I : V.Items) Value(I);
        U8(0);
        break;
      case skInteger:
        Int(V.Int);
        break;
      case skFloat: {
        U8(vaExtended);
        unsigned char E[10];
        DoubleToExtended(V.Float, E);
        Data.append(reinterpret_cast<const char*>(E), 10);
        break;
      }
      case skString:
        Text(V.Text);
        break;
      case skIdent:
        U8(vaIdent);
        Short(V.Text);
        break;
      case skBoolean:
        U8(V.Bool ? vaTrue : vaFalse);
        break;
      case skBinary:
        U8(vaBinary);
        Uint(std::uint64_t(V.Bytes.size()), 4);
        Data.append(V.Bytes);
        break;
      case skSet:
        U8(vaSet);
        for (const QString& N : V.Names) Short(N);
        U8(0);
        break;
      case skNil:
        U8(vaNil);
        break;
      case skCollection:
        U8(vaCollection);
        // Each item is announced as a list; its properties end with a 0 byte.
        for (const std::vector<TStreamProperty>& E : V.Elements) {
          U8(vaList);
          Properties(E);
        }
        U8(0);
        break;
    }
  }
  void Component(const TStreamComponent& C) {
    Short(C.ClassName);
    Short(C.Name);
    Properties(C.Properties);
    for (const TStreamComponent& K : C.Children) Component(K);
    U8(0);
  }
};

class TReader {
 public:
  TReader(const QByteArray& D, qsizetype P, const TStreamLimits& L) : Data(D), Pos(P), Limits(L) {}
  const QByteArray& Data;
  qsizetype Pos;
  const TStreamLimits& Limits;
  int Items = 0;

  void Need(qsizetype N) {
    if (N < 0 || Data.size() - Pos < N) Invalid("it ends too early");
  }
  void Count() {
    if (++Items > Limits.MaxItems) Invalid("too many items");
  }
  static void Deeper(int Depth, const TStreamLimits& L) {
    if (Depth > L.MaxDepth) Invalid("objects nested too deep");
  }
  std::uint8_t U8() {
    Need(1);
    return std::uint8_t(Data[Pos++]);
  }
  std::uint8_t Peek() {
    Need(1);
    return std::uint8_t(Data[Pos]);
  }
  std::uint64_t Uint(int Bytes) {
    std::uint64_t V = 0;
    for (int i = 0; i < Bytes; ++i) V |= std::uint64_t(U8()) << (8 * i);
    return V;
  }
  std::int64_t Sint(int Bytes) {
    const std::uint64_t V = Uint(Bytes);
    const int Shift = 64 - 8 * Bytes;
    return std::int64_t(V << Shift) >> Shift;
  }
  QByteArray Bytes(qsizetype N) {
    Need(N);
    QByteArray B = Data.mid(Pos, N);
    Pos += N;
    return B;
  }
  qsizetype LongLength() {
    const std::uint64_t N = Uint(4);
    if (N > std::uint64_t(Limits.MaxText)) Invalid("a text is too long");
    return qsizetype(N);
  }
  QString Short() {
    const qsizetype N = U8();
    const QByteArray B = Bytes(N);
    return FromCp1252(std::string_view(B.constData(), size_t(B.size())));
  }
  std::vector<TStreamProperty> Properties(int Depth) {
    std::vector<TStreamProperty> R;
    while (Peek() != 0) {
      Count();
      TStreamProperty P;
      P.Name = Short();
      if (P.Name.isEmpty()) Invalid("a property has no name");
      P.Value = Value(Depth);
      R.push_back(std::move(P));
    }
    ++Pos;
    return R;
  }
  TStreamValue Value(int Depth) {
    TStreamValue V;
    const std::uint8_t Type = U8();
    switch (Type) {
      case vaNull:
        V.Kind = skNull;
        break;
      case vaList:
        Deeper(Depth + 1, Limits);
        V.Kind = skList;
        while (Peek() != 0) {
          Count();
          V.Items.push_back(Value(Depth + 1));
        }
        ++Pos;
        break;
      case vaInt8:
        return TStreamValue::OfInt(Sint(1));
      case vaInt16:
        return TStreamValue::OfInt(Sint(2));
      case vaInt32:
        return TStreamValue::OfInt(Sint(4));
      case vaInt64:
        return TStreamValue::OfInt(Sint(8));
      case vaExtended: {
        const QByteArray B = Bytes(10);
        return TStreamValue::OfFloat(
            ExtendedToDouble(reinterpret_cast<const unsigned char*>(B.constData())));
      }
      case vaString:
        return TStreamValue::OfString(Short());
      case vaLString: {
        const QByteArray B = Bytes(LongLength());
        return TStreamValue::OfString(
            FromCp1252(std::string_view(B.constData(), size_t(B.size()))));
      }
      case vaWString: {
        const qsizetype N = LongLength();
        Need(2 * N);
        QString S(N, Qt::Uninitialized);
        for (qsizetype i = 0; i < N; ++i) S[i] = QChar(char16_t(Uint(2)));
        return TStreamValue::OfString(S);
      }
      case vaIdent: {
        const QString S = Short();
        if (S.isEmpty()) Invalid("an identifier is empty");
        return TStreamValue::OfIdent(S);
      }
      case vaFalse:
      case vaTrue:
        return TStreamValue::OfBool(Type == vaTrue);
      case vaBinary:
        V.Kind = skBinary;
        V.Bytes = Bytes(LongLength());
        break;
      case vaSet:
        V.Kind = skSet;
        while (Peek() != 0) {
          Count();
          V.Names.append(Short());
        }
        ++Pos;
        break;
      case vaNil:
        V.Kind = skNil;
        break;
      case vaCollection:
        Deeper(Depth + 1, Limits);
        V.Kind = skCollection;
        while (Peek() != 0) {
          Count();
          if (U8() != vaList) Invalid("a collection item is not a list");
          V.Elements.push_back(Properties(Depth + 1));
        }
        ++Pos;
        break;
      default:
        Invalid("unknown kind of value " + std::to_string(Type));
    }
    return V;
  }
  TStreamComponent Component(int Depth) {
    Deeper(Depth, Limits);
    Count();
    TStreamComponent C;
    C.ClassName = Short();
    if (C.ClassName.isEmpty()) Invalid("a component has no class name");
    C.Name = Short();
    C.Properties = Properties(Depth);
    while (Peek() != 0) C.Children.push_back(Component(Depth + 1));
    ++Pos;
    return C;
  }
};

struct TColorName {
  TColor Color;
  const char* Name;
};

// Aliases (clLtGray, clDkGray) read but are never written: the first name of a colour wins.
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};
}  // namespace

TStreamValue TStreamValue::OfInt(std::int64_t V) {
  TStreamValue R;
  R.Kind = skInteger;
  R.Int = V;
  return R;
}
TStreamValue TStreamValue::OfFloat(double V) {
  TStreamValue R;
  R.Kind = skFloat;
  R.Float = V;
  return R;
}
TStreamValue TStreamValue::OfBool(bool V) {
  TStreamValue R;
  R.Kind = skBoolean;
  R.Bool = V;
  return R;
}
TStreamValue TStreamValue::OfString(const QString& V) {
  TStreamValue R;
  R.Kind = skString;
  R.Text = V;
  return R;
}
TStreamValue TStreamValue::OfIdent(const QString& V) {
  TStreamValue R;
  R.Kind = skIdent;
  R.Text = V;
  return R;
}
TStreamValue TStreamValue::OfSet(const QStringList& V) {
  TStreamValue R;
  R.Kind = skSet;
  R.Names = V;
  return R;
}
TStreamValue TStreamValue::OfList(std::vector<TStreamValue> V) {
  TStreamValue R;
  R.Kind = skList;
  R.Items = std::move(V);
  return R;
}

bool TStreamValue::operator==(const TStreamValue& O) const {
  if (Kind != O.Kind) return false;
  switch (Kind) {
    case skInteger:
      return Int == O.Int;
    case skFloat:
      return std::bit_cast<std::uint64_t>(Float) == std::bit_cast<std::uint64_t>(O.Float);
    case skString:
    case skIdent:
      return Text == O.Text;
    case skBoolean:
      return Bool == O.Bool;
    case skBinary:
      return Bytes == O.Bytes;
    case skSet:
      return Names == O.Names;
    case skList:
      return Items == O.Items;
    case skCollection:
      return Elements == O.Elements;
    case skNull:
    case skNil:
      return true;
  }
  return false;
}

void AppendComponentStream(QByteArray& Out, const TStreamComponent& Root) {
  Out.append(Signature, 4);
  TWriter W(Out);
  W.Component(Root);
}

QByteArray WriteComponentStream(const TStreamComponent& Root) {
  QByteArray Out;
  AppendComponentStream(Out, Root);
  return Out;
}

TStreamComponent ReadComponentStream(const QByteArray& Data, qsizetype& Pos,
                                     const TStreamLimits& Limits) {
  TReader R(Data, Pos, Limits);
  R.Need(4);
  if (std::memcmp(Data.constData() + Pos, Signature, 4) != 0)
    Invalid("no component stream signature");
  R.Pos += 4;
  TStreamComponent C = R.Component(0);
  Pos = R.Pos;
  return C;
}

TStreamComponent ReadComponentStream(const QByteArray& Data, const TStreamLimits& Limits) {
  qsizetype Pos = 0;
  TStreamComponent C = ReadComponentStream(Data, Pos, Limits);
  if (Pos != Data.size()) Invalid("bytes after the end");
  return C;
}

void DoubleToExtended(double V, unsigned char Out[10]) {
  const std::uint64_t Bits = std::bit_cast<std::uint64_t>(V);
  const bool Negative = Bits >> 63;
  const int Exp = int((Bits >> 52) & 0x7FF);
  const std::uint64_t Frac = Bits & ((std::uint64_t(1) << 52) - 1);
  std::uint64_t Mantissa = 0;
  int E = 0;
  if (Exp == 0x7FF) {
    E = 0x7FFF;
    Mantissa = (std::uint64_t(1) << 63) | (Frac << 11);
  } else if (Exp != 0) {
    E = Exp - 1023 + 16383;
    Mantissa = (std::uint64_t(1) << 63) | (Frac << 11);
  } else if (Frac != 0) {
    // A subnormal double is a normal extended: shift its leading bit to the top.
    const int Top = 63 - std::countl_zero(Frac);
    Mantissa = Frac << (63 - Top);
    E = Top - 1074 + 16383;
  }
  for (int i = 0; i < 8; ++i) Out[i] = static_cast<unsigned char>(Mantissa >> (8 * i));
  const unsigned SignExp = (Negative ? 0x8000u : 0u) | unsigned(E);
  Out[8] = static_cast<unsigned char>(SignExp & 0xFF);
  Out[9] = static_cast<unsigned char>(SignExp >> 8);
}

double ExtendedToDouble(const unsigned char In[10]) {
  std::uint64_t Mantissa = 0;
  for (int i = 0; i < 8; ++i) Mantissa |= std::uint64_t(In[i]) << (8 * i);
  const unsigned SignExp = unsigned(In[8]) | (unsigned(In[9]) << 8);
  const bool Negative = SignExp & 0x8000u;
  const int E = int(SignExp & 0x7FFF);
  double R;
  if (E == 0x7FFF)
    R = (Mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
  else
    // Rounded to the nearest double; ldexp saturates to an infinity or to zero at the ends.
    R = std::ldexp(double(Mantissa), (E == 0 ? 1 : E) - 16383 - 63);
  return Negative ? -R : R;
}

QString ColorToIdent(TColor Color) {
  for (const TColorName& N : ColorNames)
    if (N.Color == Color) return QLatin1String(N.Name);
  return {};
}

bool IdentToColor(const QString& Ident, TColor& Color) {
  for (const TColorName& N : ColorNames)
    if (Ident.compare(QLatin1String(N.Name), Qt::CaseInsensitive) == 0) {
      Color = N.Color;
      return true;
    }
  return false;
}
