#pragma once

#include "components/CustomControl.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace vek {

enum class TdxTheme { WindowsXP = 0, OfficeXP = 1 };

class TdxCustomStyleControl;

// Gives one theme to every styled control that points to it.
class TdxStyleManager : public QObject {
    Q_OBJECT
public:
    explicit TdxStyleManager(QObject *parent = nullptr) : QObject(parent) {}

    TdxTheme Theme() const { return theme_; }
    // Fires ThemeChanged, then repaints every control in the list.
    void SetTheme(TdxTheme theme);

signals:
    void ThemeChanged();

private:
    friend class TdxCustomStyleControl;
    TdxTheme theme_ = TdxTheme::WindowsXP;
    QList<QPointer<TdxCustomStyleControl>> controls_;
};

// The look settings of one styled control; every change repaints it.
class TdxStyle {
public:
    explicit TdxStyle(TdxCustomStyleControl &control) : control_(control) {}

    TdxTheme Theme() const { return theme_; }
    void SetTheme(TdxTheme theme);
    bool UseStyleManager() const { return useStyleManager_; }
    void SetUseStyleManager(bool use);

private:
    TdxCustomStyleControl &control_;
    TdxTheme theme_ = TdxTheme::WindowsXP;
    bool useStyleManager_ = true;
};

// A control that draws itself in a theme.
class TdxCustomStyleControl : public TdxCustomControl {
    Q_OBJECT
public:
    explicit TdxCustomStyleControl(QWidget *parent = nullptr);
    ~TdxCustomStyleControl() override;

    TdxStyle &Style() { return style_; }
    const TdxStyle &Style() const { return style_; }
    TdxStyleManager *StyleManager() const { return styleManager_; }
    // Moves the control from the old manager's list to the new one's and repaints it.
    void SetStyleManager(TdxStyleManager *manager);

    // The manager's theme when the style uses an assigned manager, else the style's own.
    TdxTheme EffectiveTheme() const;

private:
    friend class TdxStyle;
    friend class TdxStyleManager;
    TdxStyle style_{*this};
    QPointer<TdxStyleManager> styleManager_;
};

} // namespace vek
