#include "components/ImeGridStringGrid.h"
#include "components/SpeedButton.h"
#include "core/MoneyFormat.h"
#include "core/ProgramState.h"
#include "core/TextUtils.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/CostSheetPage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

// The page over a fresh database, shown and loaded with main totals 1,000,000 /
// 2,000,000 / 300,000, its grid focused.
class LoadedPage {
public:
    LoadedPage() : totals(MainTotals(1000000, 2000000, 300000))
    {
        page.resize(760, 700);
        page.show();
        page.activateWindow();
        active = QTest::qWaitForWindowActive(&page);
        page.LoadCostSheet();
        page.dGrid->setFocus();
    }

    QString cell(int col, int row) const { return TrimText(page.Cells(col, row)); }
    void goTo(int row, int col) { page.dGrid->setCurrentCell(row, col); }

    TempDatabase db;
    MainTotalsLink totals;
    TCostSheetPage page;
    bool active = false;
};

// What the keys table does in a cell, step by step: "Enter", "Backspace", or text to
// type (Korean composed).
void Act(THStringGrid *grid, const QString &action)
{
    for (const QString &step : action.split(u' ')) {
        if (step == "Enter")
            QTest::keyClick(grid, Qt::Key_Return);
        else if (step == "Backspace")
            QTest::keyClick(grid, Qt::Key_Backspace);
        else
            TypeText(grid, step);
    }
}

