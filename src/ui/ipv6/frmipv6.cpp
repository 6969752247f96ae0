#include "ui/ipv6/frmipv6.h"

#include "cli/networkinput.h"
#include "model/binaryfield.h"
#include "model/dotted.h"
#include "model/ipv6facts.h"
#include "model/ipv6text.h"
#include "model/reversezones.h"
#include "model/addresstypes.h"
#include "ui/ipv6/bitsrow.h"
#include "ui/main/mainlayout.h"
#include "ui/main/updown.h"
#include "ui/zoom.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QVBoxLayout>


namespace {

using net::uint128;

constexpr int Hextets = 8;

// Ones in the last `bits` bits.
constexpr uint128 lowOnes(int bits)
{
    return bits <= 0 ? uint128(0) : bits >= 128 ? ~uint128(0) : (uint128(1) << bits) - 1;
}

// Thousands grouped, as the subnet table writes its counts; 2^128 too.
QString grouped(const net::Count128& count)
{
    const QString digits = QString::fromStdString(ipv6text::Decimal(count));
    const QString comma = QLocale().groupSeparator();
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0)
            out += comma;
        out += digits.at(i);
    }
    return out;
}

// "65,536 (2^16)": the count and the power of two it is.
QString powerCount(int bits)
{
    return QStringLiteral("%1 (2^%2)").arg(grouped(net::Count128(1) << bits)).arg(bits);
}

QString expanded(uint128 value)
{
    return QString::fromStdString(ipv6text::Expanded(value));
}

QString networkText(uint128 value, int length)
{
    return QString::fromStdString(ipv6text::ToString(value)) + QLatin1Char('/') + QString::number(length);
}

QString v4(std::uint32_t address)
{
    return QString::fromStdString(dotted::ToString(address));
}

// "Documentation, 2001:db8::/32 (RFC 3849); not globally reachable".
QString typeText(net::uint128 address)
{
    const specialpurpose::Entry6* e = specialpurpose::Lookup6(address);
    QString text = QString::fromUtf8(e->name) + QStringLiteral(", ") + QString::fromUtf8(e->block);
    if (*e->rfc)
        text += QStringLiteral(" (") + QString::fromUtf8(e->rfc) + QLatin1Char(')');
    switch (e->globallyReachable) {
    case specialpurpose::Reachable::True: text += QStringLiteral("; globally reachable"); break;
    case specialpurpose::Reachable::False: text += QStringLiteral("; not globally reachable"); break;
    case specialpurpose::Reachable::NotApplicable: text += QStringLiteral("; global reach: N/A"); break;
    case specialpurpose::Reachable::Blank: break;
    }
    return text;
}

// "00:11:22:33:44:55" after an identifier made from it.
QString interfaceText(const net::Network6& n)
{
    if (n.length() < 64)
        return QStringLiteral("- (the prefix is shorter than /64)");
    QString text = QString::fromStdString(ipv6facts::InterfaceIdText(n.address()));
    if (const auto mac = ipv6facts::MacOf(n.address()))
        text += QStringLiteral(", EUI-64 from MAC ") + QString::fromStdString(ipv6facts::MacText(*mac));
    return text;
}

QString embeddedText(net::uint128 address)
{
    const auto e = ipv6facts::EmbeddedIPv4(address);
    if (!e)
        return QStringLiteral("-");
    const QString carrier = QString::fromUtf8(ipv6facts::CarrierName(e->carrier));
    if (e->carrier == ipv6facts::Carrier::Teredo)
        return QStringLiteral("server %1, client %2 port %3 (%4)")
            .arg(v4(e->ipv4), v4(e->client), QString::number(e->port), carrier);
    return QStringLiteral("%1 (%2)").arg(v4(e->ipv4), carrier);
}

// One zone, or how many at which length with the first and the last; every
// zone in `all` (a tooltip).
QString zonesText(const net::Network6& n, QString& all)
{
    const reversezones::Zones zones(n.trunc());
    all.clear();
    for (std::uint32_t i = 0; i < zones.count(); ++i)
        all += (i ? QStringLiteral("\n") : QString()) + QString::fromStdString(zones.zone(i));
    if (zones.count() == 1)
        return QString::fromStdString(zones.zone(0));
    return QStringLiteral("%1 zones at /%2: %3 to %4")
        .arg(zones.count())
        .arg(zones.length())
        .arg(QString::fromStdString(zones.zone(0)), QString::fromStdString(zones.zone(zones.count() - 1)));
}

