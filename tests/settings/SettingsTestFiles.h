// Test helpers of the settings file: the error an action raises.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "SettingsFileError.h"
#include "TestFiles.h"

namespace tonvale::testing {

// The message of the SettingsFileError the action raises; a test failure if it raises none.
template <typename Action>
std::wstring settingsErrorMessage(Action&& action) {
    try {
        action();
    } catch (const SettingsFileError& error) {
        return error.message();
    }
    ADD_FAILURE() << "no SettingsFileError raised";
    return {};
}

}  // namespace tonvale::testing
