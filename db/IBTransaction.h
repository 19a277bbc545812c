#pragma once
// TIBTransaction: a transaction on one connection (its DefaultDatabase).
//
// StartTransaction fails with "Transaction is active" when in progress and with
// "Cannot perform operation -- DB is not open" when the connection is not connected; the
// transaction starts with an empty parameter block (the server's defaults).
// Commit and Rollback fail with "Transaction is not active" when not in progress; before
// ending they close every query that runs in the transaction and drop its preparation.
// SetActive(true) starts when not in progress, SetActive(false) rolls back when in progress;
// neither fails in the other case. A transaction in progress when it is destroyed, or when
// its connection closes, ends with a commit (its default action).

#include <memory>

class TIBDatabase;

class TIBTransaction {
  public:
    TIBTransaction();
    ~TIBTransaction();
    TIBTransaction(const TIBTransaction&) = delete;
    TIBTransaction& operator=(const TIBTransaction&) = delete;

    void SetDefaultDatabase(TIBDatabase* database);
    TIBDatabase* DefaultDatabase() const;

    bool InTransaction() const;
    bool Active() const { return InTransaction(); }
    void SetActive(bool active);

    void StartTransaction();
    void Commit();
    void Rollback();

    struct Impl;  // the private state, db/internal/Impl.h

  private:
    friend struct TImplAccess;
    std::unique_ptr<Impl> impl_;
};
