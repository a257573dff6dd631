// The control object's dispatch interface: names, identifiers, argument
// checks, interfaces and reference counting.
#include <gtest/gtest.h>

#include <vector>

#include "calculator/Calculator.h"
#include "calculator/component.h"

using namespace ombra::com;

namespace {

class CalculatorDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(DllRegisterServer(), S_OK);
        ASSERT_EQ(CoCreateInstance(CLSID_Calculator, nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch_)),
                  S_OK);
        ASSERT_NE(dispatch_, nullptr);
    }
    void TearDown() override {
        if (dispatch_ != nullptr) {
            EXPECT_EQ(dispatch_->Release(), 0u);
        }
        EXPECT_EQ(DllCanUnloadNow(), S_OK);
    }

    IDispatch* dispatch_ = nullptr;
};

TEST_F(CalculatorDispatch, CalculateIsFoundByNameInAnyCase) {
    for (const char* name : {"Calculate", "calculate", "CALCULATE"}) {
        DISPID id = 0;
        EXPECT_EQ(dispatch_->GetIDOfName(name, &id), S_OK) << name;
        EXPECT_EQ(id, DISPID_CALCULATE) << name;
    }
    for (const char* name : {"", "Calc", "Calculates", "Evaluate"}) {
        DISPID id = 0;
        EXPECT_EQ(dispatch_->GetIDOfName(name, &id), DISP_E_UNKNOWNNAME) << name;
        EXPECT_EQ(id, -1) << name;
    }
    DISPID id = 0;
    EXPECT_EQ(dispatch_->GetIDOfName(nullptr, &id), E_POINTER);
    EXPECT_EQ(dispatch_->GetIDOfName("Calculate", nullptr), E_POINTER);
}

struct BadCall {
    const char* what;
    DISPID id;
    std::vector<Variant> args;
    HRESULT expected;
};

TEST_F(CalculatorDispatch, BadCallsAreRefusedAndLeaveTheResultAlone) {
    const std::vector<BadCall> calls = {
        {"unknown member", 0x60030005, {Variant::fromText("1+1")}, DISP_E_MEMBERNOTFOUND},
        {"member zero", 0, {Variant::fromText("1+1")}, DISP_E_MEMBERNOTFOUND},
        {"no argument", DISPID_CALCULATE, {}, DISP_E_BADPARAMCOUNT},
        {"two arguments", DISPID_CALCULATE, {Variant::fromText("1"), Variant::fromText("2")}, DISP_E_BADPARAMCOUNT},
        {"empty argument", DISPID_CALCULATE, {Variant{}}, DISP_E_TYPEMISMATCH},
    };
    for (const BadCall& call : calls) {
        Variant result = Variant::fromText("untouched");
        EXPECT_EQ(dispatch_->Invoke(call.id, call.args.data(), static_cast<uint32_t>(call.args.size()), &result),
                  call.expected)
            << call.what;
        EXPECT_EQ(result.text, "untouched") << call.what;
    }
    Variant result;
    EXPECT_EQ(dispatch_->Invoke(DISPID_CALCULATE, nullptr, 1, &result), E_POINTER);
}

TEST_F(CalculatorDispatch, AnswersAsTheCalculatorItselfDoes) {
    const std::string inputs[] = {"1+1",
                                  "x",
                                  "",
                                  "1/0",
                                  "(1+2",
                                  "sin(-100/20)*300",
                                  "true",
                                  "1=1",
                                  "\xff\xfe",
                                  std::string("1\0+1", 4),
                                  std::string(5000, '(')};
    for (const std::string& input : inputs) {
        std::string direct = input;
        ombra::Calculator calculator;
        const std::string expected = calculator.Calculate(direct);

        const Variant argument = Variant::fromText(input);
        Variant result;
        ASSERT_EQ(dispatch_->Invoke(DISPID_CALCULATE, &argument, 1, &result), S_OK) << input;
        EXPECT_EQ(result.type, Variant::Type::Text);
        EXPECT_EQ(result.text, expected) << input;
        EXPECT_EQ(argument.text, input) << "the caller's argument is not rewritten";
    }
}

TEST_F(CalculatorDispatch, ResultMayBeDiscarded) {
    const Variant argument = Variant::fromText("1+1");
    EXPECT_EQ(dispatch_->Invoke(DISPID_CALCULATE, &argument, 1, nullptr), S_OK);
}

TEST_F(CalculatorDispatch, InterfacesAndReferenceCounts) {
    IUnknown* unknown = nullptr;
    ASSERT_EQ(dispatch_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(dispatch_), unknown) << "one identity";
    EXPECT_EQ(unknown->AddRef(), 3u);
    EXPECT_EQ(unknown->Release(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);

    void* other = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(dispatch_->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(dispatch_->QueryInterface(IID_IDispatch, nullptr), E_POINTER);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
}

}  // namespace
