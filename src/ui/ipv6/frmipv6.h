#pragma once
#include "model/network.h"
#include "ui/extrawindow.h"

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QSpinBox;
class BitsRow;
class UpDown;

// An IPv6 calculator beside the IPv4 one: an address in any text form, its
// prefix length and the length of the site's routing prefix; the address,
// network and last address in hex with their portions coloured, the hextets
// a boundary cuts in binary, and what the address is. Its spin controls step
// the subnet within the site and the address within the subnet.
class frmIPv6 : public ExtraWindow {
    Q_OBJECT
public:
    explicit frmIPv6(QWidget* parent = nullptr);

    // What the window shows: the address (host bits kept) and its prefix
    // length, the zone typed after "%", and the routing prefix's length.
    net::Network6 network() const { return shown_; }
    QString zone() const { return QString::fromStdString(zone_); }
    int site() const;

    // Steps the subnet ID (wrapping within the site) or the address (wrapping
    // within the network) by `amount`, and shows the result in the box.
    void StepSubnet(int amount);
    void StepAddress(int amount);

protected:
    void applyZoom(int percent) override;

private:
    void txtAddress_Change();
    void spnPrefix_Change();
    // Shows the site spin within the prefix: the length the user chose, or
    // the prefix length while that is shorter.
    void fitSite();
    void udChanger_Change(UpDown* spin, bool subnet);
    // Writes the shown address into the box, as the canonical text.
    void writeBox();
    void refresh();
    void showBinary();

    net::Network6 shown_;
    std::string zone_;
    // The routing prefix's length as last chosen: typing "/64" passes "/6",
    // which must not lose a site of /48.
    int siteWanted_ = 48;
    bool writing_ = false;

    QLabel* lblAddress_;
    QLineEdit* txtAddress_;
    QLabel* lblProblem_;
    QSpinBox* spnPrefix_;
    QSpinBox* spnSite_;
    std::array<QLabel*, 3> lblRows_{};
    std::array<BitsRow*, 3> hexRows_{};
    UpDown* udAddress_;
    UpDown* udSubnet_;
    std::array<QLabel*, 3> lblLegend_{};
    QLabel* lblBinary_;
    std::array<QLabel*, 2> lblBinaryRows_{};
    std::array<BitsRow*, 2> binRows_{};
    QLabel* lblNoBoundary_;
    std::array<QLabel*, 9> lblFacts_{};
    std::array<QLabel*, 9> lblValues_{};
};
