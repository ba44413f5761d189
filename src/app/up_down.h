#pragma once
#include <QWidget>
#include <optional>

class QLineEdit;
class QToolButton;

namespace app {

// Up-down buttons paired with a one-line number box. The arrows (and the
// keyboard's up and down keys in the box) step the value by the increment,
// stopping at the ends of the range, and write it into the box, values of
// 1000 and more with the locale's thousands separator.
//
// Position() reads the box: a whole number within the range becomes the new
// position; anything else leaves the last accepted position in force while the
// box keeps what was typed, until editing ends (Enter, focus leaves): then
// the box shows the position.
class TUpDown : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDown(QWidget* parent);

  void SetAssociate(QLineEdit* box);
  void SetRange(int min, int max);
  void SetIncrement(int increment) { increment_ = increment; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Increment() const { return increment_; }

  int Position();
  // Clamps to the range and writes the value into the box.
  void SetPosition(int value);
  // One arrow press: +1 up, -1 down.
  void Click(int direction);

  // "1,000" for 1000 with the locale's separator; no separator below 1000.
  static QString FormatNumber(int value);
  // A whole number, thousands separators allowed; nothing otherwise.
  static std::optional<int> ParseNumber(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* box_ = nullptr;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0, max_ = 100, increment_ = 1, position_ = 0;
};

}  // namespace app