const char* const rowCaptions[] = {"Address:", "Network:", "Last address:"};
const char* const rowNames[] = {"Address", "Network", "Last address"};
// The facts, by their index in lblValues.
enum Fact { Compressed, NetworkFact, Type, Addresses, Networks64, Subnet, Interface, EmbeddedIPv4, ReverseZone };
const char* const factCaptions[] = {"Compressed:", "Network:",      "Type:",          "Addresses:",  "/64 networks:",
                                    "Subnet:",     "Interface ID:", "Embedded IPv4:", "Reverse zone:"};

} // namespace

frmIPv6::frmIPv6(QWidget* parent) : ExtraWindow(QStringLiteral("frmIPv6"), platform::bsFixedSingle, parent)
{
    setWindowTitle(QStringLiteral("IPv6 Calculator"));
    setAccessibleName(QStringLiteral("IPv6 calculator"));

    lblAddress_ = plainLabel(this, "lblAddress", QStringLiteral("&Address:"), QStringLiteral("Address caption"));
    txtAddress_ = new QLineEdit(this);
    txtAddress_->setObjectName(QStringLiteral("txtAddress"));
    txtAddress_->setAccessibleName(QStringLiteral("IPv6 address"));
    txtAddress_->setToolTip(QStringLiteral("An IPv6 address in any form: 2001:db8::1, 2001:0DB8:0:0:0:0:0:1, "
                                           "::ffff:192.0.2.1;\noptionally a prefix length (/64) and a zone "
                                           "(fe80::1%eth0)."));
    txtAddress_->setMaxLength(200);
    lblAddress_->setBuddy(txtAddress_);
    lblProblem_ = plainLabel(this, "lblProblem", QString(), QStringLiteral("Problem with the address"));
    lblProblem_->setWordWrap(true);
    // A palette, not a style sheet: a style sheet would stop the zoom's font.
    QPalette warning = lblProblem_->palette();
    warning.setColor(QPalette::WindowText, QColor(0xb0, 0, 0));
    lblProblem_->setPalette(warning);

    auto* lblPrefix = plainLabel(this, "lblPrefix", QStringLiteral("&Prefix length:"), QStringLiteral("Prefix caption"));
    spnPrefix_ = new QSpinBox(this);
    spnPrefix_->setObjectName(QStringLiteral("spnPrefix"));
    spnPrefix_->setAccessibleName(QStringLiteral("Prefix length"));
    spnPrefix_->setRange(0, 128);
    spnPrefix_->setPrefix(QStringLiteral("/"));
    spnPrefix_->setToolTip(QStringLiteral("The network's prefix length: the bits of the routing prefix and the "
                                          "subnet ID together."));
    lblPrefix->setBuddy(spnPrefix_);
    auto* lblSite = plainLabel(this, "lblSite", QStringLiteral("&Site prefix:"), QStringLiteral("Site caption"));
    spnSite_ = new QSpinBox(this);
    spnSite_->setObjectName(QStringLiteral("spnSite"));
    spnSite_->setAccessibleName(QStringLiteral("Routing prefix length"));
    spnSite_->setPrefix(QStringLiteral("/"));
    spnSite_->setToolTip(QStringLiteral("The length of the routing prefix the site was given (often /48 or "
                                        "/56);\nthe bits from there to the prefix length number the site's "
                                        "subnets."));
    lblSite->setBuddy(spnSite_);

    auto* fraHex = new QGroupBox(QStringLiteral("In hexadecimal"), this);
    fraHex->setObjectName(QStringLiteral("fraHex"));
    fraHex->setAccessibleName(fraHex->title());
    auto* hexGrid = new QGridLayout(fraHex);
    for (int i = 0; i < 3; ++i) {
        lblRows_[size_t(i)] = plainLabel(fraHex, "lblRows", QLatin1String(rowCaptions[i]),
                                        QLatin1String(rowNames[i]) + QStringLiteral(" caption"));
        lblRows_[size_t(i)]->setObjectName(QStringLiteral("lblRows_%1").arg(i));
        auto* row = new BitsRow(fraHex);
        row->setObjectName(QStringLiteral("hexRows_%1").arg(i));
        row->setAccessibleName(QLatin1String(rowNames[i]) + QStringLiteral(" in hexadecimal"));
        hexRows_[size_t(i)] = row;
        hexGrid->addWidget(lblRows_[size_t(i)], i, 0);
        hexGrid->addWidget(row, i, 1);
    }
    // As the main window's host and subnet arrows: each step is one, ten
    // with Shift, a hundred with Ctrl, a thousand with both.
    auto makeChanger = [&](const char* name, const QString& accessible, const QString& tip) {
        auto* u = new UpDown(fraHex);
        u->setObjectName(QLatin1String(name));
        u->setAccessibleName(accessible);
        u->setToolTip(tip);
        u->setRange(-1, 1);
        u->setValue(0);
        return u;
    };
    udAddress_ = makeChanger("udAddress", QStringLiteral("Step the address"),
                             QStringLiteral("The next or previous address of the network, wrapping at its ends "
                                            "(Shift: 10, Ctrl: 100, both: 1000)"));
    udSubnet_ = makeChanger("udSubnet", QStringLiteral("Step the subnet"),
                            QStringLiteral("The next or previous subnet of the site, wrapping at its ends; the "
                                           "interface ID stays (Shift: 10, Ctrl: 100, both: 1000)"));
    hexGrid->addWidget(udAddress_, 0, 2, Qt::AlignLeft);
    hexGrid->addWidget(udSubnet_, 1, 2, Qt::AlignLeft);
    connect(udAddress_, &UpDown::valueChanged, this, [this] { udChanger_Change(udAddress_, false); });
    connect(udSubnet_, &UpDown::valueChanged, this, [this] { udChanger_Change(udSubnet_, true); });

    auto* legend = new QHBoxLayout;
    const QColor colours[3] = {mainlayout::NetworkGreen, mainlayout::SubnetPink, mainlayout::HostBlue};
    for (int i = 0; i < 3; ++i) {
        auto* swatch = new QLabel(fraHex);
        swatch->setObjectName(QStringLiteral("shapeLegend_%1").arg(i));
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, colours[i]);
        swatch->setPalette(p);
        swatch->setAccessibleName(QStringLiteral("Colour of the portion"));
        lblLegend_[size_t(i)] = plainLabel(fraHex, "lblLegend", QString(), QStringLiteral("Portion"));
        lblLegend_[size_t(i)]->setObjectName(QStringLiteral("lblLegend_%1").arg(i));
        legend->addWidget(swatch);
        legend->addWidget(lblLegend_[size_t(i)]);
        legend->addSpacing(12);
    }
    legend->addStretch(1);
    hexGrid->addLayout(legend, 3, 1, 1, 3);

    lblBinary_ = plainLabel(fraHex, "lblBinary", QStringLiteral("Hextets a boundary falls in, in binary:"),
                           QStringLiteral("Boundary hextets caption"));
    hexGrid->addWidget(lblBinary_, 4, 0, 1, 4);
    for (int i = 0; i < 2; ++i) {
        lblBinaryRows_[size_t(i)] = plainLabel(fraHex, "lblBinaryRows", QString(), QStringLiteral("Hextet"));
        lblBinaryRows_[size_t(i)]->setObjectName(QStringLiteral("lblBinaryRows_%1").arg(i));
        auto* row = new BitsRow(fraHex);
        row->setObjectName(QStringLiteral("binRows_%1").arg(i));
        // Hidden rows keep their room: the window keeps its size as the
        // boundaries move.
        for (QWidget* w : {static_cast<QWidget*>(row), static_cast<QWidget*>(lblBinaryRows_[size_t(i)])}) {
            QSizePolicy keep = w->sizePolicy();
            keep.setRetainSizeWhenHidden(true);
            w->setSizePolicy(keep);
        }
        row->setAccessibleName(QStringLiteral("Hextet in binary"));
        binRows_[size_t(i)] = row;
        hexGrid->addWidget(lblBinaryRows_[size_t(i)], 5 + i, 0);
        hexGrid->addWidget(row, 5 + i, 1, 1, 3);
    }
    lblNoBoundary_ = plainLabel(fraHex, "lblNoBoundary", QString(), QStringLiteral("Boundaries"));
    hexGrid->addWidget(lblNoBoundary_, 5, 0, 1, 4);
    // The arrows beside the rows they step, the room left over after them.
    hexGrid->setColumnStretch(3, 1);

    auto* fraFacts = new QGroupBox(QStringLiteral("About the address"), this);
    fraFacts->setObjectName(QStringLiteral("fraFacts"));
    fraFacts->setAccessibleName(fraFacts->title());
    auto* facts = new QGridLayout(fraFacts);
    for (int i = 0; i < int(lblFacts_.size()); ++i) {
        const QString caption = QLatin1String(factCaptions[i]);
        QLabel* c = plainLabel(fraFacts, "lblFacts", caption, caption.chopped(1) + QStringLiteral(" caption"));
        c->setObjectName(QStringLiteral("lblFacts_%1").arg(i));
        QLabel* v = plainLabel(fraFacts, "lblValues", QString(), caption.chopped(1));
        v->setObjectName(QStringLiteral("lblValues_%1").arg(i));
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        lblFacts_[size_t(i)] = c;
        lblValues_[size_t(i)] = v;
        facts->addWidget(c, i, 0, Qt::AlignTop);
        facts->addWidget(v, i, 1);
    }
    facts->setColumnStretch(1, 1);

    // What is wrong with the text shows beside the spins, under the box.
    auto* top = new QGridLayout;
    top->addWidget(lblAddress_, 0, 0);
    top->addWidget(txtAddress_, 0, 1, 1, 6);
    top->addWidget(lblPrefix, 1, 0);
    top->addWidget(spnPrefix_, 1, 1);
    top->addWidget(lblSite, 1, 3);
    top->addWidget(spnSite_, 1, 4);
    top->addWidget(lblProblem_, 1, 6);
    top->setColumnMinimumWidth(2, 12);
    top->setColumnMinimumWidth(5, 12);
    top->setColumnStretch(6, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(fraHex);
    all->addWidget(fraFacts);
    // The window is as large as its rows need, at every zoom.
    all->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtAddress_, spnPrefix_);
    setTabOrder(spnPrefix_, spnSite_);
    setTabOrder(spnSite_, udAddress_);
    setTabOrder(udAddress_, udSubnet_);

    connect(txtAddress_, &QLineEdit::textChanged, this, [this] { txtAddress_Change(); });
    connect(spnPrefix_, &QSpinBox::valueChanged, this, [this] { spnPrefix_Change(); });
    connect(spnSite_, &QSpinBox::valueChanged, this, [this](int site) {
        siteWanted_ = site;
        refresh();
    });

    applyZoom(zoom::percent());
    // A documentation address in a site of /48, at the usual /64.
    spnPrefix_->setValue(64);
    spnSite_->setValue(siteWanted_);
    txtAddress_->setText(QStringLiteral("2001:db8:acad:1::1/64"));
    // Selected, so that typing replaces it.
    txtAddress_->selectAll();
    txtAddress_->setFocus();
}

