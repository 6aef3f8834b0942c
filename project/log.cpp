#include "project/log.h"

namespace vellora {
Q_LOGGING_CATEGORY(lcProject, "vellora.project", QtWarningMsg)
} // namespace vellora
