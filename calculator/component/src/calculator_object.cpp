#include "calculator_object.h"

#include <mutex>
#include <new>
#include <string_view>

#include "ascii_case.h"
#include "calculator/Calculator.h"
#include "unknown_impl.h"

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

class CalculatorObject final : public UnknownImpl<IDispatch, IID_IDispatch> {
public:
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

    std::mutex busy_;
    Calculator calculator_;
};

}  // namespace

HRESULT createCalculatorObject(const IID& iid, void** object) { return createAndQuery<CalculatorObject>(iid, object); }

}  // namespace ombra::com
