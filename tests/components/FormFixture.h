#pragma once
// A test with a fresh form of its own, freed after the test, and controls made on it.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestSupport.h"
#include "components/TForm.h"

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareApplication();
        form = std::make_unique<TForm>(nullptr);
    }

    // A control owned by the form (which frees it), on the parent or else on the form.
    template <class T>
    T* Add(TWinControl* parent = nullptr) {
        T* control = new T(form.get());
        control->SetParent(parent ? parent : form.get());
        return control;
    }

    std::unique_ptr<TForm> form;
};
