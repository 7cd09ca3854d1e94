#pragma once
// Line-oriented reading and writing of the graph text file: numbers in decimal, fields on a line
// separated by one blank.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// A malformed or truncated block; Line is the file line (1-based) where reading failed.
class TGraphLoadError : public std::runtime_error {
 public:
  TGraphLoadError(const QString& Message, int ALine)
      : std::runtime_error(Message.toStdString()), Text(Message), Line(ALine) {}
  QString Text;
  int Line;
};

class TGraphTextReader {
 public:
  explicit TGraphTextReader(const QByteArray& Data);
  // The next line without its line end; throws at the end of the file.
  QString ReadLine();
  bool AtEnd() const { return FNext >= static_cast<int>(FLines.size()); }
  int LineNo() const { return FNext; }  // the line last read
  // The next line split into Count integers (more fields are ignored); throws when one is
  // missing or is not a number.
  std::vector<int> ReadIntegers(int Count);
  // Throws unless the next line is Expected: the closing line of a block.
  void ReadClosingLine(const QString& Expected);
  [[noreturn]] void Fail(const QString& Message) const;
  // "Object %s can not load self from line: %d", with a prefix naming the owner when it has one.
  QString LoadErrorFormat = QStringLiteral("Object %s can not load self from line: %d");

 private:
  QStringList FLines;
  int FNext = 0;
};

class TGraphTextWriter {
 public:
  void WriteLine(const QString& S);
  QByteArray Data() const { return FData; }

 private:
  QByteArray FData;
};

// Field text of the file: integers plain, booleans 1 or 0, reals in scientific notation right
// aligned in 23 characters.
QString GraphFileReal(double V);
bool ParseGraphFileInt(const QString& S, int& V);
bool ParseGraphFileReal(const QString& S, double& V);
