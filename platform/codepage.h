#pragma once
// Code page 1252, the engine's single-byte text, converted with our own
// table at the edge between the GUI (QString) and the engine (std::string).

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

// What a character without a 1252 byte becomes: a printable byte that no
// expression accepts, so a stray character is reported as an error instead
// of turning into "?" (the previous result) or a control byte.
inline constexpr unsigned char Cp1252Replacement = 0xA4;

// The Unicode character of a byte. The five bytes that 1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 code points of the
// same value, so every byte survives a round trip.
char16_t Cp1252ToUnicode(unsigned char Byte);
// The byte of a character, or Cp1252Replacement.
unsigned char UnicodeToCp1252(char32_t Ch);

QString FromCp1252(std::string_view Bytes);
std::string ToCp1252(const QString& Text);
// As ToCp1252, but false (Out then undefined) when a character has no 1252 byte, so that text
// bound for the engine is refused rather than changed.
bool ToCp1252Exact(const QString& Text, std::string& Out);
// The first character of Text that code page 1252 cannot hold ("" when there is none).
QString FirstNonCp1252(const QString& Text);

// True when Bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF).
bool IsValidUtf8(std::string_view Bytes);
// How bytes are read: a UTF-16 or UTF-8 byte-order mark decides, else they are UTF-8 when they
// are valid UTF-8 and code page 1252 when not.
enum class TTextEncoding;
TTextEncoding DetectEncoding(std::string_view Bytes);
QString DecodeText(std::string_view Bytes, TTextEncoding* Encoding = nullptr);

// A file's text is held as UTF-8 that keeps every byte of it, so that a rewrite gives back the
// bytes of each line it does not change: a UTF-16 unit without its pair stands in its own
// three-byte form, and a byte that is no character (the odd last byte of UTF-16, a bad byte after
// a UTF-8 byte-order mark) as the code point KeptByteBase + its value, past Unicode's last.
inline constexpr char32_t KeptByteBase = 0x110000;
// Bytes (the byte-order mark left off) read in Encoding, as kept UTF-8.
QByteArray KeptUtf8(std::string_view Bytes, TTextEncoding Encoding);
// The character that starts kept UTF-8 at P (N bytes left, N > 0) and its length in bytes; any
// byte that starts no sequence reads as a kept byte.
struct TKeptChar {
  char32_t Code;
  int Size;
};
TKeptChar NextKeptChar(const char* P, qsizetype N);
bool IsSurrogate(char32_t Code);
// The text of kept UTF-8, U+FFFD for what is no character; unlike QString::fromUtf8, a leading
// U+FEFF is a character like any other and stays.
QString KeptText(const char* P, qsizetype N);
inline QString KeptText(QByteArrayView Utf8) { return KeptText(Utf8.data(), Utf8.size()); }
// Text as UTF-8 for a file: a UTF-16 unit without its pair becomes U+FFFD, never "?" (which the
// engine would read as the previous result).
QByteArray Utf8Of(const QString& Text);