int frmIPv6::site() const
{
    return spnSite_->value();
}

void frmIPv6::txtAddress_Change()
{
    if (writing_)
        return;
    // Read as the terminal program reads an operand; an empty box asks for
    // an address rather than finding fault.
    const QString typed = txtAddress_->text().trimmed();
    std::string problem;
    const auto entry = typed.isEmpty() ? std::nullopt : cli::ParseNetwork6(typed.toStdString(), problem);
    if (!entry) {
        // The last good answer stays; what is wrong shows beside it.
        lblProblem_->setText(typed.isEmpty() ? QStringLiteral("Type an IPv6 address, such as 2001:db8::1/64.")
                                             : QString::fromStdString(problem));
        return;
    }
    lblProblem_->clear();
    zone_ = entry->zone;
    // A bare address keeps the prefix spin's length.
    const int length = typed.contains(QLatin1Char('/')) ? entry->network.length() : spnPrefix_->value();
    shown_ = net::Network6(entry->network.address(), length);
    if (spnPrefix_->value() != length) {
        // The spin's change handler would write the box over the user's typing.
        const QSignalBlocker quiet(spnPrefix_);
        spnPrefix_->setValue(length);
        fitSite();
    }
    refresh();
}

void frmIPv6::fitSite()
{
    const int length = spnPrefix_->value();
    const QSignalBlocker quiet(spnSite_);
    spnSite_->setMaximum(length);
    spnSite_->setValue(std::min(siteWanted_, length));
}

