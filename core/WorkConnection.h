#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <map>

namespace vek {

// One attachment of the embedded engine to a database file through Qt's QIBASE driver,
// with the transaction rules of the system: every changing statement runs in an explicit
// transaction, and a command that runs several of them commits once at its end or rolls
// back as a whole (see WorkTransaction).
class WorkConnection {
public:
    explicit WorkConnection(const QString &connectionName);
    ~WorkConnection();
    WorkConnection(const WorkConnection &) = delete;
    WorkConnection &operator=(const WorkConnection &) = delete;

    // Attaches to the file at path as "sysdba"; throws DatabaseError naming the file.
    void open(const QString &path);
    void close();
    bool isOpen() const;
    QString path() const { return path_; }
    QString connectionName() const { return name_; }
    QSqlDatabase database() const;

    bool inTransaction() const { return inTransaction_; }
    void startTransaction();
    // Commits the open transaction; when the engine refuses, rolls it back and returns false.
    bool commit();
    void rollback();

    // The statement prepared for sql in the current transaction (starting one when none
    // is open): prepared once, executed as often as the transaction needs it.
    QSqlQuery &statement(const QString &sql);
    // Runs sql with params bound in order inside the transaction; throws DatabaseError.
    void execute(const QString &sql, const QVariantList &params = {});
    // A query over sql with params, executed and ready to be read, in the current
    // transaction when one is open; throws DatabaseError.
    QSqlQuery select(const QString &sql, const QVariantList &params = {});

    // Nesting depth of the commands (WorkTransaction) running on this connection.
    int commandDepth() const { return commandDepth_; }

private:
    friend class WorkTransaction;

    QString name_;
    QString path_;
    bool inTransaction_ = false;
    int commandDepth_ = 0;
    std::map<QString, QSqlQuery> statements_;
};

// One command, one transaction: while the outermost WorkTransaction of a connection lives,
// CommitWork leaves the commit to it. commit() commits at the outermost level (a refused
// commit rolls back and shows "처리실패!!"); a WorkTransaction left without commit() (an
// error was thrown) rolls back everything the command did.
class WorkTransaction {
public:
    explicit WorkTransaction(WorkConnection &connection);
    ~WorkTransaction();
    WorkTransaction(const WorkTransaction &) = delete;
    WorkTransaction &operator=(const WorkTransaction &) = delete;

    // True when the work is committed (or left to an outer command).
    bool commit();

private:
    WorkConnection &connection_;
    bool done_ = false;
};

// Commits connection's open transaction; when the engine refuses, rolls it back and
// shows "처리실패!!". True when committed.
bool CommitOrReport(WorkConnection &connection);

// Binds params in order and executes query; throws DatabaseError with the engine's text.
void ExecuteBound(QSqlQuery &query, const QVariantList &params);

} // namespace vek
