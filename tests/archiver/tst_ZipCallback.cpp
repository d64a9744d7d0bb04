#include "archiver/ZipMaster.h"
#include "tests/archiver/PasswordAnswerer.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QGuiApplication>
#include <QTest>

#include <stdexcept>

using namespace vek;

// The engine's callbacks: each action's event and the answer that goes back.
class TestZipCallback : public QObject {
    Q_OBJECT

    struct Setup : StandInComponent {
        Setup() : StandInComponent(ZipBuilder().Add("a.gdb", "abc").Build()) {}
        // Runs script through an add; the answers are in the engine's script afterwards.
        int Add(std::vector<StandInCallback> script)
        {
            engine->script = std::move(script);
            zip.FSpecArgs() = {"x"};
            return zip.AddFiles();
        }
        const StandInCallback &Step(size_t i) const { return engine->script.at(i); }
    };

    static StandInCallback Step(ZipCallbackAction action, int32_t value1, int32_t value2, const std::string &text = {},
                                const std::string &comment = {})
    {
        StandInCallback step;
        step.action = action;
        step.value1 = value1;
        step.value2 = value2;
        step.text = text;
        step.comment = comment;
        return step;
    }

private slots:
    void progressReportsOnePerAction()
    {
        Setup setup;
        QStringList events;
        setup.zip.OnProgress = [&](TZipMaster &, ProgressType type, const QString &name, qint64 size) {
            events.append(QStringLiteral("%1 %2 %3").arg(int(type)).arg(name).arg(size));
        };
        setup.Add({Step(ZipActionTotalFiles, 0, 2), Step(ZipActionTotalSize, 0, 700),
                   Step(ZipActionNewFile, 0, 500, "dir/sub/a.gdb  "), Step(ZipActionProgress, 0, 300, "dir/sub/a.gdb"),
                   Step(ZipActionEndOfBatch, 7, 9, "ignored")});
        QCOMPARE(events, QStringList({"3  2", "4  700", "0 dir\\sub\\a.gdb 500", "1 dir\\sub\\a.gdb 300", "2  0"}));
        QCOMPARE(setup.zip.TotalSizeToProcess(), qint64(700));
        for (const StandInCallback &step : setup.engine->script)
            QCOMPARE(step.result, 0);
    }

    // A failure the engine reports becomes the last error (its low byte, the whole value
    // beside it) and is shown once when the operation ends; a report is not.
    void engineMessages_data()
    {
        QTest::addColumn<bool>("unattended");
        QTest::newRow("attended: one box") << false;
        QTest::newRow("unattended: no box") << true;
    }
    void engineMessages()
    {
        QFETCH(bool, unattended);
        Setup setup;
        MessageAnswerer answers;
        setup.zip.SetUnattended(unattended);
        QList<int> codes;
        QStringList texts;
        setup.zip.OnMessage = [&](TZipMaster &, int code, const QString &text) {
            codes.append(code);
            texts.append(text);
        };
        setup.Add({Step(ZipActionMessage, 0x0302, 0, "/a/b.gdb: cannot be read"), Step(ZipActionMessage, 0, 0, "adding c"),
                   Step(ZipActionMessage, 0x0207, 0, "/a/d.gdb: gone")});
        QCOMPARE(codes, QList<int>({0x0302, 0, 0x0207}));
        QCOMPARE(texts, QStringList({"\\a\\b.gdb: cannot be read", "adding c", "\\a\\d.gdb: gone"}));
        QCOMPARE(setup.zip.ErrCode(), 7);
        QCOMPARE(setup.zip.FullErrCode(), 0x0207);
        QCOMPARE(setup.zip.Message(), QString("\\a\\d.gdb: gone"));
        QCOMPARE(answers.texts(), unattended ? QStringList() : QStringList{"\\a\\d.gdb: gone"});
        if (!unattended)
            QCOMPARE(answers.requests().at(0).caption, QGuiApplication::applicationDisplayName());

        // The next operation starts without the last error.
        setup.Add({Step(ZipActionMessage, 0, 0, "fine")});
        QCOMPARE(setup.zip.ErrCode(), 0);
        QCOMPARE(answers.texts().size(), unattended ? 0 : 1);
    }

