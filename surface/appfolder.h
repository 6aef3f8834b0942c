#pragma once

#include <QString>
#include <QStringView>

namespace vellora {

// The folder the program's data lives in: the executable's folder in the product, a scratch copy in tests.
// Data paths are written with backslashes and in any letter case ("\Data\hkrs-0.krt"); resolve() finds the
// file on a case-sensitive file system all the same.
class AppFolder
{
public:
    explicit AppFolder(QString root);

    const QString &root() const { return m_root; }

    // The path of an existing entry that matches every component without regard to case, an exact match
    // preferred. Components that match nothing are kept as written, so the result also names a file to create.
    QString resolve(QStringView relative) const;

private:
    QString m_root;
};

} // namespace vellora
