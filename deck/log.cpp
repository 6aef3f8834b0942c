#include "deck/log.h"

namespace vellora {
Q_LOGGING_CATEGORY(lcDeck, "vellora.deck", QtWarningMsg)
} // namespace vellora
