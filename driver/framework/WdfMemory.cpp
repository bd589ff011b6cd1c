// Memory objects owned by their parent.
#include "driver/framework/WdfMemory.h"

#include <memory>

NTSTATUS WdfMemoryCreate(const WDF_OBJECT_ATTRIBUTES* attributes, POOL_TYPE, uint32_t, size_t size,
                         WDFMEMORY* memory, void** buffer) {
    if (!attributes || !attributes->ParentObject || size == 0) {
        return STATUS_INVALID_PARAMETER;
    }
    *memory = attributes->ParentObject->Adopt(std::make_unique<WdfMemory>(size), attributes);
    if (buffer) {
        *buffer = (*memory)->Buffer();
    }
    return STATUS_SUCCESS;
}

void* WdfMemoryGetBuffer(WDFMEMORY memory, size_t* size) {
    if (size) {
        *size = memory->Size();
    }
    return memory->Buffer();
}
