#pragma once

#include "VellumAnimationExport.h"

// Internals that the tests call directly are exported only in builds with tests.
#if defined(VELLUM_AUTOTEST_EXPORTS)
#define VELLUM_AUTOTEST_EXPORT VELLUMANIMATION_EXPORT
#else
#define VELLUM_AUTOTEST_EXPORT
#endif
