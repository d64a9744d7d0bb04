#include "app/TotalBar.h"

#include "components/CurrencyEdit.h"

#include <QLabel>

namespace vek {

namespace {

const QColor BarColour(0x00, 0x80, 0xC0);
constexpr int BarHeight = 22;

QFont BoldFont()
{
    QFont bold(QStringLiteral("굴림"), 9);
    bold.setBold(true);
    return bold;
}

QLabel *WhiteLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(BoldFont());
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(colours);
    return label;
}

TCurrencyEdit *TotalBox(const QString &name, QWidget *parent)
{
    auto *box = new TCurrencyEdit(parent);
    box->setObjectName(name);
    box->SetDisplayFormat(QStringLiteral(",0.;-,0."));
    box->SetZeroEmpty(false);
    box->SetReadOnly(true);
    box->setFrame(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(BoldFont());
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, BarColour);
    colours.setColor(QPalette::Text, Qt::white);
    box->setPalette(colours);
    return box;
}

double WholeUnitsOf(Currency sum)
{
    return double(sum.trunc());
}

} // namespace

TTotalBar::TTotalBar(const QString &caption, int boxesLeft, const QList<int> &boxWidths, QWidget *parent)
    : TdxContainer(parent)
{
    SetColor(BarColour);
    SetFocusable(false);
    setFixedHeight(BarHeight);
    Caption = WhiteLabel(caption, this);
    Caption->setGeometry(4, 0, boxesLeft - 4, BarHeight);
    LPCST11 = TotalBox(QStringLiteral("LPCST11"), this);
    LLCST11 = TotalBox(QStringLiteral("LLCST11"), this);
    LSCST11 = TotalBox(QStringLiteral("LSCST11"), this);
    LCSTTAL = TotalBox(QStringLiteral("LCSTTAL"), this);
    QList<std::pair<int, int>> places;
    int left = boxesLeft;
    for (int width : boxWidths) {
        places.append({left, width});
        left += width;
    }
    PlaceBoxes(places);
    EndMark = WhiteLabel(QStringLiteral("≪≫"), this);
    EndMark->setGeometry(0, 0, 30, BarHeight);
}

void TTotalBar::PlaceBoxes(const QList<std::pair<int, int>> &places)
{
    TCurrencyEdit *const boxes[] = {LPCST11, LLCST11, LSCST11, LCSTTAL};
    for (int i = 0; i < 4 && i < places.size(); ++i)
        boxes[i]->setGeometry(places[i].first, 3, places[i].second, BarHeight - 6);
}

void TTotalBar::ShowSums(const RollupSums &sums)
{
    LPCST11->SetValue(WholeUnitsOf(sums.material));
    LLCST11->SetValue(WholeUnitsOf(sums.labour));
    LSCST11->SetValue(WholeUnitsOf(sums.expense));
    LCSTTAL->SetValue(WholeUnitsOf(sums.total));
}

RollupSums TTotalBar::Sums() const
{
    return {Currency::fromDouble(LPCST11->Value()), Currency::fromDouble(LLCST11->Value()),
            Currency::fromDouble(LSCST11->Value()), Currency::fromDouble(LCSTTAL->Value())};
}

} // namespace vek
