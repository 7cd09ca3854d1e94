#pragma once
// The classes that a chart stream or the editors create by name. The table is filled by one
// explicit call from start-up (RegisterChartClasses); nothing registers itself.
#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

struct TChartClassEntry {
  QString Name;
  // Makes an instance with Parent as owner; null for parts that only their owner creates
  // (walls, titles, legend, gradient) and that a stream names but never creates alone.
  std::function<QWidget*(QWidget* Parent)> Create;
};

// Adds or replaces an entry; names match without regard to case.
void RegisterChartClass(const QString& Name, std::function<QWidget*(QWidget*)> Create = nullptr);
const TChartClassEntry* FindChartClass(const QString& Name);
QStringList RegisteredChartClasses();
// Fills the table with the chart library's classes and registers its cursor; safe to call more
// than once.
void RegisterChartClasses();
