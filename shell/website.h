#pragma once

#include <QString>

namespace vellora {

// The maker's web address as the main window shows it; the software page lies under it.
inline QString webAddress() { return QStringLiteral("www.vellora.example"); }

// "Meer Software" opens this page over plain HTTP.
inline QString softwarePage() { return QStringLiteral("http://www.vellora.example/software.htm"); }

} // namespace vellora
