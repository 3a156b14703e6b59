#pragma once
// Fixture for dialog tests: a scripted dialog runner and scripted UI services
// installed for the test, the previous ones restored afterwards.
#include <gtest/gtest.h>

#include <memory>

#include "platform/ScriptedUiServices.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/ScriptedDialogRunner.h"
#include "platform/ui/Text.h"

class ScriptedUiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setUiServices(ui);
        platform::ui::setDialogRunner(runner);
        platform::ui::setUserDecimalSeparator('.');
    }
    void TearDown() override {
        platform::ui::setDialogRunner(nullptr);
        platform::setUiServices(nullptr);
        platform::ui::setUserDecimalSeparator(0);
    }

    std::shared_ptr<platform::ScriptedUiServices> ui =
        std::make_shared<platform::ScriptedUiServices>();
    std::shared_ptr<platform::ui::ScriptedDialogRunner> runner =
        std::make_shared<platform::ui::ScriptedDialogRunner>(ui);
};
