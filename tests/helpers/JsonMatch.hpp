#pragma once

// Compares JSON by meaning rather than by its text: the same members in any order, arrays of the
// same length, and numbers equal as the 32-bit floats the game prints (each reads back exactly).

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace testing_tools {

// Parses text as one JSON value followed by a single line end, as the game writes its objects.
inline nlohmann::json ParseJsonLine(const std::string& text) {
    EXPECT_TRUE(!text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1)
        << "not one line: " << text;
    nlohmann::json value = nlohmann::json::parse(text, nullptr, false);
    EXPECT_FALSE(value.is_discarded()) << "not JSON: " << text;
    return value;
}

inline void ExpectJsonMatches(const nlohmann::json& actual, const nlohmann::json& expected,
                              const std::string& where = "$") {
    if (actual.is_number() && expected.is_number()) {
        EXPECT_EQ(actual.get<float>(), expected.get<float>()) << where;
        return;
    }
    ASSERT_EQ(actual.type_name(), std::string(expected.type_name())) << where << ": " << actual.dump();
    if (expected.is_object()) {
        EXPECT_EQ(actual.size(), expected.size()) << where << ": " << actual.dump();
        for (auto member = expected.begin(); member != expected.end(); ++member) {
            if (!actual.contains(member.key())) {
                ADD_FAILURE() << where << "." << member.key() << " is missing";
                continue;
            }
            ExpectJsonMatches(actual[member.key()], member.value(), where + "." + member.key());
        }
    } else if (expected.is_array()) {
        ASSERT_EQ(actual.size(), expected.size()) << where << ": " << actual.dump();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ExpectJsonMatches(actual[i], expected[i], where + "[" + std::to_string(i) + "]");
        }
    } else {
        EXPECT_EQ(actual, expected) << where;
    }
}

// Expects text to be one JSON line matching expectedJson (JSON text; numbers as the game's floats).
inline void ExpectJsonLine(const std::string& text, const char* expectedJson) {
    ExpectJsonMatches(ParseJsonLine(text), nlohmann::json::parse(expectedJson));
}

} // namespace testing_tools
