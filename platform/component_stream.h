#pragma once
// The binary form in which components are streamed: the four bytes "TPF0", then one component:
// its class name and its name as short strings (a length byte, then the bytes), its properties, a
// 0 byte, its owned components one after another, a 0 byte. A property is its name as a short
// string (nested objects by dotted names) and a typed value: a type byte, then the data. All
// numbers are little-endian; integers take the smallest type that holds them.
//
// The reader checks everything and refuses a damaged or hostile stream with
// EComponentStreamError before anything is built from it.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/colors.h"

class EComponentStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaWString = 18,
  vaInt64 = 19
};

struct TStreamProperty;

enum TStreamKind {
  skNull,
  skList,
  skInteger,
  skFloat,
  skString,
  skIdent,
  skBoolean,
  skBinary,
  skSet,
  skNil,
  skCollection
};

// One value of the stream. Which fields count depends on Kind.
struct TStreamValue {
  TStreamKind Kind = skNull;
  std::int64_t Int = 0;             // Integer
  double Float = 0;                 // Float, kept as a double; written as 80-bit extended
  bool Bool = false;                // Boolean
  QString Text;                     // String, Ident
  QByteArray Bytes;                 // Binary
  QStringList Names;                // Set
  std::vector<TStreamValue> Items;  // List
  std::vector<std::vector<TStreamProperty>> Elements;  // Collection: each item's properties

  static TStreamValue OfInt(std::int64_t V);
  static TStreamValue OfFloat(double V);
  static TStreamValue OfBool(bool V);
  static TStreamValue OfString(const QString& V);
  static TStreamValue OfIdent(const QString& V);
  static TStreamValue OfSet(const QStringList& V);
  static TStreamValue OfList(std::vector<TStreamValue> V);
  bool operator==(const TStreamValue& Other) const;
};

struct TStreamProperty {
  QString Name;
  TStreamValue Value;
  bool operator==(const TStreamProperty& Other) const = default;
};

struct TStreamComponent {
  QString ClassName, Name;
  std::vector<TStreamProperty> Properties;
  std::vector<TStreamComponent> Children;
};

// Past these a stream is refused.
struct TStreamLimits {
  int MaxDepth = 16;       // components, lists and collections inside each other
  int MaxItems = 1 << 20;  // properties, components, list, set and collection items, all told
  int MaxText = 1 << 24;   // bytes of one long string, wide string or binary value
};

QByteArray WriteComponentStream(const TStreamComponent& Root);
// Appends the signature and Root to Out.
void AppendComponentStream(QByteArray& Out, const TStreamComponent& Root);

// The stream must fill Data exactly.
TStreamComponent ReadComponentStream(const QByteArray& Data, const TStreamLimits& Limits = {});
// Reads one signature and component from Data at Pos and leaves Pos just after it; what follows
// is the caller's.
TStreamComponent ReadComponentStream(const QByteArray& Data, qsizetype& Pos,
                                     const TStreamLimits& Limits = {});

// The extended (80-bit) form of a double and back. The bytes hold any double exactly; a value
// beyond the double range reads as an infinity.
void DoubleToExtended(double V, unsigned char Out[10]);
double ExtendedToDouble(const unsigned char In[10]);

// The streamed names of the standard and system colours ("clRed", "clBtnFace"): empty for a
// colour without one.
QString ColorToIdent(TColor Color);
// False when Ident names no colour.
bool IdentToColor(const QString& Ident, TColor& Color);
