#pragma once

#include <QLoggingCategory>

namespace vellora {
// What the deck layer refuses or falls back on without a word to the user. Warnings show; info and
// debug only when asked for (QT_LOGGING_RULES="vellora.deck.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcDeck)
} // namespace vellora
