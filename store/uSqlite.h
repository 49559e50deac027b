#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// A thin owner of SQLite's handles: every failure raises EVelmoError with the engine's text.
class TSqliteStatement {
public:
    TSqliteStatement(sqlite3* db, const char* sql);

    TSqliteStatement& Bind(int index, const QString& text);
    TSqliteStatement& Bind(int index, const QByteArray& blob);
    TSqliteStatement& Bind(int index, qint64 number);

    // Binds the values to the parameters ?1, ?2 ... in order.
    template <typename... Values> TSqliteStatement& BindAll(const Values&... values)
    {
        int index = 0;
        (Bind(++index, values), ...);
        return *this;
    }

    bool Step(); // true while a row is there
    void Run();  // steps a statement that returns no rows

    QString Text(int column) const; // NULL reads as empty
    QByteArray Blob(int column) const;
    qint64 Integer(int column) const; // NULL reads as 0

private:
    sqlite3* m_db;
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> m_statement;
};

class TSqliteDatabase {
public:
    TSqliteDatabase() = default;
    explicit TSqliteDatabase(const QString& filePath);

    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* Handle() const { return m_db.get(); }
    void Execute(const char* sql);
    int Changes() const; // rows changed by the last finished INSERT, UPDATE or DELETE

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db{nullptr, nullptr};
};
