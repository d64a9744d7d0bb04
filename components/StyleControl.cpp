#include "components/StyleControl.h"

namespace vek {

void TdxStyleManager::SetTheme(TdxTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    emit ThemeChanged();
    for (const auto &control : controls_) {
        if (control)
            control->InternalRedraw();
    }
}

void TdxStyle::SetTheme(TdxTheme theme)
{
    if (theme_ == theme)
        return;
    theme_ = theme;
    control_.InternalRedraw();
}

void TdxStyle::SetUseStyleManager(bool use)
{
    if (useStyleManager_ == use)
        return;
    useStyleManager_ = use;
    control_.InternalRedraw();
}

TdxCustomStyleControl::TdxCustomStyleControl(QWidget *parent) : TdxCustomControl(parent) {}

TdxCustomStyleControl::~TdxCustomStyleControl()
{
    if (styleManager_)
        styleManager_->controls_.removeAll(this);
}

void TdxCustomStyleControl::SetStyleManager(TdxStyleManager *manager)
{
    if (styleManager_ == manager)
        return;
    if (styleManager_)
        styleManager_->controls_.removeAll(this);
    styleManager_ = manager;
    if (manager)
        manager->controls_.append(this);
    InternalRedraw();
}

TdxTheme TdxCustomStyleControl::EffectiveTheme() const
{
    return style_.UseStyleManager() && styleManager_ ? styleManager_->Theme() : style_.Theme();
}

} // namespace vek