void frmIPv6::spnPrefix_Change()
{
    const int length = spnPrefix_->value();
    fitSite();
    shown_ = net::Network6(shown_.address(), length);
    writeBox();
    refresh();
}

void frmIPv6::udChanger_Change(UpDown* spin, bool subnet)
{
    const int step = spin->value();
    if (step == 0)
        return; // putting the value back re-enters here
    spin->setValue(0);
    const Qt::KeyboardModifiers held = QApplication::keyboardModifiers();
    const int amount = ScaleStep(step, held & Qt::ShiftModifier, held & Qt::ControlModifier);
    if (subnet)
        StepSubnet(amount);
    else
        StepAddress(amount);
}

void frmIPv6::StepAddress(int amount)
{
    const uint128 host = shown_.hostmask();
    const uint128 offset = (shown_.address() - shown_.network() + uint128(__int128(amount))) & host;
    shown_ = net::Network6(shown_.network() | offset, shown_.length());
    writeBox();
    refresh();
}

void frmIPv6::StepSubnet(int amount)
{
    const int bits = shown_.length() - site();
    if (bits > 0) {
        // The subnet ID's bits, counted from the right of the prefix.
        const int shift = 128 - shown_.length();
        const uint128 ids = lowOnes(bits);
        const uint128 id = ((shown_.address() >> shift & ids) + uint128(__int128(amount))) & ids;
        const uint128 cleared = shown_.address() & ~(ids << shift);
        shown_ = net::Network6(cleared | id << shift, shown_.length());
    }
    writeBox();
    refresh();
}

