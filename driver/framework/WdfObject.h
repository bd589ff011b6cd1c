// The framework's object model: every framework object has a parent, children that are deleted
// with it (children first), an optional typed context allocated with it, and an optional cleanup
// callback run when it is deleted. Handles are plain pointers, as in the kernel framework.
#pragma once

#include <memory>
#include <mutex>
#include <typeinfo>
#include <vector>

class WdfObject;
using WDFOBJECT = WdfObject*;
using WDFCONTEXT = void*;
using PFN_WDF_OBJECT_CONTEXT_CLEANUP = void (*)(WDFOBJECT object);

struct WDF_OBJECT_ATTRIBUTES {
    WDFOBJECT ParentObject = nullptr;
    PFN_WDF_OBJECT_CONTEXT_CLEANUP EvtCleanupCallback = nullptr;
    const std::type_info* ContextType = nullptr;
    std::shared_ptr<void> (*ContextFactory)() = nullptr;
};

// Declares the context type that objects created with `attributes` carry.
template <typename Context>
void WDF_OBJECT_ATTRIBUTES_SET_CONTEXT_TYPE(WDF_OBJECT_ATTRIBUTES* attributes) {
    attributes->ContextType = &typeid(Context);
    attributes->ContextFactory = [] {
        return std::static_pointer_cast<void>(std::make_shared<Context>());
    };
}

class WdfObject {
  public:
    WdfObject() = default;
    virtual ~WdfObject() = default;
    WdfObject(const WdfObject&) = delete;
    WdfObject& operator=(const WdfObject&) = delete;

    WDFOBJECT Parent() const { return mParent; }
    // The context of the type given at creation, or nullptr for another type.
    void* Context(const std::type_info& type) const;

    // Takes ownership of `child` (created with `attributes`) and returns it.
    template <typename Child>
    Child* Adopt(std::unique_ptr<Child> child, const WDF_OBJECT_ATTRIBUTES* attributes) {
        Child* raw = child.get();
        raw->Initialise(this, attributes);
        std::lock_guard lock(mChildrenMutex);
        mChildren.push_back(std::move(child));
        return raw;
    }

    // Gives the object its context and cleanup callback; for objects without a parent.
    void Initialise(WDFOBJECT parent, const WDF_OBJECT_ATTRIBUTES* attributes);

    // Deletes the children (last created first), runs the cleanup callback and the object's
    // own teardown. Called once, before destruction.
    void Dispose();

    // Removes `child` from the children, disposes and destroys it.
    void DeleteChild(WDFOBJECT child);

  protected:
    // Teardown of a derived object that must run after its children are gone and before the
    // cleanup callback (threads to join, transfers to cancel).
    virtual void OnDispose() {}

  private:
    WDFOBJECT mParent = nullptr;
    PFN_WDF_OBJECT_CONTEXT_CLEANUP mCleanup = nullptr;
    const std::type_info* mContextType = nullptr;
    std::shared_ptr<void> mContext;
    std::mutex mChildrenMutex;
    std::vector<std::unique_ptr<WdfObject>> mChildren;
    bool mDisposed = false;
};

// Deletes an object: a child through its parent, an object without parent directly.
void WdfObjectDelete(WDFOBJECT object);

template <typename Context>
Context* WdfObjectGetTypedContext(const WdfObject* object) {
    return object ? static_cast<Context*>(object->Context(typeid(Context))) : nullptr;
}
