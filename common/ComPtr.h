#pragma once

#include <unknwn.h>

#include <utility>

// Counted reference to a COM object (OLE font, OLE picture): AddRef on copy,
// Release when the last holder lets go.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new reference (AddRef) on an object the caller keeps.
    explicit ComPtr(T* object) noexcept : object_(object) {
        if (object_) object_->AddRef();
    }
    ~ComPtr() { reset(); }

    ComPtr(const ComPtr& other) noexcept : ComPtr(other.object_) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    T* get() const noexcept { return object_; }
    T* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    // For creation functions that hand out a reference of their own.
    T** put() noexcept {
        reset();
        return &object_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept {
        if (object_) std::exchange(object_, nullptr)->Release();
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.object_ == b.object_; }

private:
    T* object_ = nullptr;
};
