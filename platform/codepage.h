#pragma once
// Code page 1252, the engine's single-byte text, converted with our own
// table at the edge between the GUI (QString) and the engine (std::string).

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
// UTF-8 when the bytes are valid UTF-8, else code page 1252; a leading
// UTF-8 byte-order mark is dropped, and text with a UTF-16 byte-order mark
// is read as UTF-16. Encoding, when given, receives which it was.
enum class TTextEncoding;
QString DecodeText(std::string_view Bytes, TTextEncoding* Encoding = nullptr);
