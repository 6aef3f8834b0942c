#include "shell/opendocument.h"

#include <QDesktopServices>

namespace vellora {

QUrl documentUrl(const QString &target)
{
    // A file path is never parsed as a URL: blanks, '#' or '%' in a folder name would break it.
    if (target.startsWith(u"http://", Qt::CaseInsensitive) || target.startsWith(u"https://", Qt::CaseInsensitive))
        return QUrl(target);
    return QUrl::fromLocalFile(target);
}

bool OpenDocument(const QString &target)
{
    return QDesktopServices::openUrl(documentUrl(target));
}

} // namespace vellora
