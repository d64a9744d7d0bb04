#include "tests/export/ExportTestRun.h"

#include "core/ProgramState.h"
#include "export/ExcelRun.h"

#include <QTest>

#include <stdexcept>

namespace vek {

ExportTestRun::ExportTestRun()
{
    CurrentFileName = UntitledFileName;
    SetPrinterQuestion([this] { return printer; });
}

ExportTestRun::~ExportTestRun()
{
    SetPrinterQuestion({});
    SetExcelApplicationFactory({});
}

QString ExportTestRun::workFolder() const
{
    return db.home().filePath("Work");
}

WorkbookReader SavedWorkbook(const QString &path, const MessageAnswerer &answers)
{
    if (!answers.texts().isEmpty())
        throw std::runtime_error("unexpected messages: " + answers.texts().join(" | ").toStdString());
    if (path.isEmpty())
        throw std::runtime_error("no workbook saved");
    return WorkbookReader(path);
}

void PrinterRows()
{
    QTest::addColumn<bool>("printer");
    QTest::newRow("printer") << true;
    QTest::newRow("no printer") << false;
}

void VerifyLineItemColumns(const WorkbookReader &book, const QString &sheet)
{
    const QStringList headers = {"명          칭", "규       격 ", "단 위", "수  량", "자재단가", "자재금액",
                                 "노무단가", "노무금액", "경비단가", "경비금액", "계", "비    고"};
    const double widths[] = {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9};
    for (int c = 0; c < 13; ++c)
        QCOMPARE(book.column(sheet, c + 1).value("width").toDouble(), widths[c] + 0.7109375);
    for (int c = 0; c < headers.size(); ++c) {
        const QJsonObject header = book.cell(sheet, QChar(u'B' + c) + QStringLiteral("2"));
        QCOMPARE(header.value("value").toString(), headers[c]);
        QCOMPARE(header.value("horizontal").toString(), QStringLiteral("center"));
        QCOMPARE(header.value("fill").toString(), QStringLiteral("C0C0C0"));
        QCOMPARE(header.value("font").toObject().value("bold").toBool(), false);
    }
    QVERIFY(book.cell(sheet, "N2").value("fill").isNull());
}

void VerifyPageSetUp(const QJsonObject &sheet, bool printer, double top, double bottom, double left)
{
    const QJsonObject page = sheet.value("page").toObject();
    const QJsonObject margins = page.value("margins").toObject();
    if (printer) {
        QCOMPARE(page.value("paper_size").toInt(), 9);
        QCOMPARE(page.value("orientation").toString(), QStringLiteral("landscape"));
        QCOMPARE(margins.value("top").toDouble(), top / 72);
        QCOMPARE(margins.value("bottom").toDouble(), bottom / 72);
        QCOMPARE(margins.value("left").toDouble(), left == 0 ? 0.7 : left / 72);
    } else {
        QVERIFY(page.value("paper_size").isNull());
        QVERIFY(page.value("orientation").isNull());
        QCOMPARE(margins.value("top").toDouble(), 0.75);
        QCOMPARE(margins.value("bottom").toDouble(), 0.75);
        QCOMPARE(margins.value("left").toDouble(), 0.7);
    }
    QCOMPARE(margins.value("right").toDouble(), 0.7);
}

} // namespace vek
