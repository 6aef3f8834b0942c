#include "print/log.h"

namespace vellora {
Q_LOGGING_CATEGORY(lcPrint, "vellora.print", QtWarningMsg)
} // namespace vellora
