#pragma once
// A transaction on the store's connection that is ended when the object
// goes out of scope. An abandoned transaction is committed, never rolled
// back; only an explicit Rollback undoes it. The store lock is held for the
// object's whole life, so no other thread's statement lands inside it.
#include <mutex>

class DataStore;

class SQLiteAutoTransaction {
public:
    // Runs "BEGIN" when the store has a connection.
    explicit SQLiteAutoTransaction(DataStore* store);
    // Runs "END" when still active.
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    bool IsActive() const { return m_active; }
    // False and nothing done when already active; otherwise runs "BEGIN"
    // and reports whether it succeeded.
    bool Begin();
    // Runs "END". Should the commit fail with the transaction still open,
    // it is rolled back so that the connection is not left inside it.
    bool Commit();
    // Runs "ROLLBACK" when active.
    bool Rollback();

private:
    DataStore* m_store;
    std::unique_lock<std::recursive_mutex> m_lock;
    bool m_active = false;
};
