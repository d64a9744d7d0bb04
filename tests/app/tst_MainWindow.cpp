#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "components/EffectLabel.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/HomeFolder.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "core/WorkDatabase.h"
#include "platform/ini/IniFile.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

using namespace vek;

namespace {

const QString DatabaseFailure = QStringLiteral(
    " 데이타베이스가 정상적으로 작동하지 않습니다.\n\n 종료 후 다시 실행해 보시기 바랍니다.  확인 !!! ");

// The program's two objects as the program block makes them: the main window first, the
// data module second; the window starts up when shown.
struct Program {
    std::unique_ptr<Tmainf> window = std::make_unique<Tmainf>();
    std::unique_ptr<TdMf> module = std::make_unique<TdMf>();

    Program() { dMf = module.get(); }
    ~Program()
    {
        window.reset();
        dMf = nullptr;
    }
    void start() { window->show(); }
    int count(const QString &sql)
    {
        QSqlQuery query = module->SQLConect.select(sql);
        return query.next() ? query.value(0).toInt() : -1;
    }
};

void ConfigureMakerAddress(const QUrl &base)
{
    IniFile ini(QDir(HomeFolder()).filePath(QStringLiteral("VekFree.ini")));
    ini.writeString(QStringLiteral("WebAddress"), QStringLiteral("Base"), base.toString());
    QVERIFY(ini.save());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    static void Press(QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons)
    {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent event(type, QPointF(local), global, Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

private slots:
    void placesItselfByTheScreenWidth_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("placement");
        QTest::newRow("1024 wide: near-full screen") << QSize(1024, 768) << QRect(1, 1, 1022, 740);
        QTest::newRow("1025 wide: centred at 1110") << QSize(1025, 768) << QRect(-42, 20, 1110, 701);
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QRect(85, 20, 1110, 957);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QRect(405, 20, 1110, 1013);
        QTest::newRow("800 x 600") << QSize(800, 600) << QRect(1, 1, 798, 572);
    }
    void placesItselfByTheScreenWidth()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, placement);
        QCOMPARE(MainWindowPlacement(screen), placement);
    }

    void firstStartMakesTheWorkingDatabaseAndALaterStartKeepsIt()
    {
        TempHome home;
        MessageAnswerer answers;
        const QString work = home.filePath(QStringLiteral("Temp/VEKTMP.GDB"));
        QVERIFY(!QFileInfo::exists(work));
        {
            Program program;
            program.start();
            QVERIFY(program.window->DatabaseReady());
            QVERIFY(QFileInfo::exists(work));
            program.module->SQLConect.execute(QStringLiteral("insert into PNOMU (PSTAN, LCODE) values (?, ?)"),
                                              {QStringLiteral("보통인부"), 7});
            QVERIFY(program.module->SQLConect.commit());
            program.window->close();
        }
        Program program;
        program.start();
        QVERIFY(program.window->DatabaseReady());
        QCOMPARE(program.count(QStringLiteral("select count(*) from PNOMU where LCODE=7")), 1);
        QCOMPARE(answers.texts(), QStringList());
    }

    void startUpEmptiesTheEstimateAndResetsTheDocument()
    {
        TempHome home;
        MessageAnswerer answers;
        {
            Program program;
            program.start();
            for (const char *level : {"A", "S"})
                program.module->SQLConect.execute(
                    QStringLiteral("insert into NDTAIL (ACODE, BCODE, SCODE, ABFS, TAG, ODRF, MVE) "
                                   "values (1, 0, 0, ?, 'N', 1, 'F')"),
                    {QString::fromLatin1(level)});
            QVERIFY(program.module->SQLConect.commit());
            QCOMPARE(program.count(QStringLiteral("select count(*) from NDTAIL")), 2);
            program.window->close();
        }
        DataChanged = true;
        InsertMode = true;
        InputKind = 2;
        CurrentFileName = QStringLiteral("/tmp/old.Vek");

        Program program;
        program.window->filName->setText(QStringLiteral(" /tmp/old.Vek  "));
        program.start();
        QVERIFY(program.window->DatabaseReady());
        QCOMPARE(program.count(QStringLiteral("select count(*) from NDTAIL")), 0);
        QVERIFY(!DataChanged);
        QVERIFY(!InsertMode);
        QCOMPARE(InputKind, 0);
        QCOMPARE(CurrentFileName, QStringLiteral("이름없음.Vek"));
        QCOMPARE(program.window->filName->text(), QString());
        QVERIFY(program.module->TAlst.isActive());
        QVERIFY(program.module->TAlst.isEmpty());
        QCOMPARE(program.window->focusWidget(), program.window->dGongSa);
        QCOMPARE(program.window->Msgbar->PanelText(Tmainf::ModePanel), QStringLiteral("[추가]"));
        QCOMPARE(answers.texts(), QStringList());
    }

