#pragma once
// What the independent metafile readers make of our pictures: the SVG of an EMF (emf2svg-conv)
// or a WMF (wmf2svg), and the texts in it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

// The SVG a reader makes of File; empty (and a failure) when it cannot.
inline QString MetafileToSvg(bool Enhanced, const QString& File) {
  const QString Exe = QStandardPaths::findExecutable(Enhanced ? QStringLiteral("emf2svg-conv")
                                                              : QStringLiteral("wmf2svg"));
  if (Exe.isEmpty()) {
    ADD_FAILURE() << (Enhanced ? "emf2svg-conv" : "wmf2svg")
                  << " is not installed (see tools/packages.txt)";
    return {};
  }
  const QString Svg = File + QStringLiteral(".svg");
  QProcess P;
  if (Enhanced)
    P.start(Exe, {QStringLiteral("-i"), File, QStringLiteral("-o"), Svg});
  else
    P.start(Exe, {QStringLiteral("--inline"), QStringLiteral("-o"), Svg, File});
  if (!P.waitForFinished(60000) || P.exitCode() != 0) {
    ADD_FAILURE() << "converter failed: " << P.readAllStandardError().toStdString();
    return {};
  }
  QFile F(Svg);
  if (!F.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(F.readAll());
}

// The texts of an SVG, joined (one reader writes a text element per character).
inline QString SvgTexts(const QString& Svg) {
  static const QRegularExpression Re(QStringLiteral(R"(<text[^>]*>\s*(?:<!\[CDATA\[)?([^<\]]*))"));
  QString All;
  for (const QRegularExpressionMatch& M : Re.globalMatch(Svg)) All += M.captured(1).trimmed();
  return All;
}
