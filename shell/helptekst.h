#pragma once

#include <QString>

namespace vellora {

// The help screen's text: 22 lines, each ending in CR LF, the last line included.
QString helpTekst();

} // namespace vellora
