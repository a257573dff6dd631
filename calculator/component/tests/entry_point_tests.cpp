// The library's exported entry points, looked up by name as a host does.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "calculator/component.h"

using namespace ombra::com;

namespace {

struct EntryPoints {
    HRESULT (*registerServer)();
    HRESULT (*unregisterServer)();
    HRESULT (*getClassObject)(const CLSID*, const IID*, void**);
    HRESULT (*canUnloadNow)();
};

class ExportedEntryPoints : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = dlopen(CALCULATOR_LIBRARY_PATH, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
        entries_.registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library_, "DllRegisterServer"));
        entries_.unregisterServer = reinterpret_cast<HRESULT (*)()>(dlsym(library_, "DllUnregisterServer"));
        entries_.getClassObject =
            reinterpret_cast<HRESULT (*)(const CLSID*, const IID*, void**)>(dlsym(library_, "DllGetClassObject"));
        entries_.canUnloadNow = reinterpret_cast<HRESULT (*)()>(dlsym(library_, "DllCanUnloadNow"));
        ASSERT_NE(entries_.registerServer, nullptr);
        ASSERT_NE(entries_.unregisterServer, nullptr);
        ASSERT_NE(entries_.getClassObject, nullptr);
        ASSERT_NE(entries_.canUnloadNow, nullptr);
    }
    void TearDown() override {
        if (library_ != nullptr) dlclose(library_);
    }

    IClassFactory* calculatorFactory() {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(entries_.getClassObject(&CLSID_Calculator, &IID_IClassFactory, reinterpret_cast<void**>(&factory)),
                  S_OK);
        return factory;
    }

    void* library_ = nullptr;
    EntryPoints entries_{};
};

TEST_F(ExportedEntryPoints, RegistrationMakesTheProgramIdentifierKnownAndUnregistrationForgetsIt) {
    CLSID clsid{};
    ASSERT_EQ(entries_.registerServer(), S_OK);
    ASSERT_EQ(CLSIDFromProgID(kCalculatorProgId, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Calculator);
    EXPECT_EQ(CLSIDFromProgID("ombracalculator.CALCULATOR", &clsid), S_OK) << "identifiers ignore case";

    ASSERT_EQ(entries_.registerServer(), S_OK) << "registering twice is harmless";
    ASSERT_EQ(entries_.unregisterServer(), S_OK);
    EXPECT_EQ(CLSIDFromProgID(kCalculatorProgId, &clsid), CO_E_CLASSSTRING);

    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Calculator, nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ExportedEntryPoints, ClassObjectRequestsAreChecked) {
    const CLSID unknownClass = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(entries_.getClassObject(&unknownClass, &IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(entries_.getClassObject(&CLSID_Calculator, &IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(entries_.getClassObject(nullptr, &IID_IClassFactory, &object), E_POINTER);
    EXPECT_EQ(entries_.getClassObject(&CLSID_Calculator, nullptr, &object), E_POINTER);
    EXPECT_EQ(entries_.getClassObject(&CLSID_Calculator, &IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(entries_.canUnloadNow(), S_OK) << "refused requests leave nothing alive";
}

TEST_F(ExportedEntryPoints, FactoryRefusesAggregationAndMakesDispatchObjects) {
    IClassFactory* factory = calculatorFactory();
    ASSERT_NE(factory, nullptr);

    IDispatch* outer = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&outer)), S_OK);
    void* aggregated = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->CreateInstance(outer, IID_IDispatch, &aggregated), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &aggregated), E_NOINTERFACE);
    EXPECT_EQ(aggregated, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, nullptr), E_POINTER);

    Variant result;
    const Variant argument = Variant::fromText("1+1");
    EXPECT_EQ(outer->Invoke(DISPID_CALCULATE, &argument, 1, &result), S_OK);
    EXPECT_EQ(result.text, "2");

    EXPECT_EQ(outer->Release(), 0u);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(entries_.canUnloadNow(), S_OK);
}

TEST_F(ExportedEntryPoints, CanUnloadOnlyWhenNoObjectOrLockIsAlive) {
    ASSERT_EQ(entries_.canUnloadNow(), S_OK);

    IClassFactory* factory = calculatorFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(entries_.canUnloadNow(), S_FALSE) << "a live factory";

    IDispatch* calculator = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&calculator)), S_OK);
    EXPECT_EQ(factory->LockServer(true), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(entries_.canUnloadNow(), S_FALSE) << "a live calculator and a lock";

    EXPECT_EQ(calculator->AddRef(), 2u);
    EXPECT_EQ(calculator->Release(), 1u);
    EXPECT_EQ(calculator->Release(), 0u);
    EXPECT_EQ(entries_.canUnloadNow(), S_FALSE) << "the lock outlives the factory that took it";

    factory = calculatorFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->LockServer(false), S_OK);
    EXPECT_EQ(factory->LockServer(false), E_FAIL) << "no lock left to release";
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(entries_.canUnloadNow(), S_OK);
}

}  // namespace
