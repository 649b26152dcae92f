#pragma once

#include <QLoggingCategory>

namespace vellum::sg {
Q_DECLARE_LOGGING_CATEGORY(lcSceneGraph)
} // namespace vellum::sg
