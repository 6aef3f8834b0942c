#pragma once

#include <QLoggingCategory>

namespace vellora {
// What the surface layer refuses or falls back on without a word to the user. Warnings show; info and
// debug only when asked for (QT_LOGGING_RULES="vellora.surface.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcSurface)
} // namespace vellora
