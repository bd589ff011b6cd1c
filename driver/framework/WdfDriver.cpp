// The framework driver object and its service parameters.
#include "driver/framework/WdfDriver.h"

#include <memory>

NTSTATUS WdfDriverCreate(PDRIVER_OBJECT driverObject, const WDF_DRIVER_CONFIG* config,
                         const WDF_OBJECT_ATTRIBUTES* attributes, WDFDRIVER* driver) {
    if (!driverObject || !config || !config->EvtDriverDeviceAdd || driverObject->FrameworkDriver) {
        return STATUS_INVALID_PARAMETER;
    }
    auto created = std::make_unique<WdfDriver>(driverObject, *config);
    created->Initialise(nullptr, attributes);
    driverObject->FrameworkDriver = created.release();
    if (driver) {
        *driver = driverObject->FrameworkDriver;
    }
    return STATUS_SUCCESS;
}

PDRIVER_OBJECT WdfDriverWdmGetDriverObject(WDFDRIVER driver) {
    return driver->DriverObject();
}

NTSTATUS WdfRegistryQueryULong(WDFDRIVER driver, const std::string& name, uint32_t* value) {
    const auto& parameters = driver->DriverObject()->Parameters;
    auto found = parameters.find(name);
    if (found == parameters.end()) {
        return STATUS_NOT_FOUND;
    }
    *value = found->second;
    return STATUS_SUCCESS;
}