void frmIPv6::writeBox()
{
    // The canonical text, which reads back as what is shown.
    QString text = QString::fromStdString(ipv6text::ToString(ipv6text::Address{shown_.address(), zone_}));
    text += QLatin1Char('/') + QString::number(shown_.length());
    writing_ = true;
    txtAddress_->setText(text);
    writing_ = false;
    lblProblem_->clear();
}

void frmIPv6::refresh()
{
    const int prefix = shown_.length();
    const int site = std::min(spnSite_->value(), prefix);
    const uint128 values[3] = {shown_.address(), shown_.network(), shown_.broadcast()};
    for (int i = 0; i < 3; ++i)
        hexRows_[size_t(i)]->setRow(expanded(values[i]), 0, 4, site, prefix);
    const QString portions = QStringLiteral("Routing prefix: bits 1 to %1. Subnet ID: %2. Interface ID: %3.")
                                 .arg(site)
                                 .arg(prefix > site ? QStringLiteral("bits %1 to %2").arg(site + 1).arg(prefix)
                                                    : QStringLiteral("none"))
                                 .arg(prefix < 128 ? QStringLiteral("bits %1 to 128").arg(prefix + 1)
                                                   : QStringLiteral("none"));
    for (BitsRow* row : hexRows_)
        row->setAccessibleDescription(portions);
    for (BitsRow* row : binRows_)
        row->setAccessibleDescription(portions);
    lblLegend_[0]->setText(QStringLiteral("Routing prefix (/%1)").arg(site));
    lblLegend_[1]->setText(QStringLiteral("Subnet ID (%1 bits)").arg(prefix - site));
    lblLegend_[2]->setText(QStringLiteral("Interface ID (%1 bits)").arg(128 - prefix));
    showBinary();

    lblValues_[Compressed]->setText(
        QString::fromStdString(ipv6text::ToString(ipv6text::Address{shown_.address(), zone_})) + QLatin1Char('/') +
        QString::number(prefix));
    lblValues_[NetworkFact]->setText(networkText(shown_.network(), prefix));
    lblValues_[Type]->setText(typeText(shown_.address()));
    lblValues_[Addresses]->setText(powerCount(128 - prefix));
    lblValues_[Networks64]->setText(ipv6facts::Subnets64(shown_) ? powerCount(64 - prefix)
                                                                 : QStringLiteral("none whole: the network lies inside one /64"));
    const int subnetBits = prefix - site;
    const uint128 id = subnetBits > 0 ? shown_.address() >> (128 - prefix) & lowOnes(subnetBits) : uint128(0);
    lblValues_[Subnet]->setText(QStringLiteral("%1 (from 0) of %2 /%3 subnets in %4")
                                    .arg(grouped(net::Count128(id)), grouped(net::Count128(1) << subnetBits),
                                         QString::number(prefix),
                                         networkText(shown_.address() & net::Network6::maskOf(site), site)));
    lblValues_[Interface]->setText(interfaceText(shown_));
    lblValues_[EmbeddedIPv4]->setText(embeddedText(shown_.address()));
    QString every;
    lblValues_[ReverseZone]->setText(zonesText(shown_, every));
    lblValues_[ReverseZone]->setToolTip(every);
}

