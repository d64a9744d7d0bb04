#include "export/CellRules.h"
#include "core/MoneyFormat.h"
#include "platform/spreadsheet/ExcelApplication.h"
#include "platform/spreadsheet/XlsxFile.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace vek;

using Put = std::function<void(ExcelRange)>;
Q_DECLARE_METATYPE(Put)

class TestCellRules : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void typedCells_data()
    {
        QTest::addColumn<Put>("put");
        QTest::addColumn<QJsonValue>("value"); // null: the cell stays empty
        QTest::addColumn<QString>("numberFormat");
        const QJsonValue empty(QJsonValue::Null);
        const QString general = QStringLiteral("General");
        const QString whole = QStringLiteral("#,##0");

        QTest::newRow("amount 1234.56 shows 1,234") << Put([](ExcelRange c) { PutAmount(c, 1234.56); }) << QJsonValue(1234) << whole;
        QTest::newRow("amount 1234.996 shows 1,235") << Put([](ExcelRange c) { PutAmount(c, 1234.996); }) << QJsonValue(1235) << whole;
        QTest::newRow("amount 0") << Put([](ExcelRange c) { PutAmount(c, 0); }) << empty << QString();
        QTest::newRow("amount -5.5 shows -5") << Put([](ExcelRange c) { PutAmount(c, -5.5); }) << QJsonValue(-5) << whole;
        QTest::newRow("amount 0.004 shows 0") << Put([](ExcelRange c) { PutAmount(c, 0.004); }) << QJsonValue(0) << whole;
        QTest::newRow("ten thousand million and up, whole")
            << Put([](ExcelRange c) { PutAmount(c, 12345678901.0); }) << QJsonValue(12345678901.0) << whole;
        QTest::newRow("a hundred million million")
            << Put([](ExcelRange c) { PutAmount(c, -123456789012345.0); }) << QJsonValue(-123456789012345.0) << whole;
        QTest::newRow("money text") << Put([](ExcelRange c) { PutMoneyText(c, "    1,234,567"); }) << QJsonValue(1234567) << whole;
        QTest::newRow("quantity 0.1") << Put([](ExcelRange c) { PutQuantity(c, 0.1); }) << QJsonValue(0.1) << general;
        QTest::newRow("quantity of 15 digits")
            << Put([](ExcelRange c) { PutQuantity(c, 1.0 / 3); }) << QJsonValue(0.333333333333333) << general;
        QTest::newRow("quantity 0") << Put([](ExcelRange c) { PutQuantity(c, 0); }) << empty << QString();
        QTest::newRow("order number") << Put([](ExcelRange c) { PutOrderNumber(c, 7); }) << QJsonValue(7) << general;
        QTest::newRow("standard") << Put([](ExcelRange c) { PutStandard(c, " 25-240-15"); })
                                       << QJsonValue(" 25-240-15") << general;
        QTest::newRow("empty standard") << Put([](ExcelRange c) { PutStandard(c, ""); }) << empty << QString();
        QTest::newRow("group title keeps its blank, loses its padding")
            << Put([](ExcelRange c) { PutGroupTitle(c, " 토공사" + QString(20, u' ')); }) << QJsonValue("  토공사") << general;
        QTest::newRow("formula-like text") << Put([](ExcelRange c) { PutText(c, "=1+2"); }) << QJsonValue("=1+2") << general;
        QTest::newRow("date-like text") << Put([](ExcelRange c) { PutText(c, "1-2"); }) << QJsonValue("1-2") << general;
        QTest::newRow("negative-like text") << Put([](ExcelRange c) { PutText(c, "(5)"); }) << QJsonValue("(5)") << general;
        QTest::newRow("text with an apostrophe") << Put([](ExcelRange c) { PutText(c, "'01"); }) << QJsonValue("'01") << general;
    }
    void typedCells()
    {
        QFETCH(Put, put);
        QFETCH(QJsonValue, value);
        QFETCH(QString, numberFormat);
        ExcelApplication app;
        app.WorkBooks().add();
        put(app.Cells(3, 2));
        const QString path = dir_.filePath("cells.xlsx");
        WriteXlsx(app.workbook(1), path);
        const QJsonObject cell = WorkbookReader(path).cell("Sheet1", "B3");
        if (value.isNull()) {
            QVERIFY(cell.value("value").isNull() || cell.isEmpty());
            return;
        }
        QCOMPARE(cell.value("value"), value);
        QCOMPARE(cell.value("type").toString(), QString::fromLatin1(value.isString() ? "s" : "n"));
        QCOMPARE(cell.value("number_format").toString(), numberFormat);
    }

    // The amount's number is what its text shows: every half-hundredth boundary, either
    // sign, from a unit to the edge of 15 significant digits and past it.
    void amountNumberIsWhatItsTextShows()
    {
        const qint64 bases[] = {0, 10000, 12345678, 99990000, 123456789012, 999999999990000, 1000000000000000,
                                999999999999999, 1234567890123456};
        const qint64 offsets[] = {-10051, -10050, -10049, -51, -50, -49, -1, 0, 1, 49, 50, 51, 4949, 4950, 4951,
                                  5049, 5050, 9949, 9950, 9999};
        for (qint64 base : bases)
            for (qint64 offset : offsets)
                for (qint64 sign : {1, -1}) {
                    const Currency value = Currency::fromRaw(sign * (base + offset));
                    const double shown = ParseAmount(FormatCurrNumberPad(1, 16, value)).toDouble();
                    if (AmountNumber(value) != shown)
                        QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                             .arg(value.toText()).arg(AmountNumber(value), 0, 'f').arg(shown, 0, 'f')));
                }
    }

    void withoutPadding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bare");
        QTest::newRow("padded") << "비고   " << "비고";
        QTest::newRow("leading blanks stay") << "  비고 " << "  비고";
        QTest::newRow("only blanks") << "     " << "";
        QTest::newRow("nothing to take") << "A-1" << "A-1";
    }
    void withoutPadding()
    {
        QFETCH(QString, text);
        QFETCH(QString, bare);
        QCOMPARE(WithoutPadding(text), bare);
    }
};

VEK_TEST(TestCellRules)
#include "tst_CellRules.moc"