    void newName()
    {
        Setup setup;
        // Without a handler the engine's values stay.
        setup.Add({Step(ZipActionNewName, 5, 0, "dir/a.gdb")});
        QCOMPARE(setup.Step(0).answer1, 5);
        QCOMPARE(setup.Step(0).answerText, std::string("dir/a.gdb"));

        QStringList seen;
        setup.zip.OnSetNewName = [&](TZipMaster &, QString &name, bool &changed) {
            seen.append(name);
            if (name.endsWith("a.gdb")) {
                name = "새/" + QString(600, 'n');
                changed = true;
            }
        };
        setup.Add({Step(ZipActionNewName, 5, 0, "dir/a.gdb"), Step(ZipActionNewName, 5, 0, "b.gdb")});
        QCOMPARE(seen, QStringList({"dir\\a.gdb", "b.gdb"}));
        QCOMPARE(setup.Step(0).answer1, 1);
        QCOMPARE(setup.Step(0).answerText, ("새/" + QString(507, 'n')).toStdString()); // 511 bytes
        QCOMPARE(setup.Step(1).answer1, 0);
    }

    void passwordFromTheHandler_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<unsigned>("repeat"); // what the handler sets
        QTest::addColumn<int>("answered");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("repeatSent");
        QTest::newRow("an answer") << "pw" << 3u << 1 << "pw" << 3;
        QTest::newRow("at most 15 repeats") << "pw" << 20u << 1 << "pw" << 15;
        QTest::newRow("at most 80 characters") << QString(100, 'x') << 1u << 1 << QString(80, 'x') << 1;
        QTest::newRow("no answer: no repeats") << "" << 5u << 0 << "" << 0;
    }
    void passwordFromTheHandler()
    {
        QFETCH(QString, answer);
        QFETCH(unsigned, repeat);
        QFETCH(int, answered);
        QFETCH(QString, sent);
        QFETCH(int, repeatSent);
        Setup setup;
        QString forFile;
        unsigned repeatSeen = 0;
        setup.zip.OnPasswordError = [&](TZipMaster &, QString &newPassword, const QString &file, unsigned &count) {
            forFile = file;
            repeatSeen = count;
            newPassword = answer;
            count = repeat;
        };
        setup.Add({Step(ZipActionPassword, 0, 4, "sub/a.gdb")});
        QCOMPARE(forFile, QString("sub\\a.gdb"));
        QCOMPARE(repeatSeen, 4u);
        QCOMPARE(setup.Step(0).answer1, answered);
        if (answered)
            QCOMPARE(QString::fromStdString(setup.Step(0).answerText), sent);
        QCOMPARE(setup.Step(0).answer2, repeatSent);
        QVERIFY(setup.zip.Password().isEmpty()); // an answer to the engine is not kept
    }

    // Without a handler the component asks: bit 0 of +20 makes it the adding question.
    void passwordQuestions_data()
    {
        QTest::addColumn<int>("adding");
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("message");
        QTest::newRow("adding asks twice") << 1 << false << 2 << 0;
        QTest::newRow("extracting asks once") << 0 << false << 1 << 0;
        QTest::newRow("adding, unattended") << 1 << true << 0 << 10150;
        QTest::newRow("extracting, unattended") << 0 << true << 0 << 10151;
    }
    void passwordQuestions()
    {
        QFETCH(int, adding);
        QFETCH(bool, unattended);
        QFETCH(int, dialogs);
        QFETCH(int, message);
        Setup setup;
        MessageAnswerer answers;
        setup.zip.SetUnattended(unattended);
        PasswordAnswerer typist({QString("typed"), QString("typed")});
        setup.Add({Step(ZipActionPassword, adding, 2, "a.gdb")});
        QCOMPARE(typist.Shown(), dialogs);
        QCOMPARE(setup.Step(0).answer1, unattended ? 0 : 1);
        QCOMPARE(setup.Step(0).answerText, unattended ? std::string("a.gdb") : std::string("typed"));
        QCOMPARE(setup.Step(0).answer2, unattended ? 0 : 2);
        QCOMPARE(setup.zip.ErrCode(), message);
        QVERIFY(setup.zip.Password().isEmpty());
    }

    void crcError_data()
    {
        QTest::addColumn<int>("handler"); // 0 none, 1 leaves DoExtract, 2 clears it
        QTest::addColumn<int>("answer");
        QTest::newRow("no handler: the engine decides") << 0 << 2;
        QTest::newRow("the handler keeps the data") << 1 << 1;
        QTest::newRow("the handler drops it") << 2 << 0;
    }
    void crcError()
    {
        QFETCH(int, handler);
        QFETCH(int, answer);
        Setup setup;
        quint32 found = 0, expected = 0;
        if (handler)
            setup.zip.OnCRC32Error = [&](TZipMaster &, const QString &, quint32 f, quint32 e, bool &doExtract) {
                found = f;
                expected = e;
                QVERIFY(doExtract);
                doExtract = handler == 1;
            };
        setup.Add({Step(ZipActionCrcError, int32_t(0xDEADBEEF), 0x12345678, "a.gdb")});
        QCOMPARE(setup.Step(0).answer1, answer);
        if (handler) {
            QCOMPARE(found, 0xDEADBEEFu);
            QCOMPARE(expected, 0x12345678u);
        }
    }

    void overwrite()
    {
        Setup setup;
        setup.Add({Step(ZipActionOverwrite, 1, 0, "a.gdb")});
        QCOMPARE(setup.Step(0).answer2, 0); // no handler: the engine's default stands
        QList<bool> older;
        setup.zip.OnExtractOverwrite = [&](TZipMaster &, const QString &, bool isOlder, bool &doOverwrite) {
            older.append(isOlder);
            QVERIFY(!doOverwrite);
            doOverwrite = isOlder;
        };
        setup.Add({Step(ZipActionOverwrite, 3, 0, "a.gdb"), Step(ZipActionOverwrite, 2, 0, "b.gdb")});
        QCOMPARE(older, QList<bool>({true, false}));
        QCOMPARE(setup.Step(0).answer2, 1);
        QCOMPARE(setup.Step(1).answer2, 0);
    }

    void skipped()
    {
        Setup setup;
        MessageAnswerer answers;
        QStringList events;
        setup.zip.OnExtractSkipped = [&](TZipMaster &, const QString &file, UnZipSkipTypes type, int error) {
            events.append(QStringLiteral("%1 %2 %3").arg(file).arg(int(type)).arg(error));
        };
        setup.Add({Step(ZipActionSkipped, 0, UnzipSkipNoOverwrite, "a.gdb")});
        QCOMPARE(setup.zip.ErrCode(), 0);
        QVERIFY(answers.texts().isEmpty());
        setup.Add({Step(ZipActionSkipped, ZipErrUnsafeName, 0x100 | UnzipSkipUnsafeName, "../b.gdb")});
        QCOMPARE(events, QStringList({"a.gdb 2 0", "..\\b.gdb 5 8"}));
        QCOMPARE(setup.zip.ErrCode(), ZipErrUnsafeName);
        QCOMPARE(answers.texts(), QStringList{"..\\b.gdb"}); // the skip is the failure shown
    }

    void fileComment()
    {
        Setup setup;
        setup.Add({Step(ZipActionFileComment, 0, 0, "a.gdb", "old")});
        QCOMPARE(setup.Step(0).answer1, 0); // no handler: nothing changes

        QStringList seen;
        setup.zip.OnFileComment = [&](TZipMaster &, const QString &file, QString &comment, bool &changed) {
            seen.append(file + ":" + comment);
            if (file == "a.gdb") {
                comment = "견적 " + QString(600, 'c');
                changed = true;
            } else if (file == "b.gdb") {
                comment.clear();
                changed = true;
            }
        };
        setup.Add({Step(ZipActionFileComment, 0, 0, "a.gdb", "old"), Step(ZipActionFileComment, 0, 0, "b.gdb", "old"),
                   Step(ZipActionFileComment, 0, 0, "c.gdb", "old")});
        QCOMPARE(seen, QStringList({"a.gdb:old", "b.gdb:old", "c.gdb:old"}));
        QCOMPARE(setup.Step(0).answer1, 1);
        QCOMPARE(setup.Step(0).answer2, 511);
        QCOMPARE(setup.Step(0).answerText, ("견적 " + QString(504, 'c')).toStdString());
        QCOMPARE(setup.Step(1).answer1, 1); // changed to nothing
        QCOMPARE(setup.Step(1).answer2, 0);
        QCOMPARE(setup.Step(1).answerText, std::string());
        QCOMPARE(setup.Step(2).answer1, 0);
        QCOMPARE(setup.Step(2).answerText, std::string());
    }

    // The cancel flag is read before the messages are pumped: set by a handler, it stops
    // at once; set by an event the pump delivers, at the next callback.
    void cancel()
    {
        Setup setup;
        setup.zip.OnProgress = [](TZipMaster &zip, ProgressType type, const QString &, qint64) {
            if (type == ProgressType::NewFile)
                zip.SetCancel(true);
        };
        setup.engine->count = 3;
        QCOMPARE(setup.Add({Step(ZipActionTotalFiles, 0, 1), Step(ZipActionNewFile, 0, 1, "a"), Step(ZipActionProgress, 0, 1)}), 0);
        QCOMPARE(setup.engine->script.size(), size_t(3));
        QCOMPARE(setup.Step(0).result, 0);
        QCOMPARE(setup.Step(1).result, -1);
        QCOMPARE(setup.Step(2).result, 0); // not made
        QVERIFY(!setup.zip.Cancel());

        setup.zip.OnProgress = [](TZipMaster &zip, ProgressType type, const QString &, qint64) {
            if (type == ProgressType::NewFile)
                QMetaObject::invokeMethod(qApp, [&zip] { zip.SetCancel(true); }, Qt::QueuedConnection);
        };
        setup.Add({Step(ZipActionNewFile, 0, 1, "a"), Step(ZipActionProgress, 0, 1), Step(ZipActionProgress, 0, 1)});
        QCOMPARE(setup.Step(0).result, 0);
        QCOMPARE(setup.Step(1).result, -1);
    }

    // What a handler throws stops the engine and ends the operation with its message.
    void handlerThrows_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("id");
        QTest::newRow("add") << true << 10101;
        QTest::newRow("extract") << false << 10501;
    }
    void handlerThrows()
    {
        QFETCH(bool, adding);
        QFETCH(int, id);
        Setup setup;
        MessageAnswerer answers;
        setup.zip.OnProgress = [](TZipMaster &, ProgressType, const QString &, qint64) {
            throw std::runtime_error("handler failed");
        };
        setup.engine->count = 1;
        setup.engine->script = {Step(ZipActionNewFile, 0, 1, "a"), Step(ZipActionProgress, 0, 1)};
        setup.zip.FSpecArgs() = {"x"};
        QCOMPARE(adding ? setup.zip.AddFiles() : setup.zip.ExtractFiles(), 0);
        QCOMPARE(setup.Step(0).result, -1);
        QCOMPARE(setup.zip.ErrCode(), id);
        QVERIFY(setup.zip.Message().endsWith("\nhandler failed"));
        QVERIFY(!setup.zip.ZipBusy() && !setup.zip.UnzBusy());
    }

    // A second operation started from a handler while one runs is refused.
    void busyRefusesASecondRun()
    {
        Setup setup;
        int inner = -1;
        bool busy = false;
        setup.zip.OnProgress = [&](TZipMaster &zip, ProgressType type, const QString &, qint64) {
            if (type != ProgressType::NewFile)
                return;
            busy = zip.ZipBusy();
            zip.FSpecArgs() = {"y"};
            inner = zip.AddFiles();
        };
        setup.engine->count = 1;
        QCOMPARE(setup.Add({Step(ZipActionNewFile, 0, 1, "a")}), 1);
        QVERIFY(busy);
        QCOMPARE(inner, 0);
        QCOMPARE(setup.engine->calls, 1);
        QVERIFY(!setup.zip.ZipBusy());
    }
};

VEK_TEST(TestZipCallback)
#include "tst_ZipCallback.moc"
