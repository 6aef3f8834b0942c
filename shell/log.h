#pragma once

#include <QLoggingCategory>

namespace vellora {
// What the shell layer refuses or falls back on without a word to the user. Warnings show; info and
// debug only when asked for (QT_LOGGING_RULES="vellora.shell.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcShell)
} // namespace vellora
