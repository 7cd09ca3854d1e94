#include "platform/codepage.h"

#include "platform/text_file.h"

#include <QList>

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

}  // namespace

char16_t Cp1252ToUnicode(unsigned char Byte) {
  if (Byte >= 0x80 && Byte < 0xA0) return kHigh[Byte - 0x80];
  return Byte;
}

unsigned char UnicodeToCp1252(char32_t Ch) {
  if (Ch < 0x80 || (Ch >= 0xA0 && Ch <= 0xFF)) return static_cast<unsigned char>(Ch);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == Ch) return static_cast<unsigned char>(0x80 + i);
  return Cp1252Replacement;
}

QString FromCp1252(std::string_view Bytes) {
  QString S;
  S.reserve(static_cast<qsizetype>(Bytes.size()));
  for (char c : Bytes) S += QChar(Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return S;
}

std::string ToCp1252(const QString& Text) {
  std::string S;
  S.reserve(static_cast<size_t>(Text.size()));
  for (char32_t Ch : Text.toUcs4()) S += static_cast<char>(UnicodeToCp1252(Ch));
  return S;
}

bool ToCp1252Exact(const QString& Text, std::string& Out) {
  Out.clear();
  Out.reserve(static_cast<size_t>(Text.size()));
  for (char32_t Ch : Text.toUcs4()) {
    const unsigned char B = UnicodeToCp1252(Ch);
    if (B == Cp1252Replacement && Ch != Cp1252Replacement) return false;
    Out += static_cast<char>(B);
  }
  return true;
}

QString FirstNonCp1252(const QString& Text) {
  for (char32_t Ch : Text.toUcs4())
    if (UnicodeToCp1252(Ch) == Cp1252Replacement && Ch != Cp1252Replacement)
      return QString::fromUcs4(&Ch, 1);
  return QString();
}

bool IsValidUtf8(std::string_view Bytes) {
  size_t i = 0, n = Bytes.size();
  while (i < n) {
    auto b = static_cast<unsigned char>(Bytes[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int More;
    char32_t Cp, Min;
    if ((b & 0xE0) == 0xC0) {
      More = 1, Cp = b & 0x1F, Min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      More = 2, Cp = b & 0x0F, Min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      More = 3, Cp = b & 0x07, Min = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(More) >= n) return false;  // cut short
    for (int k = 1; k <= More; ++k) {
      auto c = static_cast<unsigned char>(Bytes[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      Cp = (Cp << 6) | (c & 0x3F);
    }
    if (Cp < Min || Cp > 0x10FFFF || (Cp >= 0xD800 && Cp <= 0xDFFF)) return false;
    i += static_cast<size_t>(More) + 1;
  }
  return true;
}

TTextEncoding DetectEncoding(std::string_view Bytes) {
  if (Bytes.starts_with("\xFF\xFE")) return TTextEncoding::Utf16Le;
  if (Bytes.starts_with("\xFE\xFF")) return TTextEncoding::Utf16Be;
  if (Bytes.starts_with("\xEF\xBB\xBF")) return TTextEncoding::Utf8Bom;
  return IsValidUtf8(Bytes) ? TTextEncoding::Utf8 : TTextEncoding::Cp1252;
}

QString DecodeText(std::string_view Bytes, TTextEncoding* Encoding) {
  const TTextEncoding Found = DetectEncoding(Bytes);
  if (Encoding) *Encoding = Found;
  if (Found == TTextEncoding::Utf8) return KeptText(Bytes.data(), qsizetype(Bytes.size()));
  const size_t Bom = Found == TTextEncoding::Cp1252 ? 0 : Found == TTextEncoding::Utf8Bom ? 3 : 2;
  return KeptText(KeptUtf8(Bytes.substr(Bom), Found));
}

namespace {
void PutUtf8(QByteArray& Out, char32_t C) {
  if (C < 0x80) {
    Out += char(C);
  } else if (C < 0x800) {
    Out += char(0xC0 | (C >> 6));
    Out += char(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += char(0xE0 | (C >> 12));
    Out += char(0x80 | ((C >> 6) & 0x3F));
    Out += char(0x80 | (C & 0x3F));
  } else {
    Out += char(0xF0 | (C >> 18));
    Out += char(0x80 | ((C >> 12) & 0x3F));
    Out += char(0x80 | ((C >> 6) & 0x3F));
    Out += char(0x80 | (C & 0x3F));
  }
}

// The length of the well-formed UTF-8 sequence at P, or 0.
int Utf8SequenceAt(const char* P, size_t N) {
  const TKeptChar K = NextKeptChar(P, qsizetype(N));
  return K.Code >= KeptByteBase || IsSurrogate(K.Code) ? 0 : K.Size;
}
}  // namespace

bool IsSurrogate(char32_t Code) { return Code >= 0xD800 && Code <= 0xDFFF; }

TKeptChar NextKeptChar(const char* P, qsizetype N) {
  const auto B = static_cast<unsigned char>(P[0]);
  if (B < 0x80) return {B, 1};
  int More = 0;
  char32_t Code = 0, Min = 0, Max = 0;
  if (B >= 0xC2 && B <= 0xDF) {
    More = 1, Code = B & 0x1F, Min = 0x80, Max = 0x7FF;
  } else if (B >= 0xE0 && B <= 0xEF) {
    More = 2, Code = B & 0x0F, Min = 0x800, Max = 0xFFFF;
  } else if (B >= 0xF0 && B <= 0xF4) {
    More = 3, Code = B & 0x07, Min = 0x10000, Max = KeptByteBase + 0xFF;
  }
  if (More == 0 || N <= More) return {KeptByteBase + B, 1};
  for (int K = 1; K <= More; ++K) {
    const auto C = static_cast<unsigned char>(P[K]);
    if ((C & 0xC0) != 0x80) return {KeptByteBase + B, 1};
    Code = (Code << 6) | (C & 0x3F);
  }
  if (Code < Min || Code > Max) return {KeptByteBase + B, 1};
  return {Code, More + 1};
}

QByteArray KeptUtf8(std::string_view Bytes, TTextEncoding Encoding) {
  QByteArray Out;
  const size_t N = Bytes.size();
  // Room for the most the text can take (untouched, it costs no memory), so that the block never
  // moves while it fills.
  switch (Encoding) {
    case TTextEncoding::Utf16Le:
    case TTextEncoding::Utf16Be: {
      Out.reserve(qsizetype(N / 2 * 3 + 4));
      const bool Little = Encoding == TTextEncoding::Utf16Le;
      const auto Unit = [&](size_t I) -> char32_t {
        const auto A = static_cast<unsigned char>(Bytes[I]),
                   B = static_cast<unsigned char>(Bytes[I + 1]);
        return Little ? char32_t(A | (B << 8)) : char32_t(B | (A << 8));
      };
      size_t I = 0;
      for (; I + 1 < N; I += 2) {
        const char32_t U = Unit(I);
        if (U >= 0xD800 && U <= 0xDBFF && I + 3 < N) {
          const char32_t Low = Unit(I + 2);
          if (Low >= 0xDC00 && Low <= 0xDFFF) {
            PutUtf8(Out, 0x10000 + ((U - 0xD800) << 10) + (Low - 0xDC00));
            I += 2;
            continue;
          }
        }
        PutUtf8(Out, U);  // a unit without its pair keeps its own form
      }
      if (I < N) PutUtf8(Out, KeptByteBase + static_cast<unsigned char>(Bytes[I]));
      break;
    }
    case TTextEncoding::Cp1252:
      Out.reserve(qsizetype(N * 3));
      for (char C : Bytes) PutUtf8(Out, Cp1252ToUnicode(static_cast<unsigned char>(C)));
      break;
    case TTextEncoding::Utf8:
    case TTextEncoding::Utf8Bom:
      Out.reserve(qsizetype(N * 4));
      for (size_t I = 0; I < N;) {
        const int Size = Utf8SequenceAt(Bytes.data() + I, N - I);
        if (Size == 0) {
          PutUtf8(Out, KeptByteBase + static_cast<unsigned char>(Bytes[I++]));
        } else {
          Out.append(Bytes.data() + I, Size);
          I += size_t(Size);
        }
      }
      break;
  }
  return Out;
}

QString KeptText(const char* P, qsizetype N) {
  QString S(N, Qt::Uninitialized);  // never more units than bytes
  char16_t* Out = reinterpret_cast<char16_t*>(S.data());
  qsizetype Size = 0;
  for (qsizetype I = 0; I < N;) {
    const auto B = static_cast<unsigned char>(P[I]);
    if (B < 0x80) {
      Out[Size++] = B;
      ++I;
      continue;
    }
    const TKeptChar K = NextKeptChar(P + I, N - I);
    I += K.Size;
    if (K.Code >= KeptByteBase || IsSurrogate(K.Code)) {
      Out[Size++] = QChar::ReplacementCharacter;
    } else if (K.Code >= 0x10000) {
      Out[Size++] = QChar::highSurrogate(K.Code);
      Out[Size++] = QChar::lowSurrogate(K.Code);
    } else {
      Out[Size++] = char16_t(K.Code);
    }
  }
  S.truncate(Size);
  return S;
}

QByteArray Utf8Of(const QString& Text) {
  QByteArray Out;
  Out.reserve(Text.size());
  const qsizetype N = Text.size();
  for (qsizetype I = 0; I < N; ++I) {
    const char16_t U = Text[I].unicode();
    if (U < 0x80) {
      Out += char(U);
    } else if (QChar::isHighSurrogate(U) && I + 1 < N &&
               QChar::isLowSurrogate(Text[I + 1].unicode())) {
      PutUtf8(Out, QChar::surrogateToUcs4(U, Text[I + 1].unicode()));
      ++I;
    } else {
      PutUtf8(Out, IsSurrogate(U) ? char32_t(QChar::ReplacementCharacter) : char32_t(U));
    }
  }
  return Out;
}
