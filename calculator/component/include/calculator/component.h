#pragma once
// The component surface of the calculator library: a small in-process
// component model (class factory, late-bound dispatch by identifier) so that
// a host creates the Calculator by its program identifier and calls it by
// dispatch identifier, without compiling against the Calculator class.

#include <cstdint>
#include <string>
#include <vector>

namespace ombra::com {

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);

inline constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }

struct GUID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
    friend bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

using DISPID = int32_t;
// Calculate on the Calculator's default dispatch interface.
inline constexpr DISPID DISPID_CALCULATE = 0x60030004;

inline constexpr const char* kCalculatorProgId = "OmbraCalculator.Calculator";

// A late-bound argument or result. Only text crosses this interface.
struct Variant {
    enum class Type { Empty, Text };
    Type type = Type::Empty;
    std::string text;

    static Variant fromText(std::string value) { return {Type::Text, std::move(value)}; }
};

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetIDOfName(const char* name, DISPID* id) = 0;
    // Calls member `id` with `argCount` arguments; the result goes to `result`
    // (may be null). Unknown identifiers and wrong argument counts give an
    // error code and leave `result` untouched.
    virtual HRESULT Invoke(DISPID id, const Variant* args, uint32_t argCount, Variant* result) = 0;

protected:
    ~IDispatch() = default;
};

extern const IID IID_IUnknown;
extern const IID IID_IClassFactory;
extern const IID IID_IDispatch;
extern const CLSID CLSID_Calculator;

// Host side of the component model: the class table that DllRegisterServer
// fills, lookup by program identifier, and creation through the factory.
HRESULT CLSIDFromProgID(const char* progId, CLSID* clsid);
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object);

// A host's handle on a late-bound object: created by program identifier,
// called by dispatch identifier, released when the handle goes.
class LateBoundObject {
public:
    LateBoundObject() = default;
    ~LateBoundObject();
    LateBoundObject(LateBoundObject&& other) noexcept;
    LateBoundObject& operator=(LateBoundObject&& other) noexcept;
    LateBoundObject(const LateBoundObject&) = delete;
    LateBoundObject& operator=(const LateBoundObject&) = delete;

    // Registers the library's classes if needed, then creates the object.
    // An invalid handle (valid() false) comes back when creation fails.
    static LateBoundObject create(const char* progId, HRESULT* hr = nullptr);

    bool valid() const { return dispatch_ != nullptr; }
    HRESULT invoke(DISPID id, const std::vector<Variant>& args, Variant* result);
    // One text in, the result as text; an empty text when the call fails.
    std::string callText(DISPID id, const std::string& argument);

private:
    explicit LateBoundObject(IDispatch* dispatch) : dispatch_(dispatch) {}
    IDispatch* dispatch_ = nullptr;
};

}  // namespace ombra::com

extern "C" {
ombra::com::HRESULT DllRegisterServer(void);
ombra::com::HRESULT DllUnregisterServer(void);
ombra::com::HRESULT DllGetClassObject(const ombra::com::CLSID* clsid, const ombra::com::IID* iid, void** object);
ombra::com::HRESULT DllCanUnloadNow(void);
}
