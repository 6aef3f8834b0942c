#pragma once

#include <QString>
#include <QUrl>

namespace vellora {

// What the desktop is asked to open: a web address as written, anything else as a local file.
QUrl documentUrl(const QString &target);

// Hands a document or web address to the desktop, which opens it with the application registered for it.
// Shows nothing of its own when nothing opens it: the desktop reports that, if anyone does. The result only
// says whether the desktop accepted the request.
bool OpenDocument(const QString &target);

} // namespace vellora
