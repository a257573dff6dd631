#include "calculator_object.h"

#include <atomic>
#include <mutex>
#include <new>
#include <string_view>

#include "ascii_case.h"
#include "calculator/Calculator.h"
#include "module_counts.h"

namespace ombra::com {
namespace {

// Dispatch members of the control's default interface, by name.
struct Member {
    std::string_view name;
    DISPID id;
};
constexpr Member kMembers[] = {
    {"Calculate", DISPID_CALCULATE},
};

class CalculatorObject final : public IDispatch {
public:
    CalculatorObject() { module::objectCreated(); }
    CalculatorObject(const CalculatorObject&) = delete;
    CalculatorObject& operator=(const CalculatorObject&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    uint32_t AddRef() override { return references_.fetch_add(1) + 1; }

    uint32_t Release() override {
        uint32_t left = references_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

    HRESULT GetIDOfName(const char* name, DISPID* id) override {
        if (name == nullptr || id == nullptr) return E_POINTER;
        for (const Member& member : kMembers) {
            if (equalIgnoringAsciiCase(member.name, name)) {
                *id = member.id;
                return S_OK;
            }
        }
        *id = kUnknownMember;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT Invoke(DISPID id, const Variant* args, uint32_t argCount, Variant* result) override {
        if (id != DISPID_CALCULATE) return DISP_E_MEMBERNOTFOUND;
        if (argCount != 1) return DISP_E_BADPARAMCOUNT;
        if (args == nullptr) return E_POINTER;
        if (args[0].type != Variant::Type::Text) return DISP_E_TYPEMISMATCH;
        try {
            std::string expression = args[0].text;
            std::string answer;
            {
                // The evaluator keeps its per-call state in the instance, so
                // one object answers one call at a time.
                std::lock_guard guard(busy_);
                answer = calculator_.Calculate(expression);
            }
            if (result != nullptr) *result = Variant::fromText(std::move(answer));
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

private:
    static constexpr DISPID kUnknownMember = -1;

    ~CalculatorObject() { module::objectDestroyed(); }

    std::atomic<uint32_t> references_{1};
    std::mutex busy_;
    Calculator calculator_;
};

}  // namespace

HRESULT createCalculatorObject(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    auto* created = new (std::nothrow) CalculatorObject();
    if (created == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

}  // namespace ombra::com
