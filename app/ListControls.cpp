#include "app/ListControls.h"

#include "components/EffectLabel.h"
#include "core/MessageBoxes.h"

#include <QApplication>

#include <exception>

namespace vek {

HourGlass::HourGlass()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourGlass::~HourGlass()
{
    QApplication::restoreOverrideCursor();
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

DatasetColumn ListColumn(const QString &field, const QString &title, int width, Qt::Alignment alignment)
{
    DatasetColumn column;
    column.field = field;
    column.title = title;
    column.width = width;
    column.alignment = alignment;
    column.readOnly = true;
    return column;
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
