#include "platform/ini/IniFile.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const QByteArray &bytes)
    {
        const QString path = dir_.filePath(QStringLiteral("settings.ini"));
        if (!WriteTestFile(path, bytes))
            qFatal("cannot write the fixture");
        return path;
    }

private slots:
    void readsValuesAsWindowsDoes_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("Korean names") << "작업폴더" << "wPath" << "C:\\VekFree\\Work\\";
        QTest::newRow("case of names ignored") << "ZIPLIST" << "zipname" << "백업.zip";
        QTest::newRow("blanks around") << "ZipList" << "ZipsDir" << "D:\\자료";
        QTest::newRow("quotes dropped") << "ZipList" << "Quoted" << " a \\ b ";
        QTest::newRow("equals in value") << "ZipList" << "Formula" << "a=b";
        QTest::newRow("first of twin sections") << "FormTopLft" << "조정Top" << "220";
        QTest::newRow("empty value") << "FormTopLft" << "Empty" << "";
    }
    void readsValuesAsWindowsDoes()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const IniFile ini(writeFile("; settings\r\n"
                                    "[작업폴더]\r\n"
                                    "wPath=C:\\VekFree\\Work\\\r\n"
                                    "[ZipList]\r\n"
                                    "ZipName=백업.zip\r\n"
                                    "  ZipsDir =  D:\\자료  \r\n"
                                    "Quoted=\" a \\ b \"\r\n"
                                    "Formula=a=b\r\n"
                                    "[FormTopLft]\r\n"
                                    "조정Top=220\r\n"
                                    "Empty=\r\n"
                                    "[FormTopLft]\r\n"
                                    "조정Top=999\r\n"));
        QCOMPARE(ini.value(section, key), std::optional<QString>(value));
    }

    void missingFileReadsAsEmpty()
    {
        const IniFile ini(dir_.filePath(QStringLiteral("none.ini")));
        QCOMPARE(ini.readString(QStringLiteral("작업폴더"), QStringLiteral("wPath"), QStringLiteral("-")), QStringLiteral("-"));
        QVERIFY(ini.sections().isEmpty());
    }

    void readsIntegers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("780") << 780;
        QTest::newRow("negative") << QByteArray("-15") << -15;
        QTest::newRow("hexadecimal $") << QByteArray("$1F") << 31;
        QTest::newRow("hexadecimal 0x") << QByteArray("0x1f") << 31;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("too large") << QByteArray("2147483648") << -1;
        QTest::newRow("empty") << QByteArray("") << -1;
        QTest::newRow("word") << QByteArray("left") << -1;
        QTest::newRow("fraction") << QByteArray("1.5") << -1;
        QTest::newRow("two signs") << QByteArray("--5") << -1;
        QTest::newRow("blank inside") << QByteArray("1 2") << -1;
    }
    void readsIntegers()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        const IniFile ini(writeFile("[작업환경]\nvalue=" + text + "\n"));
        QCOMPARE(ini.readInteger(QStringLiteral("작업환경"), QStringLiteral("value"), -1), expected);
    }

    void writingOneKeyKeepsEveryOtherLine_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray before = "; 설정\r\n[작업폴더]\r\nwPath=C:\\Work\\\r\n\r\n[FormTopLft]\r\n조정Top=220\r\n";
        QTest::newRow("replaces a key in place")
            << "작업폴더" << "WPATH" << "D:\\새 폴더\\"
            << QByteArray("; 설정\r\n[작업폴더]\r\nWPATH=D:\\새 폴더\\\r\n\r\n[FormTopLft]\r\n조정Top=220\r\n");
        QTest::newRow("adds a key after the section's last entry")
            << "작업폴더" << "Enter" << "1"
            << QByteArray("; 설정\r\n[작업폴더]\r\nwPath=C:\\Work\\\r\nEnter=1\r\n\r\n[FormTopLft]\r\n조정Top=220\r\n");
        QTest::newRow("adds a section at the end")
            << "ZipList" << "ZipName" << "VekFree.zip"
            << before + "[ZipList]\r\nZipName=VekFree.zip\r\n";
        QTest::newRow("a line break cannot start a line of its own")
            << "FormTopLft" << "조정Lft" << "780\n[작업폴더]"
            << QByteArray("; 설정\r\n[작업폴더]\r\nwPath=C:\\Work\\\r\n\r\n[FormTopLft]\r\n조정Top=220\r\n조정Lft=780 [작업폴더]\r\n");
    }
    void writingOneKeyKeepsEveryOtherLine()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        const QString path = writeFile("; 설정\r\n[작업폴더]\r\nwPath=C:\\Work\\\r\n\r\n[FormTopLft]\r\n조정Top=220\r\n");
        IniFile ini(path);
        ini.writeString(section, key, value);
        QVERIFY(ini.save());
        QCOMPARE(ReadTestFile(path), expected);
    }

    void roundTripsKoreanNamesAndBackslashes()
    {
        const QString path = dir_.filePath(QStringLiteral("round/trip.ini"));
        QFile::remove(path);
        IniFile written(path);
        written.writeString(QStringLiteral("작업폴더"), QStringLiteral("wPath"), QStringLiteral("C:\\견적\\Work\\"));
        written.writeInteger(QStringLiteral("FormTopLft"), QStringLiteral("조정Lft"), -780);
        written.writeString(QStringLiteral("ZipList"), QStringLiteral("ZipFiles"), QStringLiteral("\\\\server\\share\\*.GDB"));
        QVERIFY(written.save());

        const IniFile read(path);
        QCOMPARE(read.readString(QStringLiteral("작업폴더"), QStringLiteral("wPath"), {}), QStringLiteral("C:\\견적\\Work\\"));
        QCOMPARE(read.readInteger(QStringLiteral("FormTopLft"), QStringLiteral("조정Lft"), 0), -780);
        QCOMPARE(read.readString(QStringLiteral("ZipList"), QStringLiteral("ZipFiles"), {}), QStringLiteral("\\\\server\\share\\*.GDB"));
        QCOMPARE(ReadTestFile(path), QByteArray("[작업폴더]\nwPath=C:\\견적\\Work\\\n[FormTopLft]\n조정Lft=-780\n"
                                            "[ZipList]\nZipFiles=\\\\server\\share\\*.GDB\n"));
    }

    // Names the file would read back as something else are refused, naming them, and
    // the file stays as it was.
    void refusesNamesThatCannotBeReadBack_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("named");
        QTest::newRow("key that reads as a section") << "작업환경" << "[Evil]" << "[Evil]";
        QTest::newRow("key with a leading blank") << "작업환경" << " Enter" << " Enter";
        QTest::newRow("key with a trailing blank") << "작업환경" << "Enter " << "Enter ";
        QTest::newRow("key with '='") << "작업환경" << "a=b" << "a=b";
        QTest::newRow("key that reads as a comment") << "작업환경" << ";note" << ";note";
        QTest::newRow("empty key") << "작업환경" << "" << "\"\"";
        QTest::newRow("key with a line break") << "작업환경" << "a\nb" << "a\nb";
        QTest::newRow("section with ']'") << "a]b" << "Enter" << "a]b";
        QTest::newRow("section with a blank around") << " 작업환경" << "Enter" << " 작업환경";
        QTest::newRow("empty section") << "" << "Enter" << "\"\"";
        QTest::newRow("section with a line break") << "A\r\n[B" << "Enter" << "A\r\n[B";
    }
    void refusesNamesThatCannotBeReadBack()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, named);
        const QByteArray before = "[작업환경]\nEnter=0\n";
        const QString path = writeFile(before);
        IniFile ini(path);
        QString refusal;
        try {
            ini.writeString(section, key, QStringLiteral("1"));
        } catch (const IniNameError &error) {
            refusal = QString::fromUtf8(error.what());
        }
        QVERIFY2(refusal.contains(named), qPrintable(refusal));
        QVERIFY(ini.save());
        QCOMPARE(ReadTestFile(path), before);
        QCOMPARE(ini.readInteger(QStringLiteral("작업환경"), QStringLiteral("Enter"), -1), 0);
    }

    void namesAtTheEdgeRoundTrip()
    {
        const QString path = dir_.filePath(QStringLiteral("edge.ini"));
        QFile::remove(path);
        IniFile written(path);
        written.writeString(QStringLiteral("[괄호"), QStringLiteral("a]"), QStringLiteral("1"));
        written.writeString(QStringLiteral("빈 칸 안"), QStringLiteral("키 안"), QStringLiteral("2"));
        written.addSection(QStringLiteral("빈섹션"));
        QVERIFY(written.save());
        const IniFile read(path);
        QCOMPARE(read.readString(QStringLiteral("[괄호"), QStringLiteral("a]"), {}), QStringLiteral("1"));
        QCOMPARE(read.readString(QStringLiteral("빈 칸 안"), QStringLiteral("키 안"), {}), QStringLiteral("2"));
        QVERIFY(read.hasSection(QStringLiteral("빈섹션")));
    }

    void keepsByteOrderMark()
    {
        const QString path = writeFile("\xEF\xBB\xBF[작업환경]\nEnter=0\n");
        IniFile ini(path);
        QCOMPARE(ini.sections(), QStringList{QStringLiteral("작업환경")});
        ini.writeInteger(QStringLiteral("작업환경"), QStringLiteral("Enter"), 1);
        QVERIFY(ini.save());
        QCOMPARE(ReadTestFile(path), QByteArray("\xEF\xBB\xBF[작업환경]\nEnter=1\n"));
    }

    void deletesKeysAndSections()
    {
        const QString path = writeFile("[A]\nx=1\ny=2\n[B]\nz=3\n[C]\nw=4\n");
        IniFile ini(path);
        QVERIFY(ini.deleteKey(QStringLiteral("a"), QStringLiteral("X")));
        QVERIFY(!ini.deleteKey(QStringLiteral("A"), QStringLiteral("x")));
        QVERIFY(ini.eraseSection(QStringLiteral("B")));
        QVERIFY(!ini.eraseSection(QStringLiteral("B")));
        QCOMPARE(ini.keys(QStringLiteral("A")), QStringList{QStringLiteral("y")});
        QVERIFY(ini.save());
        QCOMPARE(ReadTestFile(path), QByteArray("[A]\ny=2\n[C]\nw=4\n"));
    }

    void saveFailsWhereTheFileCannotBeWritten()
    {
        const QString blocker = writeFile("not a folder");
        IniFile ini(blocker + QStringLiteral("/inside.ini"));
        ini.writeInteger(QStringLiteral("A"), QStringLiteral("x"), 1);
        QVERIFY(!ini.save());
    }
};

VEK_TEST(TestIniFile)
#include "tst_IniFile.moc"
