#include "surface/log.h"

namespace vellora {
Q_LOGGING_CATEGORY(lcSurface, "vellora.surface", QtWarningMsg)
} // namespace vellora
