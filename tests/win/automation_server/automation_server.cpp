// An in-process automation server for the engine tests: one class whose
// "Version" property answers "3.5", one whose property cannot be read.
#include <windows.h>

#include <oleauto.h>

#include "automation_server.h"

namespace {

// Windows asks the library whether it may be unloaded; only a count can say.
LONG liveObjects = 0;

class VersionObject : public IDispatch {
public:
    explicit VersionObject(bool answers) : answers_(answers) { InterlockedIncrement(&liveObjects); }
    virtual ~VersionObject() { InterlockedDecrement(&liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1 || lstrcmpiW(names[0], L"Version") != 0)
            return DISP_E_UNKNOWNNAME;
        ids[0] = kVersionId;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if (id != kVersionId || !(flags & DISPATCH_PROPERTYGET) || !result)
            return DISP_E_MEMBERNOTFOUND;
        if (!answers_)
            return E_FAIL;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(L"3.5");
        return S_OK;
    }

private:
    static constexpr DISPID kVersionId = 1;
    LONG references_ = 1;
    bool answers_;
};

class Factory : public IClassFactory {
public:
    explicit Factory(bool answers) : answers_(answers) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // Static objects: their lifetime is the library's.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* created = new VersionObject(answers_);
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    bool answers_;
};

Factory answering(true), failing(false);

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    if (classId == qm::test::kAnsweringEngine)
        return answering.QueryInterface(iid, object);
    if (classId == qm::test::kFailingEngine)
        return failing.QueryInterface(iid, object);
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return liveObjects == 0 ? S_OK : S_FALSE;
}
