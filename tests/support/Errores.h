#pragma once
// The message of the error a piece of code raises, for tests that check what the user reads.
#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"

namespace pasaplan::prueba {

// The message of the ErrorPasaplan that f throws; a test failure when it throws none.
template <typename F>
std::string MensajeDe(F&& f) {
    try {
        f();
    } catch (const ErrorPasaplan& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return "";
}

}  // namespace pasaplan::prueba
