#pragma once

#include "core/DataModule.h"
#include "tests/support/TempHome.h"

#include <QVariantHash>

#include <memory>

namespace vek {

// A temporary home folder with a fresh working database made from the template, and the
// data module dMf connected to it, for one test.
class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase &) = delete;
    TempDatabase &operator=(const TempDatabase &) = delete;

    TdMf &module() { return *module_; }
    const TempHome &home() const { return home_; }

    // Inserts one NDTAIL row through the row insert statement and commits: the columns
    // given in values, every other column 0, an empty text, or 'F' for MVE.
    void insertRow(const QVariantHash &values);
    // The value of a one-value query such as "select count(*) from NDTAIL where ...".
    QVariant scalar(const QString &sql, const QVariantList &params = {});

private:
    TempHome home_;
    std::unique_ptr<TdMf> module_;
};

} // namespace vek
