#pragma once
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// An address typed as the calculator takes it: four octet boxes that behave
// as its boxes do ("." and Backspace move between them, other characters are
// refused, a paste or drop fills all four), an optional length after a slash,
// and an optional "no such address" box for the questions whose answer may
// not exist. Unlike the calculator's boxes, a box is never corrected: in a
// quiz an octet above 255 or with a leading zero is a typo to point out, not
// an answer to mark.
class AddressAnswer : public QWidget {
    Q_OBJECT
public:
    // `what` names the answer for screen readers ("First usable host").
    explicit AddressAnswer(const QString& what, QWidget* parent = nullptr);

    void setWithLength(bool with);
    void setNoSuchAllowed(bool allowed);
    bool withLength() const;

    // The typed address, or nothing while a box is empty or, with `problem`
    // saying which, an octet is not one (more than 255, a leading zero).
    std::optional<std::uint32_t> address(QString* problem = nullptr) const;
    // The length typed, or nothing while the length box is blank.
    std::optional<int> length() const;
    bool noSuchAddress() const;

    // Fills the boxes (and the length when shown), as a paste does.
    void setAddress(std::uint32_t address, std::optional<int> length = std::nullopt);
    // A whole address pasted into a box; other text changes nothing.
    void paste(const QString& text);
    // Every box blank, the length too.
    void clear();
    // Answered and checked: the boxes show the answer but take no more typing.
    void setLocked(bool locked);

    QLineEdit* box(int i) const { return txtOctet_[size_t(i)]; }
    QWidget* firstControl() const;
    QWidget* lastControl() const;

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool boxEvent(int index, QEvent* event);
    void boxMenu(int index, const QPoint& globalPos);

    std::array<QLineEdit*, 4> txtOctet_{};
    std::array<QLabel*, 3> lblDots_{};
    QLabel* lblSlash_;
    QSpinBox* spnLength_;
    QCheckBox* chkNoSuchAddress_;
    int enteringClick_ = -1;
    bool locked_ = false;
};
