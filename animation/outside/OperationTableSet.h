#pragma once

#include <QList>
#include <cstdint>

namespace vellum::outside {

// One operation's entries of the tables: what the applier's checks are asked about.
struct OperationEntry
{
    std::int32_t type = 0;
    std::int32_t targetKind = 0; // kind code of the shape the operation acts on, 0 for none
    std::int32_t loopMode = 0;
};

// The scene's operation tables as one operation component sees them.
struct OperationTableSet
{
    // By position in the scene's Shapes (entry 0 unused): non-zero for every component that
    // takes part in the component's active operation. A bound operation joins exactly two: the
    // operation component and the shape it acts on.
    QList<std::int16_t> operands;
    // By operation number (entry 0 unused).
    QList<std::int32_t> types;
    QList<std::int32_t> targetKinds;
    QList<std::int32_t> loopModes;

    // The operation's entries; an operation outside the tables has none (all zero).
    OperationEntry entry(std::int32_t operation) const
    {
        const auto at = [operation](const QList<std::int32_t>& table) {
            return operation >= 0 && operation < table.size() ? table.at(operation) : 0;
        };
        return {at(types), at(targetKinds), at(loopModes)};
    }
};

} // namespace vellum::outside
