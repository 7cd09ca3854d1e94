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

QString DecodeText(std::string_view Bytes, TTextEncoding* Encoding) {
  TTextEncoding Dummy;
  TTextEncoding& Enc = Encoding ? *Encoding : Dummy;
  // UTF-16 with a byte-order mark, as some editors save text.
  if (Bytes.size() >= 2 && (Bytes.substr(0, 2) == "\xFF\xFE" || Bytes.substr(0, 2) == "\xFE\xFF")) {
    const bool Little = Bytes[0] == '\xFF';
    Enc = Little ? TTextEncoding::Utf16Le : TTextEncoding::Utf16Be;
    QString S;
    S.reserve(static_cast<qsizetype>(Bytes.size() / 2));
    for (size_t i = 2; i + 1 < Bytes.size(); i += 2) {
      auto Lo = static_cast<unsigned char>(Bytes[Little ? i : i + 1]);
      auto Hi = static_cast<unsigned char>(Bytes[Little ? i + 1 : i]);
      S += QChar(static_cast<char16_t>(Lo | (Hi << 8)));
    }
    return S;
  }
  const bool Bom = Bytes.size() >= 3 && Bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (Bom) Bytes.remove_prefix(3);
  if (IsValidUtf8(Bytes)) {
    Enc = Bom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8;
    return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
  }
  // A byte-order mark before bytes that are not UTF-8 is kept as three characters, so that a
  // rewrite gives the file back as it was.
  if (Bom) Bytes = std::string_view(Bytes.data() - 3, Bytes.size() + 3);
  Enc = TTextEncoding::Cp1252;
  return FromCp1252(Bytes);
}