void frmIPv6::showBinary()
{
    const int prefix = shown_.length();
    const int site = std::min(spnSite_->value(), prefix);
    // The hextets a boundary cuts: where it falls on a hextet's edge, the
    // hex row shows it as well as binary would.
    std::vector<int> hextets;
    for (int boundary : {site, prefix})
        if (boundary % 16 != 0 && (hextets.empty() || hextets.back() != boundary / 16))
            hextets.push_back(boundary / 16);
    for (size_t i = 0; i < binRows_.size(); ++i) {
        const bool used = i < hextets.size();
        lblBinaryRows_[i]->setVisible(used);
        binRows_[i]->setVisible(used);
        if (!used)
            continue;
        const int h = hextets[i];
        const unsigned value = unsigned(shown_.address() >> (16 * (Hextets - 1 - h)) & 0xffff);
        QString bits;
        for (int b = 15; b >= 0; --b) {
            bits += value >> b & 1 ? QLatin1Char('1') : QLatin1Char('0');
            if (b && b % 4 == 0)
                bits += QLatin1Char(' ');
        }
        lblBinaryRows_[i]->setText(QStringLiteral("Hextet %1 (bits %2 to %3):").arg(h + 1).arg(16 * h + 1).arg(16 * h + 16));
        lblBinaryRows_[i]->setAccessibleName(lblBinaryRows_[i]->text());
        binRows_[i]->setRow(bits, 16 * h, 1, site, prefix);
    }
    lblNoBoundary_->setVisible(hextets.empty());
    lblNoBoundary_->setText(QStringLiteral("None: /%1 and /%2 fall between hextets.").arg(site).arg(prefix));
}

void frmIPv6::applyZoom(int percent)
{
    setFont(mainlayout::designFont(QApplication::font(), percent));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed = zoom::scaled(fixed, 13, percent);
    for (BitsRow* row : hexRows_)
        row->setFont(fixed);
    for (BitsRow* row : binRows_)
        row->setFont(fixed);
    const QFontMetrics fm(font());
    const int unit = fm.height();
    // The captions' column as wide as the widest hextet caption, so the
    // window keeps its width as boundaries come and go.
    if (auto* grid = qobject_cast<QGridLayout*>(findChild<QGroupBox*>(QStringLiteral("fraHex"))->layout()))
        grid->setColumnMinimumWidth(0, fm.horizontalAdvance(QStringLiteral("Hextet 8 (bits 113 to 128):")));
    for (QLabel* l : lblValues_)
        l->setMinimumWidth(hexRows_[0]->sizeHint().width());
    for (int i = 0; i < 3; ++i)
        if (auto* swatch = findChild<QLabel*>(QStringLiteral("shapeLegend_%1").arg(i)))
            swatch->setFixedSize(unit * 3 / 4, unit * 3 / 4);
    for (QWidget* w : {static_cast<QWidget*>(udAddress_), static_cast<QWidget*>(udSubnet_)})
        w->setFixedSize(unit * 16 / 14, unit * 2 - 2);
    // Room for two lines of reason, so the window keeps its size as it changes.
    lblProblem_->setMinimumHeight(unit * 2);
    // A caption's colon never meets its value, at any zoom.
    if (auto* grid = qobject_cast<QGridLayout*>(findChild<QGroupBox*>(QStringLiteral("fraFacts"))->layout()))
        grid->setHorizontalSpacing(unit);
    lblProblem_->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('0')) * 20);
    txtAddress_->setMinimumWidth(fm.horizontalAdvance(QLatin1Char('0')) * 44);
    // Its new size now, not at the next event: the zoom then keeps it on
    // its screen and knows how far it may grow.
    layout()->activate();
}
