#pragma once

#include <QString>

#include <functional>
#include <mutex>
#include <set>

// A damaged table: one that yields fewer records than its definition
// declares, holds records or values the reader found damaged and left out,
// or (read in the background) cannot be read at all.
struct ShortTable
{
    QString table;
    qsizetype read = 0;
    qsizetype declared = 0;
    qsizetype damaged = 0; // records dropped and values left out
    bool unreadable = false;

    // The operator's message about it.
    QString message() const;
};

// Who is told of damaged tables, and which tables were told already: each
// table is told once (its name matched without regard to letter case),
// however often it is opened, and only while a reporter is set. The reporter
// runs on the thread that reports, outside the lock, so it may show a
// message box. Reports may come from several threads at once.
class ShortTableNotices
{
public:
    using Reporter = std::function<void(const ShortTable&)>;

    // An empty reporter tells nobody (and remembers nothing).
    void setReporter(Reporter reporter);
    // Forgets which tables were told, so that each is told again.
    void forgetReported();

    void report(const ShortTable& table);

private:
    std::mutex m_lock;
    Reporter m_reporter;
    std::set<QString> m_reported; // lower-case table names
};
