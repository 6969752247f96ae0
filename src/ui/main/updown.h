#pragma once
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLineEdit;

// A pair of up/down arrows, separate from the box it feeds. A click on the
// upper half steps the value up, on the lower half down; held, it repeats.
// With a buddy box, every change of the value is written into the box as text,
// and a number typed or set into the box becomes the value the next step
// starts from.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Changes the value (clamped to the range); emits valueChanged when it differs.
    void setValue(int value);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setRange(int minimum, int maximum);
    int increment() const { return increment_; }
    void setIncrement(int increment) { increment_ = increment; }

    QLineEdit* buddy() const { return buddy_; }
    void setBuddy(QLineEdit* buddy);

    void stepUp() { setValue(value_ + increment_); }
    void stepDown() { setValue(value_ - increment_); }

    QSize sizeHint() const override { return {16, 22}; }

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum Half { None, Upper, Lower };
    Half halfAt(const QPoint& pos) const;
    void stepHalf(Half half);
    void repeat();
    void takeBuddyText(const QString& text);

    int value_ = 0;
    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    Half pressed_ = None;
    QTimer repeat_;
    QPointer<QLineEdit> buddy_;
};
