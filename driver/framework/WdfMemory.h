// Framework memory objects: a byte buffer owned by its parent object, and memory descriptors
// that name a buffer for a transfer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver/framework/Ntstatus.h"
#include "driver/framework/WdfObject.h"

class WdfMemory;
using WDFMEMORY = WdfMemory*;

enum POOL_TYPE { NonPagedPool = 0, PagedPool = 1 };

class WdfMemory : public WdfObject {
  public:
    explicit WdfMemory(size_t size) : mBytes(size) {}
    uint8_t* Buffer() { return mBytes.data(); }
    size_t Size() const { return mBytes.size(); }

  private:
    std::vector<uint8_t> mBytes;
};

struct WDF_MEMORY_DESCRIPTOR {
    void* Buffer = nullptr;
    uint32_t BufferLength = 0;
};

inline void WDF_MEMORY_DESCRIPTOR_INIT_BUFFER(WDF_MEMORY_DESCRIPTOR* descriptor, void* buffer,
                                              uint32_t length) {
    *descriptor = WDF_MEMORY_DESCRIPTOR{buffer, length};
}

// Allocates `size` zeroed bytes owned by `attributes->ParentObject` (required).
NTSTATUS WdfMemoryCreate(const WDF_OBJECT_ATTRIBUTES* attributes, POOL_TYPE poolType,
                         uint32_t poolTag, size_t size, WDFMEMORY* memory, void** buffer);
void* WdfMemoryGetBuffer(WDFMEMORY memory, size_t* size);
