#pragma once

#include "Error.h"

namespace vellum::testing {

// The number of the error the work raises; 0 when it raises none.
template <typename Work> int errorNumberOf(Work&& work)
{
    try {
        work();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

} // namespace vellum::testing
