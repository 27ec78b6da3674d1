#pragma once

#include "store/commit_script.h"

class DbSession;

// Commits the work receipt as one transaction: all or nothing. On failure the
// transaction is rolled back, so `uctenky`, `seznam`, `dlterm` and the work
// receipt (a transactional table) are exactly as before. A deadlock or lock-wait
// timeout is tried again, up to `attempts` times in all.
// Reads the stock lines and the receipt's year from the work receipt itself;
// returns the new receipt number, which also stays in @CiUc on the connection.
// Throws DbError, or UserError when the branch's numbers for the year are used up.
qint64 UlozUcte(DbSession &session, CommitInput input, int attempts = 3);
// The same for one open order of table service: only the lines of `stul`.
qint64 commitTableOrder(DbSession &session, CommitInput input, const QString &stul,
                        int attempts = 3);
