#include "FileDialogAnswerer.h"
#include "app/MainWindow.h"
#include "tests/app/ProgramObjects.h"
#include "app/StatusBar.h"
#include "app/TotalBar.h"
#include "app/WorkItemList.h"
#include "components/Container.h"
#include "components/CurrencyEdit.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/EstimateColumns.h"
#include "core/EstimateRecord.h"
#include "core/HomeFolder.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/WaitWindow.h"
#include "core/WorkDatabase.h"
#include "platform/ini/IniFile.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <memory>

using namespace vek;

namespace {

const QString DatabaseFailure = QStringLiteral(
    " 데이타베이스가 정상적으로 작동하지 않습니다.\n\n 종료 후 다시 실행해 보시기 바랍니다.  확인 !!! ");

void ConfigureMakerAddress(const QUrl &base)
{
    IniFile ini(QDir(HomeFolder()).filePath(QStringLiteral("VekFree.ini")));
    ini.writeString(QStringLiteral("WebAddress"), QStringLiteral("Base"), base.toString());
    QVERIFY(ini.save());
}


// The main window over a working database that holds an estimate, as start-up leaves it:
// the work items open, an untitled document without changes; every message box and file
// dialog answered here.
struct Workbench {
    TempDatabase db;
    MessageAnswerer messages;
    FileDialogAnswerer dialogs;
    Tmainf window;

