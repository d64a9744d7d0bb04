#include "core/SiblingLibraries.h"
#include "platform/library/SiblingLibrary.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

using namespace vek;

namespace {

QString besideTests(const QString &fileName)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
}

bool isInMemory(const QString &path)
{
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace

class TestSiblingLibrary : public QObject {
    Q_OBJECT

    const QString calculator = besideTests(QStringLiteral("libVekCalc.so"));
    const QString notice = besideTests(QStringLiteral("libNewsleaf.so"));

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(calculator) && QFile::exists(notice), "the stand-in libraries were not built");
    }

    void missingLibraryIsNotLoaded()
    {
        SiblingLibrary library(QStringLiteral("Glyfpik"), {QCoreApplication::applicationDirPath()});
        QVERIFY(!library.isLoaded());
        QVERIFY(!library.errorString().isEmpty());
        QVERIFY(!library.resolve("PickGlyph"));
    }

    void findsTheLibraryInTheGivenFolderAndUnloadsIt()
    {
        {
            SiblingLibrary library(QStringLiteral("VekCalc"), {QStringLiteral("/nonexistent"), QCoreApplication::applicationDirPath()});
            QVERIFY(library.isLoaded());
            QVERIFY(isInMemory(calculator));
            QVERIFY(library.resolve("vCalculateOld") != nullptr);
            QVERIFY(!library.resolve("vCalculate"));
            QVERIFY2(library.errorString().contains(QStringLiteral("vCalculate")), qPrintable(library.errorString()));
        }
        QVERIFY(!isInMemory(calculator));
    }

    void missingLibraryBeepsAndNamesItsFile()
    {
        MessageAnswerer answerer;
        ShowSpecialCharPicker();
        QCOMPARE(answerer.beeps(), 1);
        QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Glyfpik.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다")});
    }

    void missingEntryShowsTheLoadersText()
    {
        MessageAnswerer answerer;
        ShowCalculator();
        QCOMPARE(answerer.beeps(), 0); // the library loads
        QCOMPARE(answerer.texts().size(), 1);
        QVERIFY2(answerer.texts().first().contains(QStringLiteral("vCalculate")), qPrintable(answerer.texts().first()));
        QVERIFY(!isInMemory(calculator));
    }

    void noticePageGetsItsPlaceAndAddress()
    {
        TempHome home;
        const QString record = home.filePath(QStringLiteral("leafnote.txt"));
        qputenv("VEK_TEST_LEAFNOTE", QFile::encodeName(record));
        MessageAnswerer answerer;
        ShowNoticePage(QStringLiteral("공지.htm"));
        qunsetenv("VEK_TEST_LEAFNOTE");

        QVERIFY(answerer.texts().isEmpty());
        QVERIFY(!isInMemory(notice));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(QString::fromUtf8(ReadTestFile(record)),
                 QStringLiteral("0 %1 %2 557 https://www.kavrosft.example/VekFree/Help/공지.htm")
                     .arg(screen.width() - 560)
                     .arg(screen.height() - 10));
    }
};

VEK_TEST(TestSiblingLibrary)
#include "tst_SiblingLibrary.moc"
