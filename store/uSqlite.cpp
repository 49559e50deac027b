#include "uSqlite.h"

#include "uError.h"

#include <QFile>

#include <sqlite3.h>

namespace {

[[noreturn]] void RaiseEngineError(sqlite3* db)
{
    throw EVelmoError(QString::fromUtf8(sqlite3_errmsg(db)));
}

void Check(sqlite3* db, int code)
{
    if (code != SQLITE_OK)
        RaiseEngineError(db);
}

} // namespace

TSqliteStatement::TSqliteStatement(sqlite3* db, const char* sql)
    : m_db(db)
    , m_statement(nullptr, sqlite3_finalize)
{
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    m_statement.reset(statement);
    Check(db, code);
}

TSqliteStatement& TSqliteStatement::Bind(int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    // An empty QString has no data pointer; bind it as empty text, never as NULL.
    Check(m_db, sqlite3_bind_text64(m_statement.get(), index, utf8.isNull() ? "" : utf8.constData(),
                                    static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                                    SQLITE_UTF8));
    return *this;
}

TSqliteStatement& TSqliteStatement::Bind(int index, const QByteArray& blob)
{
    Check(m_db, sqlite3_bind_blob64(m_statement.get(), index, blob.isNull() ? "" : blob.constData(),
                                    static_cast<sqlite3_uint64>(blob.size()), SQLITE_TRANSIENT));
    return *this;
}

TSqliteStatement& TSqliteStatement::Bind(int index, qint64 number)
{
    Check(m_db, sqlite3_bind_int64(m_statement.get(), index, number));
    return *this;
}

bool TSqliteStatement::Step()
{
    const int code = sqlite3_step(m_statement.get());
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    RaiseEngineError(m_db);
}

void TSqliteStatement::Run()
{
    while (Step()) {
    }
}

QString TSqliteStatement::Text(int column) const
{
    const auto* text =
        reinterpret_cast<const char*>(sqlite3_column_text(m_statement.get(), column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement.get(), column));
}

QByteArray TSqliteStatement::Blob(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement.get(), column));
    return QByteArray(data, sqlite3_column_bytes(m_statement.get(), column));
}

qint64 TSqliteStatement::Integer(int column) const
{
    return sqlite3_column_int64(m_statement.get(), column);
}

TSqliteDatabase::TSqliteDatabase(const QString& filePath)
{
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(QFile::encodeName(filePath).constData(), &db,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    m_db = {db, sqlite3_close};
    Check(db, code);
}

void TSqliteDatabase::Execute(const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db.get(), sql, nullptr, nullptr, &message) == SQLITE_OK)
        return;
    const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(m_db.get()));
    sqlite3_free(message);
    throw EVelmoError(text);
}

int TSqliteDatabase::Changes() const
{
    return sqlite3_changes(m_db.get());
}
