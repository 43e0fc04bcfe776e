#pragma once
// One owner for every kind of system handle: a handle plus the call that
// releases it. Kernel objects, GDI objects, icons, menus, libraries, shell
// item lists, COM interfaces and automation values all have theirs here, so
// each is released exactly once.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <shtypes.h>

#include <utility>

namespace qm {

template <class Traits> class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(Traits::IsValid(handle) ? handle : Traits::Empty()) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(UniqueResource&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::Empty());
        }
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    void Reset(Handle handle = Traits::Empty())
    {
        if (Traits::IsValid(handle_))
            Traits::Release(handle_);
        handle_ = Traits::IsValid(handle) ? handle : Traits::Empty();
    }
    // Gives the handle up without releasing it.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }

private:
    Handle handle_ = Traits::Empty();
};

// A handle that is released by `Free` and invalid when null.
template <class H, auto Free> struct NullIsEmptyTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Release(Handle handle) { Free(handle); }
};

// Kernel objects: both null and INVALID_HANDLE_VALUE mean none.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseHandle(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object)
{
    DeleteObject(object);
}
inline void FreeItemIdList(LPITEMIDLIST list)
{
    CoTaskMemFree(list);
}
inline void DestroyIconHandle(HICON icon)
{
    DestroyIcon(icon);
}
inline void DestroyMenuHandle(HMENU menu)
{
    DestroyMenu(menu);
}
inline void ReleaseModule(HMODULE module)
{
    FreeLibrary(module);
}
inline void CloseFindHandle(HANDLE find)
{
    FindClose(find);
}

using UniqueHandle = UniqueResource<KernelHandleTraits>;
template <class H> using GdiObject = UniqueResource<NullIsEmptyTraits<H, DeleteGdiObject>>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using IconHandle = UniqueResource<NullIsEmptyTraits<HICON, DestroyIconHandle>>;
using MenuHandle = UniqueResource<NullIsEmptyTraits<HMENU, DestroyMenuHandle>>;
using ModuleHandle = UniqueResource<NullIsEmptyTraits<HMODULE, ReleaseModule>>;
using ItemIdList = UniqueResource<NullIsEmptyTraits<LPITEMIDLIST, FreeItemIdList>>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseFindHandle(handle); }
};
using FindHandle = UniqueResource<FindHandleTraits>;

// A COM interface pointer: released once, when the owner goes.
template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For calls that hand out an interface: releases the old one first.
    Interface** Out()
    {
        Reset();
        return &pointer_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset()
    {
        if (pointer_)
            pointer_->Release();
        pointer_ = nullptr;
    }
    // Another interface of the same object; empty when it has none.
    template <class Other> ComPtr<Other> As(REFIID iid) const
    {
        ComPtr<Other> other;
        if (pointer_)
            pointer_->QueryInterface(iid, other.OutVoid());
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};

// An automation value: empty from the start, cleared once when the owner goes.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Get() { return &value_; }

private:
    VARIANT value_;
};

// The component library for this thread, for as long as the object lives.
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    HRESULT Result() const { return result_; }
    bool Ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

} // namespace qm
