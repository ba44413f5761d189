#pragma once
#include <QWidget>
#include <array>

class QLabel;

namespace app {

// A status bar of four text panels of fixed widths. The window keeps it hidden
// at a height of 0; its texts are kept up to date all the same.
class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit TStatusBar(QWidget* parent);

  static constexpr int kPanelCount = 4;
  QString PanelText(int panel) const;
  void SetPanelText(int panel, const QString& text);

 private:
  std::array<QLabel*, kPanelCount> panels_{};
};

}  // namespace app
