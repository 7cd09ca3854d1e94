#pragma once
// The plot control's status bar: three panels of text with their widths, the last one taking
// what is left, and an optional size grip.
#include <QString>
#include <QWidget>
#include <vector>

class TPlotStatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit TPlotStatusBar(QWidget* Parent = nullptr);

  struct TPanel {
    QString Text;
    int Width = 50;
  };
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  const TPanel& Panel(int Index) const { return FPanels.at(Index); }
  // Out-of-range panels are ignored.
  void SetPanelText(int Index, const QString& Text);
  void SetPanelWidth(int Index, int Width);
  void SetPanels(const std::vector<TPanel>& Panels);
  // The width a panel needs to show Text whole in the bar's own font, frame and insets included.
  int FitWidth(const QString& Text) const;

  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  std::vector<TPanel> FPanels;
  bool FSizeGrip = true;
};
