#include "app/calc_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStringConverter>
#include <QUrl>

#include <array>
#include <charconv>

namespace calcpf {
namespace {

QString GProgramDir;
TDialogService GQtDialogs;
TDialogService* GDialogs = nullptr;

// Code page 1252 in 0x80..0x9F; 0 marks the five bytes with no character.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// A byte with no character in the code page: the engine's reader rejects it.
constexpr char UnmappedByte = static_cast<char>(0x81);

// "Text files (*.TXT)|*.TXT|All|*.*" becomes Qt's "Text files (*.TXT);;All (*.*)".
QString QtFilter(const QString& Filter) {
  const QStringList Parts = Filter.split('|');
  QStringList Out;
  for (qsizetype I = 0; I + 1 < Parts.size(); I += 2) {
    QString Desc = Parts[I];
    const QString Patterns = QString(Parts[I + 1]).replace(';', ' ');
    if (!Desc.contains('(')) Desc += " (" + Patterns + ")";
    // Qt matches the patterns inside the parentheses; add the lower-case spellings so that
    // extensions match without regard to case.
    Out << Desc.left(Desc.indexOf('(')) + "(" + Patterns + " " + Patterns.toLower() + ")";
  }
  return Out.join(";;");
}

}  // namespace

QString ProgramDir() { return GProgramDir; }
void SetProgramDir(const QString& Dir) {
  GProgramDir = Dir;
  while (GProgramDir.size() > 1 && GProgramDir.endsWith('/')) GProgramDir.chop(1);
}
QString BasePath() { return GProgramDir + "/Numyx"; }

// ---- INI file ----

TCalcIni::TCalcIni(QString FileName) : FFileName(std::move(FileName)) {
  QStringList Lines;
  if (!ReadTextLines(FFileName, Lines)) return;
  TSection* Current = nullptr;
  for (const QString& Raw : Lines) {
    const QString Line = Raw.trimmed();
    if (Line.isEmpty() || Line.startsWith(';')) continue;
    if (Line.startsWith('[')) {
      const qsizetype Close = Line.indexOf(']');
      if (Close < 0) continue;
      const QString Name = Line.mid(1, Close - 1).trimmed();
      Current = nullptr;
      for (TSection& S : FSections)
        if (S.Name.compare(Name, Qt::CaseInsensitive) == 0) Current = &S;
      if (!Current) {
        FSections.push_back({Name, {}});
        Current = &FSections.back();
      }
      continue;
    }
    const qsizetype Eq = Line.indexOf('=');
    if (!Current || Eq <= 0) continue;
    const QString Key = Line.left(Eq).trimmed();
    bool Seen = false;
    for (const TEntry& E : Current->Entries)
      if (E.Key.compare(Key, Qt::CaseInsensitive) == 0) Seen = true;
    if (!Seen) Current->Entries.push_back({Key, Line.mid(Eq + 1).trimmed()});
  }
}

const TCalcIni::TEntry* TCalcIni::Find(const QString& Section, const QString& Key) const {
  for (const TSection& S : FSections) {
    if (S.Name.compare(Section, Qt::CaseInsensitive) != 0) continue;
    for (const TEntry& E : S.Entries)
      if (E.Key.compare(Key, Qt::CaseInsensitive) == 0) return &E;
  }
  return nullptr;
}

int TCalcIni::ReadInteger(const QString& Section, const QString& Key, int Default) const {
  const TEntry* E = Find(Section, Key);
  if (!E) return Default;
  const QByteArray Text = E->Value.toLatin1();
  int Value = 0;
  const char* First = Text.constData();
  const char* Last = First + Text.size();
  if (First != Last && *First == '+') ++First;
  const auto [Ptr, Ec] = std::from_chars(First, Last, Value);
  if (Ec != std::errc() || Ptr != Last || First == Last) return Default;
  return Value;
}

bool TCalcIni::ReadBool(const QString& Section, const QString& Key, bool Default) const {
  return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

QString TCalcIni::ReadString(const QString& Section, const QString& Key,
                             const QString& Default) const {
  const TEntry* E = Find(Section, Key);
  return E ? E->Value : Default;
}

void TCalcIni::WriteString(const QString& Section, const QString& Key, const QString& Value) {
  // A value cannot span lines in this format; line breaks become blanks.
  QString Clean = Value;
  Clean.replace('\r', ' ').replace('\n', ' ');
  FDirty = true;
  for (TSection& S : FSections) {
    if (S.Name.compare(Section, Qt::CaseInsensitive) != 0) continue;
    for (TEntry& E : S.Entries)
      if (E.Key.compare(Key, Qt::CaseInsensitive) == 0) {
        E.Value = Clean.trimmed();
        return;
      }
    S.Entries.push_back({Key, Clean.trimmed()});
    return;
  }
  FSections.push_back({Section, {{Key, Clean.trimmed()}}});
}

void TCalcIni::WriteInteger(const QString& Section, const QString& Key, int Value) {
  WriteString(Section, Key, QString::number(Value));
}

void TCalcIni::WriteBool(const QString& Section, const QString& Key, bool Value) {
  WriteString(Section, Key, Value ? "1" : "0");
}

bool TCalcIni::UpdateFile() {
  if (!FDirty) return true;
  QStringList Lines;
  for (const TSection& S : FSections) {
    if (!Lines.isEmpty()) Lines << QString();
    Lines << "[" + S.Name + "]";
    for (const TEntry& E : S.Entries) Lines << E.Key + "=" + E.Value;
  }
  if (!WriteTextLines(FFileName, Lines)) return false;
  FDirty = false;
  return true;
}

// ---- text files ----

bool ReadFileBytes(const QString& FileName, QByteArray& Bytes, qint64 MaxBytes) {
  QFile F(FileName);
  if (!F.open(QIODevice::ReadOnly)) return false;
  Bytes = F.read(MaxBytes);
  return F.error() == QFileDevice::NoError;
}

bool ReadTextLines(const QString& FileName, QStringList& Lines) {
  QByteArray Bytes;
  // Settings and lists are small; a runaway file is cut rather than read whole.
  if (!ReadFileBytes(FileName, Bytes, 64 * 1024 * 1024)) return false;
  QString Text;
  auto Decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  Text = Decoder(Bytes);
  if (Decoder.hasError()) {
    Text.clear();
    for (char C : Bytes) Text += FromEngineText(std::string(1, C));
  }
  if (Text.startsWith(QChar(0xFEFF))) Text.remove(0, 1);
  Text.replace("\r\n", "\n").replace('\r', '\n');
  Lines = Text.split('\n');
  if (!Lines.isEmpty() && Lines.back().isEmpty()) Lines.removeLast();
  return true;
}

bool WriteTextLines(const QString& FileName, const QStringList& Lines) {
  QSaveFile F(FileName);
  if (!F.open(QIODevice::WriteOnly)) return false;
  for (const QString& L : Lines) {
    F.write(L.toUtf8());
    F.write("\n");
  }
  return F.commit();
}

// ---- code page 1252 ----

std::string ToEngineText(const QString& Text) {
  std::string Out;
  Out.reserve(static_cast<size_t>(Text.size()));
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const char32_t C = Text[I].unicode();
    if (QChar::isHighSurrogate(C) && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) {
      ++I;  // one character, one byte
      Out += UnmappedByte;
      continue;
    }
    if ((C >= 0x20 && C < 0x7F) || (C >= 0xA0 && C <= 0xFF)) {
      Out += static_cast<char>(C);
      continue;
    }
    char Mapped = UnmappedByte;
    for (size_t K = 0; K < Cp1252High.size(); ++K)
      if (Cp1252High[K] != 0 && Cp1252High[K] == C) Mapped = static_cast<char>(0x80 + K);
    Out += Mapped;
  }
  return Out;
}

QString FromEngineText(const std::string& Text) {
  QString Out;
  Out.reserve(static_cast<qsizetype>(Text.size()));
  for (char Ch : Text) {
    const auto B = static_cast<unsigned char>(Ch);
    if (B >= 0x80 && B < 0xA0)
      Out += Cp1252High[B - 0x80] ? QChar(Cp1252High[B - 0x80]) : QChar(0xFFFD);
    else
      Out += QChar(B);
  }
  return Out;
}

// ---- dialogs ----

void TDialogService::Message(TMsgKind Kind, const QString& Text) {
  QWidget* Parent = QApplication::activeWindow();
  switch (Kind) {
    case TMsgKind::Warning: QMessageBox::warning(Parent, "Warning", Text); break;
    case TMsgKind::Error: QMessageBox::critical(Parent, "Error", Text); break;
    case TMsgKind::Information: QMessageBox::information(Parent, "Information", Text); break;
  }
}

bool TDialogService::Confirm(const QString& Text) {
  return QMessageBox::question(QApplication::activeWindow(), "Confirm", Text) == QMessageBox::Yes;
}

bool TDialogService::SaveFile(TFileDialogRequest& R) {
  QFileDialog D(QApplication::activeWindow(), R.Title, R.FileName, QtFilter(R.Filter));
  D.setAcceptMode(QFileDialog::AcceptSave);
  D.setDefaultSuffix(R.DefaultExt);
  if (D.exec() != QDialog::Accepted || D.selectedFiles().isEmpty()) return false;
  R.FileName = D.selectedFiles().front();
  return true;
}

bool TDialogService::OpenFile(TFileDialogRequest& R) {
  QFileDialog D(QApplication::activeWindow(), R.Title, R.FileName, QtFilter(R.Filter));
  D.setAcceptMode(QFileDialog::AcceptOpen);
  D.setFileMode(QFileDialog::ExistingFile);
  if (D.exec() != QDialog::Accepted || D.selectedFiles().isEmpty()) return false;
  R.FileName = D.selectedFiles().front();
  return true;
}

int TDialogService::ShowModal(QDialog& Form) { return Form.exec(); }

std::unique_ptr<QPrinter> TDialogService::DefaultPrinter() {
  const QPrinterInfo Info = QPrinterInfo::defaultPrinter();
  if (Info.isNull()) return nullptr;
  return std::make_unique<QPrinter>(Info);
}

bool TDialogService::OpenUrl(const QString& Url) { return QDesktopServices::openUrl(QUrl(Url)); }

bool TDialogService::StartProgram(const QString& Program, const QStringList& Arguments) {
  return QProcess::startDetached(Program, Arguments);
}

void SetDialogService(TDialogService* Service) { GDialogs = Service; }
TDialogService& Dialogs() { return GDialogs ? *GDialogs : GQtDialogs; }

bool PrintLines(QPrinter& Printer, const QStringList& Lines, QString& Error) {
  QPainter P;
  if (!P.begin(&Printer)) {
    Error = "The printer could not be opened.";
    return false;
  }
  QFont Font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  Font.setPointSize(10);
  P.setFont(Font);
  const int LineHeight = P.fontMetrics().lineSpacing();
  const QRect Page = P.viewport();
  int Y = LineHeight;
  for (const QString& L : Lines) {
    if (Y > Page.height() && Y > LineHeight) {
      if (!Printer.newPage()) {
        Error = "The printer refused a new page.";
        P.end();
        return false;
      }
      Y = LineHeight;
    }
    P.drawText(0, Y, L);
    Y += LineHeight;
  }
  if (!P.end() || Printer.printerState() == QPrinter::Error) {
    Error = "The print failed.";
    return false;
  }
  return true;
}

}  // namespace calcpf