    explicit Workbench(int workItems = 2)
    {
        for (int a = 1; a <= workItems; ++a) {
            db.insertRow({{"ACODE", a}, {"NOADD", QStringLiteral("공종 %1").arg(a)}, {"UNIT", "식"}, {"INO", 1},
                          {"TAG", "A"}, {"ABFS", "A"}, {"ODRF", a}});
            db.insertRow({{"ACODE", a}, {"NAME", "레미콘"}, {"INO", 7.5}, {"PCST11", 65000}, {"TAG", "N"},
                          {"ABFS", "S"}, {"ODRF", 1}});
        }
        openWorkItems();
        CurrentFileName = UntitledFileName;
        DataChanged = false;
    }
    void openWorkItems() { window.WorkItems->OpenList(); }
    int rows() { return db.scalar(QStringLiteral("select count(*) from NDTAIL")).toInt(); }
    QString workFolder() const { return db.home().filePath(QStringLiteral("Work/")); }
    QString storedWorkFolder() const
    {
        return IniFile(db.home().filePath(QStringLiteral("VekFree.ini")))
            .readString(QStringLiteral("작업폴더"), QStringLiteral("wPath"), QString());
    }
};

// A document of the given work items (ACODE, ODRF) and one line item under each, laid out
// record by record.
QByteArray DocumentOf(const QString &project, const QList<std::pair<int, int>> &workItems)
{
    QByteArray rows;
    for (const auto &[code, order] : workItems) {
        rows += TEstimateRecord::FromRow(EstimateRowValues(
            {{"ACODE", code}, {"NOADD", QStringLiteral("열린 공종 %1").arg(code)}, {"TAG", "A"}, {"ABFS", "A"},
             {"ODRF", order}, {"PCST12", 1000 * code}, {"CSTTAL", 1000 * code}}));
        rows += TEstimateRecord::FromRow(
            EstimateRowValues({{"ACODE", code}, {"NAME", "철근"}, {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", 1}}));
    }
    return TEstimateRecord::Header(project, int(rows.size() / 448)) + rows;
}

const QString DocumentFilter = QStringLiteral("내역서파일 (*.Vek *.vek *.VEK)");

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
            ProgramObjects program;
            program.start();
            QVERIFY(program.window->DatabaseReady());
            QVERIFY(QFileInfo::exists(work));
            program.module->SQLConect.execute(QStringLiteral("insert into PNOMU (PSTAN, LCODE) values (?, ?)"),
                                              {QStringLiteral("보통인부"), 7});
            QVERIFY(program.module->SQLConect.commit());
            program.window->close();
        }
        ProgramObjects program;
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
            ProgramObjects program;
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

        ProgramObjects program;
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

        ProgramObjects program;
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
        ProgramObjects program;
        program.start();
        QVERIFY(program.window->DatabaseReady());
        if (byEscape) {
            TRxDBGrid *list = program.window->WorkItems->GrdAlst;
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
        ProgramObjects program;
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
        ProgramObjects program;
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
        ProgramObjects program;
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
        ProgramObjects program;
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
        ProgramObjects program;
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
        ProgramObjects program;
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
        QTest::newRow("record navigator") << "DBNav0" << 112;
        QTest::newRow("total bar's end mark") << "EndMark" << 52;
    }
    void theRightHandControlsKeepTheirDistanceFromTheRightEdge()
    {
        QFETCH(QString, control);
        QFETCH(int, offset);
        Tmainf window;
        const std::map<QString, QWidget *> controls = {
            {"BtnExit", window.BtnExit}, {"MinButn", window.MinButn}, {"QuitBtn", window.QuitBtn},
            {"HelpBtn", window.HelpBtn}, {"ExeUpDate", window.ExeUpDate}, {"dDTZIP", window.dDTZIP},
            {"KvrBtn", window.KvrBtn},   {"Hinfo", window.Hinfo},     {"DBNav0", window.WorkItems->DBNav0},
            {"EndMark", window.WorkItems->TotalBar->EndMark}};
        QWidget *widget = controls.at(control);
        for (int width : {1110, 900}) {
            window.resize(width, 600);
            QResizeEvent resized(QSize(width, 600), QSize());
            QCoreApplication::sendEvent(&window, &resized);
            QCOMPARE(widget->mapTo(&window, QPoint(0, 0)).x(), width - offset);
        }
    }

    // The popup menu's keys work wherever the focus is, each through its one item: Ins
    // switches the mode once (the grid inserts nothing), F1 asks for the help page once,
    // Alt+C for the calculator; a click on the status bar switches the mode too.
    void thePopupMenusKeysWorkWhereverTheFocusIs()
    {
        TempHome home;
        MessageAnswerer answers;
        ProgramObjects program;
        program.start();
        Tmainf &window = *program.window;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QStringList items;
        for (const QAction *item : window.PopupMenu->actions())
            items.append(item->text() + u' ' + item->shortcut().toString());
        QCOMPARE(items, (QStringList{"작업내용저장 Alt+S", "VEK 계 산 기 Alt+C", "자료추가삽입 Ins", "도 움 말 보기 F1"}));
        program.module->SQLConect.execute(
            "insert into NDTAIL (ACODE, BCODE, SCODE, ABFS, TAG, ODRF, MVE) values (1, 0, 0, 'A', 'A', 1, 'F')");
        QVERIFY(program.module->SQLConect.commit());
        window.WorkItems->RefreshTotals();

        const auto mode = [&window] { return window.Msgbar->PanelText(Tmainf::ModePanel); };
        QWidget *const places[] = {window.WorkItems->GrdAlst, window.dGongSa};
        for (QWidget *focus : places) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Insert);
            QCOMPARE(mode(), QStringLiteral("[삽입]"));
            QVERIFY(InsertMode);
            QTest::keyClick(focus, Qt::Key_Insert);
            QCOMPARE(mode(), QStringLiteral("[추가]"));
            QVERIFY(!InsertMode);
        }
        QCOMPARE(program.count("select count(*) from NDTAIL"), 1);
        QTest::mouseClick(window.Msgbar, Qt::LeftButton);
        QCOMPARE(mode(), QStringLiteral("[삽입]"));

        QTest::keyClick(window.WorkItems->GrdAlst, Qt::Key_F1);
        QTest::keyClick(window.dGongSa, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(answers.texts(), (QStringList{"Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다",
                                              "VekCalc.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다"}));

        // F2 without a project name sends the user to the project-name box.
        window.WorkItems->GrdAlst->setFocus();
        QTest::keyClick(window.WorkItems->GrdAlst, Qt::Key_F2);
        QCOMPARE(answers.texts().last(), QStringLiteral("공사명이 입력되지 않았습니다."));
        QCOMPARE(QApplication::focusWidget(), window.dGongSa);
    }

    void setInputModeSetsTheModeAndItsPanel_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("insert");
        QTest::newRow("insert") << "삽입" << true;
        QTest::newRow("append") << "추가" << false;
    }
    void setInputModeSetsTheModeAndItsPanel()
    {
        QFETCH(QString, mode);
        QFETCH(bool, insert);
        Tmainf window;
        InsertMode = !insert;
        // The screens of the breakdown side reach it through the link.
        MainWindowLinks().SetInputMode(mode);
        QCOMPARE(InsertMode, insert);
        QCOMPARE(window.Msgbar->PanelText(Tmainf::ModePanel), u'[' + mode + u']');
        MainWindowLinks().MsgbarClick();
        QCOMPARE(InsertMode, !insert);
    }

    // The cost statement reads the main totals through the link while the window lives.
    void theMainTotalsAreReachableWhileTheWindowLives()
    {
        {
            Tmainf window;
            window.WorkItems->TotalBar->ShowSums({Currency::fromDouble(1234.9), Currency::fromDouble(-5.5),
                                                  Currency::fromDouble(7), Currency::fromDouble(1236.4)});
            const RollupSums totals = MainWindowLinks().Totals();
            QCOMPARE(totals.material, Currency::fromDouble(1234));
            QCOMPARE(totals.labour, Currency::fromDouble(-5));
            QCOMPARE(totals.expense, Currency::fromDouble(7));
            QCOMPARE(totals.total, Currency::fromDouble(1236));
            QCOMPARE(window.WorkItems->TotalBar->LPCST11->DisplayText(), QStringLiteral("1,234"));
            QCOMPARE(MainWindowLinks().Geometry(), window.geometry());
        }
        QVERIFY(!MainWindowLinks().Totals);
        QVERIFY(!MainWindowLinks().SetInputMode);
    }

    // Flat buttons left to right in the band's order, each with a short and a long hint;
    // the recalculation button hidden; the move label after them.
    void theToolBandHoldsTheCommandsInOrder()
    {
        Tmainf window;
        QStringList shortHints;
        int left = -1;
        for (TRxSpeedButton *button : window.ToolBandButtons()) {
            shortHints.append(button->toolTip());
            QCOMPARE(button->parentWidget(), window.ToPnl0);
            QVERIFY(button->Flat());
            QVERIFY(!button->statusTip().isEmpty());
            const int place = window.ToPnl0->layout()->indexOf(button);
            QVERIFY(place > left);
            left = place;
        }
        QCOMPARE(shortHints, (QStringList{"공종등록", "공종수정", "공종삭제", "열기", "신규", "저장", "따로저장",
                                          "집계메뉴", "금액조정", "대가목록", "원가계산서", "엑셀전송", "금액정렬"}));
        QCOMPARE(window.WorkItems->CalcBtn0->statusTip(), QStringLiteral("내역서 금액을 재계산합니다."));
        QVERIFY(!window.WorkItems->CalcBtn0->isVisibleTo(&window));
        QCOMPARE(window.WorkItems->TagLabel->parentWidget(), window.ToPnl0);
        QVERIFY(window.ToPnl0->layout()->indexOf(window.WorkItems->TagLabel) > left);
        QVERIFY(!window.WorkItems->TagLabel->isVisibleTo(&window));
        QVERIFY(!window.QuitBtn->Flat());
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

    void theToolBandCarriesTheDocumentCommandsBelowTheFileBand()
    {
        Tmainf window;
        window.resize(1110, 700);
        QResizeEvent resized(QSize(1110, 700), QSize());
        QCoreApplication::sendEvent(&window, &resized);
        window.ToPnl0->layout()->activate();
        const auto top = [&window](QWidget *widget) { return widget->mapTo(&window, QPoint(0, 0)).y(); };
        QVERIFY(top(window.ToPnl0) >= top(window.FileBand) + window.FileBand->height());
        QVERIFY(top(window.ListPlace) >= top(window.ToPnl0) + window.ToPnl0->height());
        int left = 0;
        const QStringList captions = {"열기", "신규", "저장", "따로저장"};
        const QList<TRxSpeedButton *> buttons = {window.OpnBtn0, window.NewBtn0, window.SavBtn0, window.SavAs0};
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons[i]->parentWidget(), window.ToPnl0);
            QCOMPARE(buttons[i]->Caption(), captions[i]);
            QVERIFY(buttons[i]->isVisibleTo(&window));
            QVERIFY(buttons[i]->x() > left); // in this order, after the room of the list's own buttons
            left = buttons[i]->x();
        }
    }