// The dark pixels of a cell as drawn: their bounds inside the cell.
QRect InkIn(const QImage &shown, const QRect &cell)
{
    QRect ink;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            if (qGray(shown.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink.translated(-cell.topLeft());
}

} // namespace

// The cost-statement page: what the keys do in each column, the formula view, and how
// the cells are drawn.
class TestCostSheetPage : public QObject {
    Q_OBJECT

    UnexpectedMessages unexpected;

private slots:
    void init()
    {
        DataChanged = false;
        unexpected.Start();
    }
    void cleanup() { QCOMPARE(unexpected.Stop(), QStringList()); }

    // Each case starts in a cell of the loaded statement, acts there, and leaves a cell's
    // text and the current row.
    void keys_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("checkedRow");
        QTest::addColumn<int>("checkedCol");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("currentRow");
        QTest::newRow("letters in an amount") << 2 << 2 << "abc" << 2 << 2 << "0" << 2;
        QTest::newRow("letters among digits") << 2 << 2 << "1a2 Enter" << 2 << 2 << "12" << 3;
        QTest::newRow("digits in a summary amount") << 20 << 2 << "99" << 20 << 2 << "737,414" << 20;
        QTest::newRow("typing in a summary name")
            << 4 << 1 << "abc" << 4 << 1 << QStringLiteral("■ 재     료     비      계") << 4;
        QTest::newRow("Korean in a summary name")
            << 4 << 1 << QStringLiteral("가") << 4 << 1 << QStringLiteral("■ 재     료     비      계") << 4;
        QTest::newRow("Korean in a name") << 2 << 1 << QStringLiteral("간접재료") << 2 << 1
                                          << QStringLiteral("간접재료") << 2;
        QTest::newRow("Korean in a name, then Enter")
            << 2 << 1 << QStringLiteral("자재 Enter") << 2 << 1 << QStringLiteral("자재") << 3;
        QTest::newRow("Enter in an amount recalculates and moves down")
            << 2 << 2 << "1234 Enter" << 4 << 2 << "1,001,234" << 3;
        QTest::newRow("Backspace in an amount") << 2 << 2 << "12 Backspace Enter" << 2 << 2 << "1" << 3;
        QTest::newRow("Enter on row 29 stays") << 29 << 2 << "Enter" << 29 << 2 << "5,060,743" << 29;
        QTest::newRow("Enter in a formula recalculates")
            << 6 << 5 << "[5]*0.2 Enter" << 6 << 2 << "400,000" << 7;
        QTest::newRow("a remark takes 15 bytes")
            << 3 << 4 << "abcdefghijklmnop Enter" << 3 << 4 << "abcdefghijklmno" << 4;
        QTest::newRow("a name takes 30 bytes") << 10 << 1 << QStringLiteral("가나다라마바사아자차카타파하가나")
                                               << 10 << 1 << QStringLiteral("가나다라마바사아자차카타파하가") << 10;
    }
    void keys()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, action);
        QFETCH(int, checkedRow);
        QFETCH(int, checkedCol);
        QFETCH(QString, text);
        QFETCH(int, currentRow);
        LoadedPage f;
        QVERIFY(f.active);
        f.goTo(row, col);
        Act(f.page.dGrid, action);
        QCOMPARE(f.page.dGrid->currentRow(), currentRow);
        f.page.dGrid->PostEditor();
        QCOMPARE(f.cell(checkedCol, checkedRow), text);
    }

    // Enter outside the amount and formula columns moves on without computing.
    void enterInARemarkComputesNothing()
    {
        LoadedPage f;
        f.page.SetCells(2, 8, "5000");
        f.goTo(8, 4);
        QTest::keyClick(f.page.dGrid, Qt::Key_Return);
        QCOMPARE(f.page.Cells(2, 8), QString("5000"));
        QCOMPARE(f.page.dGrid->currentRow(), 9);
        f.goTo(8, 2);
        QTest::keyClick(f.page.dGrid, Qt::Key_Return);
        QCOMPARE(f.cell(2, 8), QString("5,000"));
    }

    // A formula error on Enter leaves its row current and the message shown.
    void enterOnAFormulaErrorStaysOnItsRow()
    {
        LoadedPage f;
        f.goTo(12, 5);
        MessageAnswerer answers;
        QTest::keyClicks(f.page.dGrid, "[30]");
        QTest::keyClick(f.page.dGrid, Qt::Key_Return);
        QCOMPARE(answers.texts().size(), 1);
        QCOMPARE(f.page.dGrid->currentRow(), 12);
    }

    // WgCal shows the formulas in place of the remarks, and back, recomputing then.
    void theFormulaViewTogglesTheColumns()
    {
        LoadedPage f;
        const auto widths = [&f] {
            return QList<int>{f.page.dGrid->columnWidth(3), f.page.dGrid->columnWidth(4), f.page.dGrid->columnWidth(5)};
        };
        QVERIFY(f.page.WgCal->Flat());
        QCOMPARE(f.page.WgCal->Caption(), QStringLiteral("수식입력"));
        QCOMPARE(widths(), (QList<int>{210, 223, 1}));
        QCOMPARE(f.page.dGrid->columnWidth(0), 30);
        QCOMPARE(f.page.dGrid->columnWidth(1), 150);
        QCOMPARE(f.page.dGrid->columnWidth(2), 120);

        f.page.WgCal->DoClick();
        QVERIFY(!f.page.WgCal->Flat());
        QCOMPARE(f.page.WgCal->Caption(), QStringLiteral("수식감춤"));
        QCOMPARE(widths(), (QList<int>{190, 1, 240}));

        f.goTo(6, 5);
        QTest::keyClicks(f.page.dGrid, "[5]*0.3");
        f.page.WgCal->DoClick();
        QVERIFY(f.page.WgCal->Flat());
        QCOMPARE(f.page.WgCal->Caption(), QStringLiteral("수식입력"));
        QCOMPARE(widths(), (QList<int>{210, 223, 1}));
        QCOMPARE(f.cell(5, 6), QString("[5]*0.3"));
        QCOMPARE(f.cell(2, 6), QString("600,000"));
        QCOMPARE(f.page.dGrid->currentRow(), 6);
    }

    // Every cell is cleared and its text drawn 5 pixels below the top: row numbers and
    // names centred, amounts 2 pixels from the right, the rest 2 pixels from the left.
    void cellsAreDrawnInTheirPlaces()
    {
        LoadedPage f;
        f.goTo(29, 4);
        const QImage shown = f.page.dGrid->grab().toImage();
        const auto cellRect = [&f](int row, int col) {
            return f.page.dGrid->visualRect(f.page.dGrid->model()->index(row, col))
                .translated(f.page.dGrid->viewport()->pos());
        };
        const QFontMetrics metrics(f.page.dGrid->font());

        const QRect amount = cellRect(1, 2);
        const QRect amountInk = InkIn(shown, amount);
        QVERIFY2(qAbs(amountInk.right() - (amount.width() - 3)) <= 2, qPrintable(QString::number(amountInk.right())));
        QVERIFY(amountInk.top() >= 5 && amountInk.top() <= 9);

        const QRect basis = cellRect(6, 3);
        const QRect basisInk = InkIn(shown, basis);
        QVERIFY2(qAbs(basisInk.left() - (2 + metrics.horizontalAdvance(u' '))) <= 2, qPrintable(QString::number(basisInk.left())));
        QVERIFY(basisInk.top() >= 5 && basisInk.top() <= 9);

        for (const QRect &centred : {cellRect(1, 1), cellRect(12, 0)}) {
            const QRect ink = InkIn(shown, centred);
            QVERIFY2(qAbs(ink.center().x() - centred.width() / 2) <= 2, qPrintable(QString::number(ink.center().x())));
        }
        QCOMPARE(shown.pixelColor(cellRect(12, 0).topLeft() + QPoint(2, 2)), QColor(0xD9, 0xD7, 0xCC));
        QCOMPARE(shown.pixelColor(cellRect(0, 3).topLeft() + QPoint(2, 2)), QColor(0xD9, 0xD7, 0xCC));
    }
};

VEK_TEST(TestCostSheetPage)
#include "tst_CostSheetPage.moc"
