#include "core/HomeFolder.h"
#include "tests/support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

// The home folder is the same for the program and for its backup library inside any host.
class TestHomeFolder : public QObject {
    Q_OBJECT

    // Sets an environment variable for the life of the object, or clears it.
    class ScopedVariable {
    public:
        ScopedVariable(const char *name, const QByteArray &value) : name_(name), had_(qEnvironmentVariableIsSet(name))
        {
            previous_ = qgetenv(name);
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
        ~ScopedVariable()
        {
            if (had_)
                qputenv(name_, previous_);
            else
                qunsetenv(name_);
        }

    private:
        const char *name_;
        bool had_;
        QByteArray previous_;
    };

private slots:
    void init()
    {
        organization_ = QCoreApplication::organizationName();
        application_ = QCoreApplication::applicationName();
    }
    void cleanup()
    {
        QCoreApplication::setOrganizationName(organization_);
        QCoreApplication::setApplicationName(application_);
    }

    // Whatever the running application is called, the folder is where the program named
    // KavroSft/VekWFree has kept its data.
    void perUserFolderWhateverTheApplication_data()
    {
        QTest::addColumn<QString>("organization");
        QTest::addColumn<QString>("application");
        QTest::newRow("the program") << "KavroSft" << "VekWFree";
        QTest::newRow("a host without organization") << "" << "BackupHost";
        QTest::newRow("another maker's host") << "Other" << "tst_core";
    }
    void perUserFolderWhateverTheApplication()
    {
        QFETCH(QString, organization);
        QFETCH(QString, application);
        QTemporaryDir data;
        ScopedVariable home("VEK_HOME", QByteArray());
        ScopedVariable xdg("XDG_DATA_HOME", QFile::encodeName(data.path()));

        QCoreApplication::setOrganizationName(QStringLiteral("KavroSft"));
        QCoreApplication::setApplicationName(QStringLiteral("VekWFree"));
        const QString programFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);

        const QString folder = HomeFolder();
        QCOMPARE(folder, data.filePath(QStringLiteral("KavroSft/VekWFree")));
        QCOMPARE(folder, programFolder);
        QVERIFY(QFileInfo(folder).isDir());
    }

    void vekHomeComesFirst()
    {
        QTemporaryDir data;
        const QString wanted = data.filePath(QStringLiteral("홈/폴더"));
        ScopedVariable home("VEK_HOME", QFile::encodeName(wanted));
        QCOMPARE(HomeFolder(), wanted);
        QVERIFY(QFileInfo(wanted).isDir());
    }

private:
    QString organization_;
    QString application_;
};

VEK_TEST(TestHomeFolder)
#include "tst_HomeFolder.moc"
