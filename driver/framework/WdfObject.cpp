// Parent/child lifetime, typed contexts and cleanup callbacks of framework objects.
#include "driver/framework/WdfObject.h"

#include <algorithm>

void* WdfObject::Context(const std::type_info& type) const {
    return mContextType && *mContextType == type ? mContext.get() : nullptr;
}

void WdfObject::Initialise(WDFOBJECT parent, const WDF_OBJECT_ATTRIBUTES* attributes) {
    mParent = parent;
    if (attributes) {
        mCleanup = attributes->EvtCleanupCallback;
        if (attributes->ContextFactory) {
            mContextType = attributes->ContextType;
            mContext = attributes->ContextFactory();
        }
    }
}

void WdfObject::Dispose() {
    if (mDisposed) {
        return;
    }
    mDisposed = true;
    for (;;) {
        std::unique_ptr<WdfObject> child;
        {
            std::lock_guard lock(mChildrenMutex);
            if (mChildren.empty()) {
                break;
            }
            child = std::move(mChildren.back());
            mChildren.pop_back();
        }
        child->Dispose();
    }
    OnDispose();
    if (mCleanup) {
        mCleanup(this);
    }
}

void WdfObject::DeleteChild(WDFOBJECT child) {
    std::unique_ptr<WdfObject> owned;
    {
        std::lock_guard lock(mChildrenMutex);
        auto found =
            std::find_if(mChildren.begin(), mChildren.end(),
                         [child](const auto& candidate) { return candidate.get() == child; });
        if (found == mChildren.end()) {
            return;
        }
        owned = std::move(*found);
        mChildren.erase(found);
    }
    owned->Dispose();
}

void WdfObjectDelete(WDFOBJECT object) {
    if (!object) {
        return;
    }
    if (object->Parent()) {
        object->Parent()->DeleteChild(object);
        return;
    }
    object->Dispose();
    delete object;
}
