#include "components/ScreenParts.h"

#include "components/ArrowButton.h"
#include "components/Container.h"
#include "components/ControlHint.h"
#include "components/DataGridBase.h"
#include "components/EffectLabel.h"
#include "components/SpeedButton.h"
#include "core/MessageBoxes.h"
#include "core/RowList.h"
#include "core/SiblingLibraries.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QPalette>

#include <exception>

namespace vek {

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    colours.setColor(QPalette::ButtonText, colour);
    colours.setColor(QPalette::Text, colour);
    widget->setPalette(colours);
}

TdxContainer *MakeBand(QWidget *parent, const QString &name, const QColor &colour, int height)
{
    auto *band = new TdxContainer(parent);
    band->setObjectName(name);
    band->SetColor(colour);
    band->setFixedHeight(height);
    return band;
}

TRxSpeedButton *MakeToolButton(QWidget *bar, const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new TRxSpeedButton(bar);
    button->setObjectName(name);
    button->SetCaption(caption);
    button->SetFlat(true);
    button->SetTransparent(true);
    SetTextColour(button, QColor(0, 0, 0x80));
    button->setFixedSize(caption.isEmpty() ? 30 : 44, 26);
    SetControlHint(button, hint);
    return button;
}

TdxContainer *MakeDirectionPanel(QWidget *bar, const QColor &colour, int width, TArrowButton *&arrow)
{
    const QColor navy(0, 0, 0x80);
    auto *panel = new TdxContainer(bar);
    panel->setObjectName(QStringLiteral("DrPnl"));
    panel->SetColor(colour);
    panel->SetShowCaption(true);
    panel->SetAlignment(Qt::AlignLeft);
    panel->SetBoundLines(TdxContainer::blLeft | TdxContainer::blTop | TdxContainer::blRight | TdxContainer::blBottom);
    panel->setGeometry(0, 3, width, 24);
    SetTextColour(panel, navy);
    SetControlHint(panel, QStringLiteral("진행방향|작업 그리드에서 Enter키를 쳤을 때 커서의 진행방향을 설정합니다. "));
    arrow = new TArrowButton(panel);
    arrow->setObjectName(QStringLiteral("ArrowBtn"));
    arrow->SetButtonColor(navy);
    arrow->setGeometry(4, 3, 18, 18);
    return panel;
}

void ShowDirection(TdxContainer *panel, TArrowButton *arrow, int direction)
{
    panel->SetCaption(direction == 1 ? QStringLiteral("    Right") : QStringLiteral("    Down"));
    arrow->SetDirection(direction == 1 ? arwRIGHT : arwDOWN);
}

HourGlass::HourGlass() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
{
    if (shown_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourGlass::~HourGlass()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

bool RunGuarded(const std::function<void()> &command)
{
    QString failure;
    {
        HourGlass busy;
        try {
            command();
            return true;
        } catch (const std::exception &error) {
            failure = QString::fromStdString(error.what());
        }
    }
    ShowErrorMsg(failure);
    return false;
}

void AppendSpecialChar(DataGridBase *grid, RowList &list, int column)
{
    grid->postEditor();
    ShowSpecialCharPicker();
    const QString pick = QApplication::clipboard()->text();
    if (pick == QStringLiteral("Non"))
        return;
    RunGuarded([grid, &list, column, &pick] { list.AppendToField(grid->fieldAt(column), pick); });
}

TLabelE *MakeMoveLabel(QWidget *bar)
{
    auto *label = new TLabelE(bar);
    label->setObjectName(QStringLiteral("TagLabel"));
    label->SetCaption(QStringLiteral("자료이동"));
    QFont italic(QStringLiteral("굴림"), 10);
    italic.setItalic(true);
    label->setFont(italic);
    label->SetFontColor(Qt::red);
    label->SetTransparent(true);
    label->setFixedSize(70, 22);
    label->hide();
    return label;
}

} // namespace vek
