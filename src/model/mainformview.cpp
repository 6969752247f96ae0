#include "model/mainformview.h"

#include "model/clsipaddy.h"
#include "model/mainformview_steps.h"

MainFormView MainFormView::design()
{
    MainFormView v;
    for (int i : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21})
        v.lblValues[size_t(i)] = QStringLiteral("...");
    v.lblValues[0] = QStringLiteral("180.");
    v.lblValues[1] = QStringLiteral("11111111.11111111.11111111.11111111");
    v.lblSubnetRange = QStringLiteral("...");
    // Nothing is hidden until the first refresh decides.
    v.subnetted = true;
    for (size_t r = 0; r < 6; ++r) {
        for (size_t i = 0; i < 3; ++i)
            v.shapeMaskBits[3 * r + i] = BarGeometry{mainform::kBarsLeft + int(i) * 120, 105};
    }
    return v;
}

void ComputeUpdateForm(const clsIPAddy& model, MainFormView& view)
{
    mainform::UpdateForm(model, view);
}

void ComputeAdjustSubnetLines(const clsIPAddy& model, MainFormView& view)
{
    mainform::AdjustSubnetLines(model, view);
}

namespace mainform {

void AppendShare(Text& t, double share, const QString& decimalPoint)
{
    const qint64 hundredths = std::llround(share * 10000);
    const qint64 whole = hundredths / 100;
    const int cents = int(hundredths % 100);
    if (whole < 10)
        t << QChar(u'0');
    t.number(double(whole)) << decimalPoint << QChar(char16_t(u'0' + cents / 10)) << QChar(char16_t(u'0' + cents % 10))
                            << QChar(u'%');
}

QString FormatShare(double share, const QString& decimalPoint)
{
    Text t;
    AppendShare(t, share, decimalPoint);
    QString s;
    t.writeTo(s);
    return s;
}

} // namespace mainform
