#include "components/StyleControl.h"
#include "tests/support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vek;

class TestStyleControl : public QObject {
    Q_OBJECT
private slots:
    void themeComesFromTheManagerWhileUsed()
    {
        TdxCustomStyleControl control;
        QCOMPARE(control.EffectiveTheme(), TdxTheme::WindowsXP);
        auto manager = std::make_unique<TdxStyleManager>();
        QSignalSpy changes(manager.get(), &TdxStyleManager::ThemeChanged);
        control.SetStyleManager(manager.get());
        manager->SetTheme(TdxTheme::OfficeXP);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(control.EffectiveTheme(), TdxTheme::OfficeXP);
        control.Style().SetUseStyleManager(false);
        QCOMPARE(control.EffectiveTheme(), TdxTheme::WindowsXP);
        control.Style().SetUseStyleManager(true);
        manager.reset();
        QCOMPARE(control.StyleManager(), nullptr);
        QCOMPARE(control.EffectiveTheme(), TdxTheme::WindowsXP);
    }

    void managerForgetsAControlThatGoes()
    {
        TdxStyleManager manager;
        {
            TdxCustomStyleControl control;
            control.SetStyleManager(&manager);
        }
        manager.SetTheme(TdxTheme::OfficeXP); // must not touch the control that went
        QCOMPARE(manager.Theme(), TdxTheme::OfficeXP);
    }
};

VEK_TEST(TestStyleControl)
#include "tst_StyleControl.moc"