    void aDamagedWorkingDatabaseIsReportedAndNeverReplaced()
    {
        TempHome home;
        MessageAnswerer answers;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Temp")));
        const QByteArray damaged("this is no database file");
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("Temp/VEKTMP.GDB")), damaged));

        Program program;
        program.start();
        QVERIFY(!program.window->DatabaseReady());
        QVERIFY(program.window->isVisible());
        QCOMPARE(answers.texts(), QStringList{DatabaseFailure});
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("Temp/VEKTMP.GDB"))), damaged);
        program.window->close();
        QVERIFY(!program.window->isVisible());
    }

    void quittingAsksFirst_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::addColumn<bool>("answer");
        QTest::newRow("quit button, yes") << false << true;
        QTest::newRow("quit button, no") << false << false;
        QTest::newRow("Esc in the list, yes") << true << true;
        QTest::newRow("Esc in the list, no") << true << false;
    }
    void quittingAsksFirst()
    {
        QFETCH(bool, byEscape);
        QFETCH(bool, answer);
        TempHome home;
        MessageAnswerer answers(answer);
        Program program;
        program.start();
        QVERIFY(program.window->DatabaseReady());
        if (byEscape) {
            // A control of the list, as the work-item grid will be, that leaves Esc unhandled.
            auto *list = new QWidget(program.window->ListPlace);
            list->setFocusPolicy(Qt::StrongFocus);
            list->show();
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Escape);
        } else {
            program.window->QuitBtn->DoClick();
        }
        QCOMPARE(answers.texts(), QStringList{QStringLiteral(" 작업을 종료하겠습니까 ??")});
        QCOMPARE(answers.requests().first().kind, MessageKind::Confirmation);
        QCOMPARE(program.window->isVisible(), !answer);
        QCOMPARE(program.window->DatabaseReady(), !answer);
    }

    void escWhileTypingTheProjectNameAsksNothing()
    {
        TempHome home;
        MessageAnswerer answers;
        Program program;
        program.start();
        program.window->dGongSa->setFocus();
        program.window->dGongSa->insert(QStringLiteral("신축공사"));
        QTest::keyClick(program.window->dGongSa, Qt::Key_Escape);
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(program.window->isVisible());
        QCOMPARE(program.window->dGongSa->text(), QStringLiteral("신축공사"));
    }

    void theCloseButtonShutsDownAtOnce()
    {
        TempHome home;
        MessageAnswerer answers;
        Program program;
        program.start();
        QCOMPARE(mainf, program.window.get());
        program.window->BtnExit->DoClick();
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!program.window->isVisible());
        QVERIFY(!program.module->TAlst.isActive());
        QVERIFY(!program.module->SQLConect.isOpen());
        QVERIFY(SprSfm.isNull());
        QCOMPARE(mainf, nullptr);
    }

    void closedWhileItWaitsItConnectsNothing()
    {
        TempHome home;
        MessageAnswerer answers;
        Program program;
        QTimer::singleShot(300, program.window.get(), &QWidget::close);
        program.start();
        QVERIFY(!program.window->isVisible());
        QVERIFY(!program.module->SQLConect.isOpen());
        QVERIFY(answers.texts().isEmpty());
    }

    void minimisesAndComesBackWhenAsked()
    {
        TempHome home;
        MessageAnswerer answers;
        Program program;
        program.start();
        program.window->MinButn->DoClick();
        QVERIFY(program.window->isMinimized());
        program.window->RestoreOrRaise();
        QVERIFY(!program.window->isMinimized());
        QVERIFY(program.window->isVisible());
    }

    void theUpdateCommandFetchesTheArchiveAndLeavesTheHandOver()
    {
        TempHome home;
        MessageAnswerer answers;
        LocalHttpServer server;
        const QByteArray archive = QByteArray("PK\x03\x04 update", 10).repeated(300);
        server.setResponse(QStringLiteral("/VekFree/"), {200, "home page", {}, -1, true});
        server.setResponse(QStringLiteral("/VekFree/DTZIP/VekFreeUp.zip"), {200, archive, {}, -1, true});
        ConfigureMakerAddress(server.url(QStringLiteral("/VekFree/")));
        Program program;
        program.start();
        QVERIFY(program.window->DatabaseReady());

        program.window->ExeUpDate->DoClick();
        QCOMPARE(answers.texts(), QStringList{QStringLiteral("실행 파일을 카브로 서브에 있는 최신 파일로 패치합니다.")});
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("VekFreeUp.zip"))), archive);
        QVERIFY(!program.window->isVisible());
        QVERIFY(!program.module->SQLConect.isOpen());
        QVERIFY(SprSfm.isNull());
        const IniFile registry(home.filePath(QStringLiteral("registry.ini")));
        QCOMPARE(registry.readString(QStringLiteral("SOFTWARE\\KavroSft\\ZipList"), QStringLiteral("fInifile"), {}),
                 QStringLiteral("VekFree.ini"));
    }

    void theUpdateCommandStopsWhereItMust_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QStringList>("messages");
        const QString question = QStringLiteral("실행 파일을 카브로 서브에 있는 최신 파일로 패치합니다.");
        QTest::newRow("declined") << false << true << QStringList{question};
        QTest::newRow("no connection")
            << true << false << QStringList{question, QStringLiteral("인터넷에 연결되지 않았습니다.")};
    }
    void theUpdateCommandStopsWhereItMust()
    {
        QFETCH(bool, answer);
        QFETCH(bool, reachable);
        QFETCH(QStringList, messages);
        TempHome home;
        MessageAnswerer answers(answer);
        LocalHttpServer server;
        server.setResponse(QStringLiteral("/VekFree/"), {200, "home page", {}, -1, true});
        ConfigureMakerAddress(reachable ? server.url(QStringLiteral("/VekFree/"))
                                        : LocalHttpServer::refusedUrl().resolved(QUrl(QStringLiteral("/VekFree/"))));
        Program program;
        program.start();
        program.window->ExeUpDateClick();
        QCOMPARE(answers.texts(), messages);
        QVERIFY(program.window->isVisible());
        QVERIFY(program.window->DatabaseReady());
        QVERIFY(server.requests().isEmpty());
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("registry.ini"))));
    }

    void aMissingSiblingLibraryIsNamed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("about") << "Hinfo" << "Infopane.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다";
        QTest::newRow("download") << "dDTZIP" << "Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다";
        QTest::newRow("help") << "HelpBtn" << "Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다";
    }
    void aMissingSiblingLibraryIsNamed()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        MessageAnswerer answers;
        Tmainf window;
        window.findChild<TRxSpeedButton *>(button)->DoClick();
        QCOMPARE(answers.texts(), QStringList{message});
        QCOMPARE(answers.requests().first().kind, MessageKind::Information);
    }

    void theRightHandControlsKeepTheirDistanceFromTheRightEdge_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("offset");
        QTest::newRow("ｘ") << "BtnExit" << 29;
        QTest::newRow("－") << "MinButn" << 48;
        QTest::newRow("quit") << "QuitBtn" << 61;
        QTest::newRow("help") << "HelpBtn" << 192;
        QTest::newRow("update") << "ExeUpDate" << 166;
        QTest::newRow("download") << "dDTZIP" << 140;
        QTest::newRow("home page") << "KvrBtn" << 114;
        QTest::newRow("about") << "Hinfo" << 88;
    }
    void theRightHandControlsKeepTheirDistanceFromTheRightEdge()
    {
        QFETCH(QString, control);
        QFETCH(int, offset);
        Tmainf window;
        const std::map<QString, QWidget *> controls = {
            {"BtnExit", window.BtnExit}, {"MinButn", window.MinButn}, {"QuitBtn", window.QuitBtn},
            {"HelpBtn", window.HelpBtn}, {"ExeUpDate", window.ExeUpDate}, {"dDTZIP", window.dDTZIP},
            {"KvrBtn", window.KvrBtn},   {"Hinfo", window.Hinfo}};
        QWidget *widget = controls.at(control);
        for (int width : {1110, 900}) {
            window.resize(width, 600);
            QResizeEvent resized(QSize(width, 600), QSize());
            QCoreApplication::sendEvent(&window, &resized);
            QCOMPARE(widget->mapTo(&window, QPoint(0, 0)).x(), width - offset);
        }
    }

    void hintsGoToTheStatusBar()
    {
        Tmainf window;
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(window.QuitBtn, &enter);
        QCOMPARE(window.Msgbar->PanelText(Tmainf::HintPanel), QStringLiteral(" 프로그램을 종료합니다."));
        QCOMPARE(window.QuitBtn->toolTip(), QStringLiteral("프로그램을 종료합니다."));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(window.QuitBtn, &leave);
        QCOMPARE(window.Msgbar->PanelText(Tmainf::HintPanel), QStringLiteral(" "));
        QCoreApplication::sendEvent(window.dGongSa, &enter);
        QCOMPARE(window.Msgbar->PanelText(Tmainf::HintPanel),
                 QStringLiteral(" 공사명을 입력하는 곳으로 최대 한글24자까지 입력이 가능합니다."));
    }

    void theLayoutCarriesTheSystemsTexts()
    {
        Tmainf window;
        QCOMPARE(window.TopTitle->text(), QStringLiteral("       카브로소프트 공사견적관리 [공개용]"));
        QCOMPARE(window.TopTitle->palette().color(QPalette::Window), QColor(0x1C, 0x49, 0xB3));
        QCOMPARE(window.MinButn->Caption(), QStringLiteral("－"));
        QCOMPARE(window.BtnExit->Caption(), QStringLiteral("ｘ"));
        QCOMPARE(window.Msgbar->PanelCount(), 3);
        QCOMPARE(window.Msgbar->PanelText(1), QStringLiteral("카브로소프트"));
        // The system label: grey on the bar, its white copy down-right, a dark blue one up.
        QCOMPARE(window.mLabel->Caption(), QStringLiteral("견적관리시스템 [내역서작업]"));
        QCOMPARE(window.mLabel->EffectStyle(), TLabelE::esCustom);
        QList<QPoint> offsets;
        QList<QColor> colours;
        for (const TextLayer &layer : window.mLabel->Layers()) {
            offsets.append(layer.offset);
            colours.append(layer.brush.color());
        }
        QCOMPARE(offsets, (QList<QPoint>{{1, 0}, {2, 2}, {1, 1}}));
        QCOMPARE(colours, (QList<QColor>{QColor(0x00, 0x40, 0x80), Qt::white, QColor(0x80, 0x80, 0x80)}));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window.font().family(), QStringLiteral("굴림"));
        QCOMPARE(QToolTip::font().family(), QStringLiteral("바탕"));
        QCOMPARE(QToolTip::font().pointSize(), 9);
        QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0xFE, 0xFE, 0xF5));
    }

    void theProjectNameTakesAtMost48Bytes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString korean24 = QString(24, QChar(u'가'));
        const QString latin48 = QString(48, u'a');
        QTest::newRow("24 Korean letters") << korean24 + u'나' << korean24;
        QTest::newRow("48 Latin letters") << latin48 + u'b' << latin48;
        QTest::newRow("one byte left, a Korean letter refused")
            << QString(47, u'a') + QStringLiteral("가b") << QString(47, u'a') + u'b';
    }
    void theProjectNameTakesAtMost48Bytes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Tmainf window;
        // Korean letters come from the input method, one committed letter at a time.
        for (const QChar letter : typed) {
            QInputMethodEvent commit;
            commit.setCommitString(letter);
            QCoreApplication::sendEvent(window.dGongSa, &commit);
        }
        QCOMPARE(window.dGongSa->text(), kept);
    }

    void dragsByTheTitleAndByEmptyPlaces_data()
    {
        QTest::addColumn<bool>("byTitle");
        QTest::newRow("title label") << true;
        QTest::newRow("empty place of the window") << false;
    }
    void dragsByTheTitleAndByEmptyPlaces()
    {
        QFETCH(bool, byTitle);
        Tmainf window;
        window.move(100, 100);
        QWidget *target = byTitle ? static_cast<QWidget *>(window.TopTitle) : static_cast<QWidget *>(&window);
        const QPoint at(300, 1);
        Press(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
        Press(target, QEvent::MouseMove, at + QPoint(30, 20), Qt::LeftButton);
        Press(target, QEvent::MouseButtonRelease, at + QPoint(30, 20), Qt::NoButton);
        QCOMPARE(window.pos(), QPoint(130, 120));
    }
};

VEK_TEST(TestMainWindow)
#include "tst_MainWindow.moc"
