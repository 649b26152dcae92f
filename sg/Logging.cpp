#include "Logging.h"

namespace vellum::sg {
Q_LOGGING_CATEGORY(lcSceneGraph, "vellum.sg")
} // namespace vellum::sg