    void anUntitledSaveGoesThroughSaveAs_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Alt+S, a name chosen") << true << false;
        QTest::newRow("the button, a name chosen") << false << false;
        QTest::newRow("Alt+S, cancelled") << true << true;
    }
    void anUntitledSaveGoesThroughSaveAs()
    {
        QFETCH(bool, byKey);
        QFETCH(bool, cancel);
        Workbench bench;
        const QString path = bench.db.home().filePath(QStringLiteral("견적/새 공사.Vek"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (!cancel)
            bench.dialogs.queueAnswer(path);
        bench.window.dGongSa->setText(QStringLiteral("○○초등학교 증축공사"));
        DataChanged = true;

        if (byKey) {
            // The one Alt+S: the popup menu's first item.
            const QList<QAction *> keys = bench.window.actions();
            const auto save = std::find_if(keys.begin(), keys.end(), [](const QAction *item) {
                return item->shortcut() == QKeySequence(Qt::ALT | Qt::Key_S);
            });
            QVERIFY(save != keys.end());
            QCOMPARE(bench.window.PopupMenu->actions().first(), *save);
            QCOMPARE((*save)->text(), QStringLiteral("작업내용저장"));
            QVERIFY(bench.window.findChildren<QShortcut *>().isEmpty());
            (*save)->trigger();
        } else {
            bench.window.SavBtn0->DoClick();
        }

        QCOMPARE(bench.dialogs.requests().size(), 1);
        const FileDialogRequest &asked = bench.dialogs.requests().first();
        QCOMPARE(asked.kind, FileDialogRequest::Kind::Save);
        QCOMPARE(asked.title, QStringLiteral("다른 이름으로 저장"));
        QCOMPARE(asked.fileName, QStringLiteral("이름없음.Vek"));
        QCOMPARE(asked.folder, bench.workFolder());
        QCOMPARE(asked.filter, DocumentFilter);
        QCOMPARE(asked.defaultSuffix, QStringLiteral("Vek"));
        QVERIFY(SprSfm.isNull());
        QCOMPARE(bench.messages.texts(), QStringList());
        if (cancel) {
            QVERIFY(DataChanged);
            QCOMPARE(CurrentFileName, UntitledFileName);
            QCOMPARE(bench.window.filName->text(), QString());
            QVERIFY(QDir(QFileInfo(path).path()).isEmpty());
            return;
        }
        QVERIFY(!DataChanged);
        QCOMPARE(CurrentFileName, path);
        QCOMPARE(bench.window.filName->text(), u' ' + path + QStringLiteral("  "));
        QCOMPARE(bench.storedWorkFolder(), QFileInfo(path).path() + u'/');
        const QByteArray saved = ReadTestFile(path);
        QCOMPARE(saved.size(), 448 * (bench.rows() + 1));
        QCOMPARE(TEstimateRecord::HeaderName(saved.constData()), QStringLiteral("○○초등학교 증축공사"));
    }

    void aNamedDocumentIsSavedWithoutADialog()
    {
        Workbench bench;
        const QString path = bench.db.home().filePath(QStringLiteral("공사.Vek"));
        QVERIFY(WriteTestFile(path, "an older version"));
        CurrentFileName = path;
        DataChanged = true;
        QCOMPARE(bench.window.SavBtn0Click(), Tmainf::SaveResult::Saved);
        QVERIFY(bench.dialogs.requests().isEmpty());
        QVERIFY(!DataChanged);
        QCOMPARE(ReadTestFile(path).size(), 448 * (bench.rows() + 1));
        QCOMPARE(bench.storedWorkFolder(), bench.db.home().path() + u'/');
    }

    void nothingIsSavedFromAnEmptyWorkItemList()
    {
        Workbench bench(0);
        DataChanged = true;
        QCOMPARE(bench.window.SavBtn0Click(), Tmainf::SaveResult::NothingToSave);
        QCOMPARE(bench.window.SavAs0Click(), Tmainf::SaveResult::NothingToSave);
        QVERIFY(bench.dialogs.requests().isEmpty());
        QVERIFY(bench.messages.texts().isEmpty());
        QVERIFY(DataChanged);
    }

    void aFailedSaveKeepsTheDocumentAndItsChanges_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("Save As into a folder that is a plain file") << true;
        QTest::newRow("Save of a number beyond the fixed-point range") << false;
    }
    void aFailedSaveKeepsTheDocumentAndItsChanges()
    {
        QFETCH(bool, saveAs);
        Workbench bench;
        const QString old = bench.db.home().filePath(QStringLiteral("old.Vek"));
        const QByteArray oldBytes("the document as it was");
        QVERIFY(WriteTestFile(old, oldBytes));
        QVERIFY(WriteTestFile(bench.db.home().filePath(QStringLiteral("plain")), "a file"));
        CurrentFileName = old;
        bench.window.filName->setText(u' ' + old + QStringLiteral("  "));
        DataChanged = true;
        GetWorkFolder(QStringLiteral("VekFree.ini"));
        const QStringList files = QDir(bench.db.home().path()).entryList(QDir::Files | QDir::Hidden);
        QString target = old;
        Tmainf::SaveResult result;
        if (saveAs) {
            target = bench.db.home().filePath(QStringLiteral("plain/new.Vek"));
            bench.dialogs.queueAnswer(target);
            result = bench.window.SavAs0Click();
        } else {
            bench.db.module().SQLConect.execute(QStringLiteral("update NDTAIL set CSTTAL=? where ABFS='S'"), {1e300});
            QVERIFY(bench.db.module().SQLConect.commit());
            result = bench.window.SavBtn0Click();
        }
        QCOMPARE(result, Tmainf::SaveResult::Failed);
        QCOMPARE(bench.messages.texts().size(), 1);
        QVERIFY2(bench.messages.texts().first().startsWith(QStringLiteral(" 파일을 저장할 수 없습니다.\n") + target + u'\n'),
                 qPrintable(bench.messages.texts().first()));
        QVERIFY(SprSfm.isNull());
        QVERIFY(DataChanged);
        QCOMPARE(CurrentFileName, old);
        QCOMPARE(bench.window.filName->text(), u' ' + old + QStringLiteral("  "));
        QCOMPARE(ReadTestFile(old), oldBytes);
        QCOMPARE(QDir(bench.db.home().path()).entryList(QDir::Files | QDir::Hidden), files);
    }

    void newAndOpenStopWhenTheChangesAreNotSaved_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("New") << false;
        QTest::newRow("Open") << true;
    }
    void newAndOpenStopWhenTheChangesAreNotSaved()
    {
        QFETCH(bool, open);
        Workbench bench;
        bench.window.dGongSa->setText(QStringLiteral("고칠 공사"));
        DataChanged = true;
        const int rows = bench.rows();
        if (open)
            bench.window.OpnBtn0->DoClick();
        else
            bench.window.NewBtn0->DoClick();
        // Only the Save As of the changed untitled document was asked, and cancelled.
        QCOMPARE(bench.dialogs.requests().size(), 1);
        QCOMPARE(bench.dialogs.requests().first().kind, FileDialogRequest::Kind::Save);
        QCOMPARE(bench.rows(), rows);
        QVERIFY(DataChanged);
        QCOMPARE(bench.window.dGongSa->text(), QStringLiteral("고칠 공사"));
        QCOMPARE(CurrentFileName, UntitledFileName);
    }

    void newSavesAChangedDocumentAndStartsAnEmptyOne()
    {
        Workbench bench;
        const QString path = bench.db.home().filePath(QStringLiteral("지난 공사.Vek"));
        CurrentFileName = path;
        bench.window.filName->setText(u' ' + path + QStringLiteral("  "));
        bench.window.dGongSa->setText(QStringLiteral("지난 공사"));
        DataChanged = true;
        const int rows = bench.rows();
        bench.window.WorkItems->TotalBar->ShowSums({Currency::fromDouble(10), Currency::fromDouble(20),
                                                     Currency::fromDouble(30), Currency::fromDouble(60)});

        bench.window.NewBtn0Click();
        const RollupSums cleared = bench.window.WorkItems->TotalBar->Sums();
        for (Currency box : {cleared.material, cleared.labour, cleared.expense, cleared.total})
            QCOMPARE(box, Currency());
        QCOMPARE(ReadTestFile(path).size(), 448 * (rows + 1));
        QCOMPARE(bench.rows(), 0);
        QVERIFY(bench.db.module().TAlst.isActive());
        QVERIFY(bench.db.module().TAlst.isEmpty());
        QCOMPARE(CurrentFileName, UntitledFileName);
        QCOMPARE(bench.window.filName->text(), QString());
        QCOMPARE(bench.window.dGongSa->text(), QString());
        QVERIFY(!DataChanged);
        QVERIFY(bench.dialogs.requests().isEmpty());
        QVERIFY(bench.messages.texts().isEmpty());
    }

    void openReplacesTheEstimateByTheChosenDocument()
    {
        Workbench bench;
        const QString path = bench.db.home().filePath(QStringLiteral("열 공사.vek"));
        QVERIFY(WriteTestFile(path, DocumentOf(QStringLiteral("열린 공사"), {{7, 2}, {8, 3}, {9, 1}})));
        bench.dialogs.queueAnswer(path);

        bench.window.OpnBtn0->DoClick();
        QCOMPARE(bench.dialogs.requests().size(), 1);
        const FileDialogRequest &asked = bench.dialogs.requests().first();
        QCOMPARE(asked.kind, FileDialogRequest::Kind::Open);
        QCOMPARE(asked.title, QStringLiteral("파일명을 확인하세요."));
        QCOMPARE(asked.fileName, QString());
        QCOMPARE(asked.folder, bench.workFolder());
        QCOMPARE(asked.filter, DocumentFilter);
        QCOMPARE(bench.messages.texts(), QStringList());

        QCOMPARE(bench.rows(), 6);
        QCOMPARE(CurrentFileName, path);
        QCOMPARE(bench.window.filName->text(), u' ' + path + QStringLiteral("  "));
        QCOMPARE(bench.window.dGongSa->text(), QStringLiteral("열린 공사"));
        Dataset &items = bench.db.module().TAlst;
        QCOMPARE(items.recordCount(), 3);
        QCOMPARE(items.recNo(), 0);
        QCOMPARE(items.asInteger("ACODE"), 9); // the first in order
        // The totals of the opened estimate, in the total bar before the list is shown.
        QCOMPARE(bench.window.WorkItems->TotalBar->LPCST11->Value(), 24000.0);
        QCOMPARE(bench.window.WorkItems->TotalBar->LCSTTAL->Value(), 24000.0);
        QVERIFY(!DataChanged);
        QVERIFY(SprSfm.isNull());
    }

    void aRefusedDocumentChangesNothing()
    {
        Workbench bench;
        const QString path = bench.db.home().filePath(QStringLiteral("short.Vek"));
        QVERIFY(WriteTestFile(path, DocumentOf(QStringLiteral("짧은 공사"), {{1, 1}}).chopped(448)));
        const QString named = bench.db.home().filePath(QStringLiteral("지금.Vek"));
        CurrentFileName = named;
        bench.window.filName->setText(u' ' + named + QStringLiteral("  "));
        bench.window.dGongSa->setText(QStringLiteral("지금 공사"));
        const int rows = bench.rows();
        bench.dialogs.queueAnswer(path);

        bench.window.OpnBtn0Click();
        QCOMPARE(bench.messages.texts(), QStringList{QStringLiteral(" 내역서파일이 아니거나 손상된 파일입니다.\n") + path});
        QCOMPARE(bench.rows(), rows);
        QCOMPARE(CurrentFileName, named);
        QCOMPARE(bench.window.filName->text(), u' ' + named + QStringLiteral("  "));
        QCOMPARE(bench.window.dGongSa->text(), QStringLiteral("지금 공사"));
        QVERIFY(!DataChanged);
        QVERIFY(SprSfm.isNull());
    }

    void quittingSavesAChangedDocumentFirst_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("document"); // empty: untitled; "/": a folder that is a file
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("unchanged: closes without writing") << false << "공사.Vek" << true << true << false;
        QTest::newRow("changed, named: written, then closed") << true << "공사.Vek" << true << true << true;
        QTest::newRow("changed, untitled, Save As cancelled: stays open") << true << "" << true << false << false;
        QTest::newRow("changed, the save fails: stays open") << true << "/" << true << false << false;
        QTest::newRow("answered no") << true << "공사.Vek" << false << false << false;
    }
    void quittingSavesAChangedDocumentFirst()
    {
        QFETCH(bool, changed);
        QFETCH(QString, document);
        QFETCH(bool, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        Workbench bench;
        bench.messages.queueAnswer(answer);
        QString path = bench.db.home().filePath(document);
        if (document == "/") {
            QVERIFY(WriteTestFile(bench.db.home().filePath("plain"), "a file, not a folder"));
            path = bench.db.home().filePath("plain/공사.Vek");
        }
        CurrentFileName = document.isEmpty() ? UntitledFileName : path;
        DataChanged = changed;
        const int rows = bench.rows();

        bench.window.QuitBtn->DoClick();

        QCOMPARE(bench.messages.texts().first(), QStringLiteral(" 작업을 종료하겠습니까 ??"));
        QCOMPARE(bench.window.DatabaseReady(), !closed);
        QCOMPARE(QFileInfo(path).isFile() && ReadTestFile(path).size() == 448 * (rows + 1), written);
        QCOMPARE(bench.dialogs.requests().size(), document.isEmpty() && answer ? 1 : 0);
        if (!closed)
            QCOMPARE(DataChanged, changed);
    }

    void typingTheProjectNameIsAChange_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("changed");
        QTest::newRow("keys") << 0 << true;
        QTest::newRow("input method") << 1 << true;
        QTest::newRow("set by the program") << 2 << false;
    }
    void typingTheProjectNameIsAChange()
    {
        QFETCH(int, how);
        QFETCH(bool, changed);
        Tmainf window;
        DataChanged = false;
        if (how == 0) {
            QTest::keyClicks(window.dGongSa, QStringLiteral("abc"));
        } else if (how == 1) {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("공사"));
            QCoreApplication::sendEvent(window.dGongSa, &commit);
        } else {
            window.dGongSa->setText(QStringLiteral("공사"));
        }
        QCOMPARE(DataChanged, changed);
    }
};

VEK_TEST(TestMainWindow)
#include "tst_MainWindow.moc"
