// A host's view: create by program identifier, call by dispatch identifier.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "calculator/component.h"

using namespace ombra::com;

namespace {

TEST(LateBoundObject, CreatesByProgramIdentifierWithoutPriorRegistration) {
    DllUnregisterServer();
    HRESULT hr = E_FAIL;
    LateBoundObject calculator = LateBoundObject::create(kCalculatorProgId, &hr);
    EXPECT_EQ(hr, S_OK);
    ASSERT_TRUE(calculator.valid());
    EXPECT_EQ(calculator.callText(DISPID_CALCULATE, "1+1"), "2");
    EXPECT_EQ(calculator.callText(DISPID_CALCULATE, "x"), "ERROR#3");
}

TEST(LateBoundObject, FailedCreationGivesAnInvalidHandleAndTheReason) {
    struct Case {
        const char* progId;
        HRESULT expected;
    };
    const Case cases[] = {
        {"OmbraCalculator.About", CO_E_CLASSSTRING},
        {"", CO_E_CLASSSTRING},
        {"OmbraCalculator.Calculator.2", CO_E_CLASSSTRING},
        {nullptr, E_POINTER},
    };
    for (const Case& c : cases) {
        HRESULT hr = S_OK;
        LateBoundObject object = LateBoundObject::create(c.progId, &hr);
        EXPECT_EQ(hr, c.expected) << (c.progId ? c.progId : "(null)");
        EXPECT_FALSE(object.valid());
        EXPECT_EQ(object.callText(DISPID_CALCULATE, "1+1"), "");
        Variant result;
        EXPECT_EQ(object.invoke(DISPID_CALCULATE, {Variant::fromText("1")}, &result), E_POINTER);
    }
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(LateBoundObject, FailedCallsGiveEmptyText) {
    LateBoundObject calculator = LateBoundObject::create(kCalculatorProgId);
    ASSERT_TRUE(calculator.valid());
    EXPECT_EQ(calculator.callText(DISPID_CALCULATE + 1, "1+1"), "");
    Variant result;
    EXPECT_EQ(calculator.invoke(DISPID_CALCULATE, {}, &result), DISP_E_BADPARAMCOUNT);
}

TEST(LateBoundObject, HandleOwnsItsObject) {
    {
        LateBoundObject first = LateBoundObject::create(kCalculatorProgId);
        ASSERT_TRUE(first.valid());
        EXPECT_EQ(DllCanUnloadNow(), S_FALSE);

        LateBoundObject second = std::move(first);
        EXPECT_FALSE(first.valid());
        ASSERT_TRUE(second.valid());
        EXPECT_EQ(second.callText(DISPID_CALCULATE, "2*3"), "6");

        LateBoundObject third = LateBoundObject::create(kCalculatorProgId);
        third = std::move(second);  // third's own object goes here
        EXPECT_TRUE(third.valid());
        EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "every object released with its handle";
}

// Each thread checks its answers against what one object gave alone.
std::vector<std::string> answersFrom(LateBoundObject& calculator, const std::vector<std::string>& inputs) {
    std::vector<std::string> answers;
    for (const std::string& input : inputs) answers.push_back(calculator.callText(DISPID_CALCULATE, input));
    return answers;
}

TEST(LateBoundObject, ConcurrentCallsGiveTheSameAnswersAsOneAtATime) {
    std::vector<std::string> inputs;
    for (int i = -50; i <= 50; ++i) {
        const std::string v = std::to_string(i);
        inputs.push_back("tan(" + v + " / 20) * 50");
        inputs.push_back("(" + v + ">0) AND (" + v + "<5)");
        inputs.push_back("1/(" + v + "+3)");
    }
    LateBoundObject reference = LateBoundObject::create(kCalculatorProgId);
    ASSERT_TRUE(reference.valid());
    const std::vector<std::string> expected = answersFrom(reference, inputs);

    constexpr int kThreads = 4;
    LateBoundObject shared = LateBoundObject::create(kCalculatorProgId);
    std::vector<std::vector<std::string>> ownAnswers(kThreads), sharedAnswers(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            LateBoundObject own = LateBoundObject::create(kCalculatorProgId);
            for (int round = 0; round < 5; ++round) {
                ownAnswers[t] = answersFrom(own, inputs);
                sharedAnswers[t] = answersFrom(shared, inputs);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(ownAnswers[t], expected) << "thread " << t << ", own object";
        EXPECT_EQ(sharedAnswers[t], expected) << "thread " << t << ", shared object";
    }
}

}  // namespace
