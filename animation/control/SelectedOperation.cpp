#include "SelectedOperation.h"

#include "ApplicationState.h"
#include "Applier.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "ModuleState.h"
#include "Scene.h"
#include "Shape.h"

#include <algorithm>

namespace vellum::animation {

std::optional<SelectedOperation> selectedOperation()
{
    SelectedOperation operation;
    operation.component = activeComponent();
    if (operation.component->Kind() != outside::Kind::Operation)
        return std::nullopt;
    operation.scene = required(applicationState()->Scene());
    operation.number = operation.scene->OperationIndex(operation.component->ObjectLink());
    if (operation.number == 0)
        return std::nullopt;
    return operation;
}

std::optional<outside::OperationEntry> keyableEntry(const SelectedOperation& operation)
{
    const outside::OperationTableSet tables =
        operation.scene->OperationTables(operation.component->ObjectLink());
    const auto operands = std::count_if(tables.operands.cbegin(), tables.operands.cend(),
                                        [](std::int16_t flag) { return flag != 0; });
    if (operands != 2)
        return std::nullopt;
    const outside::OperationEntry entry = tables.entry(operation.number);
    // Every check is asked, in order, whatever the earlier ones answered.
    outside::Applier& checks = applier();
    const bool answers[] = {checks.OperationCheck1(entry), checks.OperationCheck2(entry),
                            checks.OperationCheck3(entry), checks.OperationCheck4(entry)};
    if (std::none_of(std::begin(answers), std::end(answers), [](bool yes) { return yes; }))
        return std::nullopt;
    return entry;
}

outside::OperationPtr operationObject(const SelectedOperation& operation)
{
    return operation.scene->Operations().Item(QString::number(operation.number));
}

} // namespace vellum::animation
