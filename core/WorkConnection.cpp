#include "core/WorkConnection.h"

#include "core/DatabaseError.h"
#include "core/MessageBoxes.h"
#include "core/WorkDatabase.h"

#include <QFileInfo>
#include <QSqlError>

namespace vek {

namespace {

const QString UserName = QStringLiteral("sysdba");
const QString Password = QStringLiteral("quillbark");

QString EngineText(const QSqlError &error)
{
    return error.text().trimmed();
}

} // namespace

void ExecuteBound(QSqlQuery &query, const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    if (!query.exec())
        throw DatabaseError(EngineText(query.lastError()) + QStringLiteral("\n") + query.lastQuery());
}

WorkConnection::WorkConnection(const QString &connectionName) : name_(connectionName)
{
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name_);
}

WorkConnection::~WorkConnection()
{
    close();
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase WorkConnection::database() const
{
    return QSqlDatabase::database(name_, false);
}

bool WorkConnection::isOpen() const
{
    return database().isOpen();
}

void WorkConnection::open(const QString &path)
{
    close();
    if (!QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("데이타베이스 파일이 없습니다: %1").arg(path));
    QSqlDatabase db = database();
    if (!db.isValid())
        throw DatabaseError(QStringLiteral("Firebird 드라이버(QIBASE)를 찾을 수 없습니다: %1").arg(path));
    PrepareFirebirdLock();
    db.setDatabaseName(path);
    db.setUserName(UserName);
    db.setPassword(Password);
    if (!db.open()) {
        const QString engine = EngineText(db.lastError());
        const bool held = engine.contains(QStringLiteral("lock"), Qt::CaseInsensitive)
                          || engine.contains(QStringLiteral("in use"), Qt::CaseInsensitive);
        throw DatabaseError(held ? QStringLiteral("다른 프로그램이 데이타베이스 파일을 사용하고 있습니다: %1\n%2").arg(path, engine)
                                 : QStringLiteral("데이타베이스 파일을 열 수 없습니다: %1\n%2").arg(path, engine));
    }
    path_ = path;
}

void WorkConnection::close()
{
    if (inTransaction_)
        rollback();
    statements_.clear();
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
}

void WorkConnection::startTransaction()
{
    if (inTransaction_)
        return;
    QSqlDatabase db = database();
    if (!db.transaction())
        throw DatabaseError(QStringLiteral("트랜잭션을 시작할 수 없습니다: %1\n%2").arg(path_, EngineText(db.lastError())));
    inTransaction_ = true;
}

bool WorkConnection::commit()
{
    if (!inTransaction_)
        return true;
    // Prepared statements belong to the transaction they were prepared in.
    statements_.clear();
    QSqlDatabase db = database();
    // The commit runs as a statement: when the driver's own commit is refused it forgets
    // the transaction, which then lives on in the engine holding its rows, and can no
    // longer be rolled back. A refused COMMIT statement leaves the transaction to roll back.
    QSqlQuery commitStatement(db);
    const bool committed = commitStatement.exec(QStringLiteral("COMMIT"));
    commitStatement.finish();
    // After a committed COMMIT this only makes the driver drop its ended transaction.
    db.rollback();
    inTransaction_ = false;
    return committed;
}

void WorkConnection::rollback()
{
    statements_.clear();
    if (!inTransaction_)
        return;
    database().rollback();
    inTransaction_ = false;
}

QSqlQuery &WorkConnection::statement(const QString &sql)
{
    startTransaction();
    auto found = statements_.find(sql);
    if (found != statements_.end())
        return found->second;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(EngineText(query.lastError()) + QStringLiteral("\n") + sql);
    return statements_.emplace(sql, std::move(query)).first->second;
}

void WorkConnection::execute(const QString &sql, const QVariantList &params)
{
    ExecuteBound(statement(sql), params);
}

QSqlQuery WorkConnection::select(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(EngineText(query.lastError()) + QStringLiteral("\n") + sql);
    ExecuteBound(query, params);
    return query;
}

WorkTransaction::WorkTransaction(WorkConnection &connection) : connection_(connection)
{
    ++connection_.commandDepth_;
}

WorkTransaction::~WorkTransaction()
{
    if (done_)
        return;
    --connection_.commandDepth_;
    // Whatever the command did before it failed goes, whole.
    connection_.rollback();
}

bool WorkTransaction::commit()
{
    done_ = true;
    if (--connection_.commandDepth_ > 0)
        return true;
    return CommitOrReport(connection_);
}

bool CommitOrReport(WorkConnection &connection)
{
    if (connection.commit())
        return true;
    ShowInfoMsg(QStringLiteral("처리실패!!"));
    return false;
}

} // namespace vek
